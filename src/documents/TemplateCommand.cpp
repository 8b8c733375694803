// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TemplateCommand.h"

#include "data/TDM2.h"
#include "documents/CertificateTemplates.h"
#include "documents/DocumentKind.h"
#include "documents/TEditor.h"
#include "platform/Clock.h"
#include "ui/MainCommands.h"

namespace zelvar {

TemplateCommand::TemplateCommand(TDM2& dm, MainCommands& commands, Clock& clock,
                                 std::function<QString(const QString&)> shownText)
    : m_dm(dm),
      m_commands(commands),
      m_clock(clock),
      m_shownText(std::move(shownText))
{
}

TEditor* TemplateCommand::run(const CertificateTemplate& certificate)
{
    Dataset* reg = m_dm.Query2;
    if (!reg->isActive() || reg->recordCount() <= 0)
        return nullptr;
    DocumentKind = certificate.kind();
    auto* editor = qobject_cast<TEditor*>(m_commands.editorCommand());
    if (!editor)
        return nullptr;

    TemplateValues values;
    values.resident = m_shownText;
    Dataset* office = m_dm.tbMah;
    if (office->isActive() && office->recordCount() > 0)
        for (const char* field : {"Il", "Ilce", "Mahalle", "Zelvar"})
            values.office.insert(QString::fromLatin1(field), office->displayText(QString::fromLatin1(field)));
    values.today = templateDate(m_clock.today());
    editor->compose(certificate, values, reg->value(QStringLiteral("KayitNo")).toInt());
    return editor;
}

} // namespace zelvar
