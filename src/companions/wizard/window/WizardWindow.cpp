// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/window/WizardWindow.h"

#include "wizard/window/WizardPages.h"

namespace zelvar::wizard {

WizardWindow::WizardWindow(Database& db, const QString& dataFolder, Prompter& prompter, const Clock& clock,
                           QWidget* parent)
    : QWizard(parent),
      m_db(db),
      m_dataFolder(dataFolder),
      m_prompter(prompter),
      m_clock(clock),
      m_setup(db)
{
    setWindowTitle(caption());
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnLastPage);
    setOption(QWizard::NoCancelButtonOnLastPage);
    setButtonText(QWizard::BackButton, QStringLiteral("< Geri"));
    setButtonText(QWizard::NextButton, QStringLiteral("İleri >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("Kapat"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Vazgeç"));
    setPage(StartPage, new StartWizardPage(*this));
    setPage(SourcePage, new SourceWizardPage(*this));
    setPage(TablesPage, new TablesWizardPage(*this));
    setPage(SheetPage, new SheetWizardPage(*this));
    setPage(MappingPage, new MappingWizardPage(*this));
    setPage(PreviewPage, new PreviewWizardPage(*this));
    setPage(CheckPage, new CheckWizardPage(*this));
    setPage(WritePage, new WriteWizardPage(*this));
    setPage(ExportPage, new ExportWizardPage(*this));
    setPage(ExportDonePage, new ExportDoneWizardPage(*this));
    setStartId(StartPage);
    resize(860, 620);
}

WizardWindow::~WizardWindow() = default;

void WizardWindow::reject()
{
    // A running job is cancelled first; its page closes the window after.
    if (m_busy) {
        requestCancel();
        return;
    }
    QWizard::reject();
}

} // namespace zelvar::wizard
