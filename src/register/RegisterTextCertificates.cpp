// The register window's four text certificates: each composes its text for
// the current resident into the editor, through the main window's Editor
// command.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "documents/CertificateTemplates.h"
#include "documents/TemplateCommand.h"
#include "platform/Services.h"
#include "ui/bound/DBEdit.h"

#include <QAction>

namespace zelvar {

void TForm2::wireTextCertificates()
{
    const auto wire = [this](ToolItem item, void (TForm2::*slot)()) {
        QAction* action = m_toolActions[item];
        action->setEnabled(true);
        connectCommand(m_services.errors, action, &QAction::triggered, this, slot);
    };
    wire(MoveOutCertificateItem, &TForm2::ToolButton18Click);
    wire(PovertyItem, &TForm2::ToolButton20Click);
    wire(StatusItem, &TForm2::ToolButton21Click);
    wire(IdChangeBackItem, &TForm2::ToolButton30Click);
}

void TForm2::ToolButton18Click()
{
    composeCertificate(MoveOutCertificate());
}

void TForm2::ToolButton20Click()
{
    composeCertificate(PovertyCertificate());
}

void TForm2::ToolButton21Click()
{
    composeCertificate(StatusCertificate());
}

void TForm2::ToolButton30Click()
{
    composeCertificate(IdCardChangeBackPage());
}

void TForm2::composeCertificate(const CertificateTemplate& certificate)
{
    if (!m_commands)
        return;
    TemplateCommand command(m_dm, *m_commands, m_services.clock,
                            [this](const QString& field) { return shownText(field); });
    command.run(certificate);
}

QString TForm2::shownText(const QString& field) const
{
    QWidget* box = entryBox(field);
    if (!box) {
        Dataset* reg = m_dm.Query2;
        return reg->isActive() && reg->fieldIndex(field) >= 0 ? reg->displayText(field) : QString();
    }
    const QString text = boxText(field);
    // A date box shows its mask when empty; the certificate gets nothing.
    if (auto* line = qobject_cast<DBEdit*>(box); line && !line->inputMask().isEmpty()) {
        const bool anyDigit = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
        if (!anyDigit)
            return QString();
    }
    return text;
}

} // namespace zelvar
