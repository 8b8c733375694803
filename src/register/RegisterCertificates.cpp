// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's certificate buttons: the printed certificates and
// the dwelling declaration hand the work to their command classes; the text
// certificates compose their text for the current resident into the editor,
// through the main window's Editor command.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "documents/CertificateCommand.h"
#include "documents/CertificateTemplates.h"
#include "documents/PrintedForms.h"
#include "documents/TForm5.h"
#include "documents/TemplateCommand.h"
#include "ui/bound/DBEdit.h"

namespace zelvar {

void TForm2::declareDwellingResidents()
{
    TForm5 selection(m_dm, m_services, m_forms.declaration, this);
    selection.exec();
}

void TForm2::printIdCardCopy()
{
    CertificateCommand(m_dm, m_services).idCardCopy(m_forms.idCardCopy);
}

void TForm2::printResidenceCertificate()
{
    CertificateCommand(m_dm, m_services).residence(m_forms.residence);
}

void TForm2::printIdCardChange()
{
    CertificateCommand(m_dm, m_services).idCardChange(m_forms.idCardChange);
}

void TForm2::composeMoveOutCertificate()
{
    composeCertificate(MoveOutCertificate());
}

void TForm2::composePovertyCertificate()
{
    composeCertificate(PovertyCertificate());
}

void TForm2::composeStatusCertificate()
{
    composeCertificate(StatusCertificate());
}

void TForm2::composeIdCardChangeBackPage()
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
    QWidget* box = m_ui.entryBox(field);
    if (!box) {
        Dataset* reg = m_dm.Query2;
        return reg->isActive() && reg->fieldIndex(field) >= 0 ? reg->displayText(field) : QString();
    }
    QString text = boxText(field);
    // A date box shows its mask when empty; the certificate gets nothing.
    if (auto* line = qobject_cast<DBEdit*>(box); line && !line->inputMask().isEmpty()) {
        const bool anyDigit = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
        if (!anyDigit)
            return QString();
    }
    return text;
}

} // namespace zelvar
