// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WizardWindow: the data wizard's window, "Veri Sihirbazı". Step by step it
// brings an office's records in (a folder of Paradox tables, or a .xlsx,
// .ods or .csv file: source, tables or mapping, preview, check, writing) or
// takes a table out to a file. The rules live in the engine's widget-free
// classes; the pages hold their controls and wiring.
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/ImportSetup.h"

#include <QWizard>
#include <memory>

namespace zelvar {
class Database;
}

namespace zelvar::wizard {

class WizardWindow : public QWizard {
    Q_OBJECT
public:
    enum Page {
        StartPage,
        SourcePage,
        TablesPage,
        SheetPage,
        MappingPage,
        PreviewPage,
        CheckPage,
        WritePage,
        ExportPage,
        ExportDonePage
    };

    WizardWindow(Database& db, const QString& dataFolder, Prompter& prompter, const Clock& clock,
                 QWidget* parent = nullptr);
    ~WizardWindow() override;

    static QString caption() { return QStringLiteral("Veri Sihirbazı"); }

    Database& database() { return m_db; }
    QString dataFolder() const { return m_dataFolder; }
    Prompter& prompter() { return m_prompter; }
    const Clock& clock() const { return m_clock; }
    ImportSetup& setup() { return m_setup; }
    // The run of the check page, made from the setup when the check starts.
    ImportRun* run() { return m_run.get(); }
    void setRun(std::unique_ptr<ImportRun> run) { m_run = std::move(run); }

    // Set while a check, a write or an export runs: closing then cancels it.
    bool busy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }
    bool cancelRequested() const { return m_cancel; }
    void requestCancel() { m_cancel = true; }
    void clearCancel() { m_cancel = false; }

protected:
    void reject() override;

private:
    Database& m_db;
    QString m_dataFolder;
    Prompter& m_prompter;
    const Clock& m_clock;
    ImportSetup m_setup;
    std::unique_ptr<ImportRun> m_run;
    bool m_busy = false;
    bool m_cancel = false;
};

} // namespace zelvar::wizard
