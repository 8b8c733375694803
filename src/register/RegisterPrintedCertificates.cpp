// The register window's printed certificates and the dwelling declaration:
// each button hands the work to its command class.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "documents/CertificateCommand.h"
#include "documents/PrintedForms.h"
#include "documents/TForm5.h"
#include "platform/Services.h"

#include <QAction>

namespace zelvar {

void TForm2::wirePrintedCertificates()
{
    const auto wire = [this](ToolItem item, void (TForm2::*slot)()) {
        QAction* action = m_toolActions[item];
        action->setEnabled(true);
        connectCommand(m_services.errors, action, &QAction::triggered, this, slot);
    };
    wire(DwellingItem, &TForm2::ToolButton13Click);
    wire(IdCopyItem, &TForm2::ToolButton15Click);
    wire(ResidenceItem, &TForm2::ToolButton17Click);
    wire(IdChangeItem, &TForm2::ToolButton19Click);
}

void TForm2::ToolButton13Click()
{
    TForm5 selection(m_dm, m_services, m_forms.declaration, this);
    selection.exec();
}

void TForm2::ToolButton15Click()
{
    CertificateCommand(m_dm, m_services).idCardCopy(m_forms.idCardCopy);
}

void TForm2::ToolButton17Click()
{
    CertificateCommand(m_dm, m_services).residence(m_forms.residence);
}

void TForm2::ToolButton19Click()
{
    CertificateCommand(m_dm, m_services).idCardChange(m_forms.idCardChange);
}

} // namespace zelvar
