// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of the data wizard. Each holds its controls and wiring; what
// they decide goes into the window's ImportSetup and ImportRun.
#include "wizard/engine/ExportRun.h"
#include "wizard/engine/ImportRun.h"

#include <QAbstractTableModel>
#include <QWizardPage>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;

namespace zelvar::wizard {

class WizardWindow;
class ImportRun;

// "Ne yapmak istiyorsunuz?": bring records in or take a table out.
class StartWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit StartWizardPage(WizardWindow& wizard);
    int nextId() const override;
    void chooseExport(bool exportChosen);

private:
    QRadioButton* m_import;
    QRadioButton* m_export;
};

// The folder of Paradox tables or the file to import.
class SourceWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit SourceWizardPage(WizardWindow& wizard);
    int nextId() const override;
    bool validatePage() override;
    bool isComplete() const override;
    void setPath(const QString& path);

private:
    void browse();
    WizardWindow& m_wizard;
    QLineEdit* m_path;
};

// The tables found in a Paradox folder, with their rows and code pages.
class TablesWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit TablesWizardPage(WizardWindow& wizard);
    void initializePage() override;
    int nextId() const override;
    bool isComplete() const override;
    QTableWidget* tableList() const { return m_tables; }
    QComboBox* codePageBox() const { return m_codePage; }

private:
    void chooseCodePage(int index);
    WizardWindow& m_wizard;
    QTableWidget* m_tables;
    QComboBox* m_codePage;
    QLabel* m_notes;
};

// A sheet's target table and, for a text file, its encoding.
class SheetWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit SheetWizardPage(WizardWindow& wizard);
    void initializePage() override;
    int nextId() const override;
    QComboBox* tableBox() const { return m_table; }
    QComboBox* encodingBox() const { return m_encoding; }

private:
    WizardWindow& m_wizard;
    QLabel* m_about;
    QComboBox* m_table;
    QLabel* m_encodingLabel;
    QComboBox* m_encoding;
};

// Each column of the file beside the field it fills.
class MappingWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit MappingWizardPage(WizardWindow& wizard);
    void initializePage() override;
    int nextId() const override;
    bool isComplete() const override;
    QTableWidget* mappingList() const { return m_list; }

private:
    WizardWindow& m_wizard;
    QTableWidget* m_list;
};

// The first rows as they will be stored.
class PreviewWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit PreviewWizardPage(WizardWindow& wizard);
    void initializePage() override;
    int nextId() const override;
    QTableWidget* rows() const { return m_rows; }

private:
    void show(int table);
    WizardWindow& m_wizard;
    QComboBox* m_table;
    QTableWidget* m_rows;
};

// The running count of a check or a write: what is being done, a bar, and
// Cancel, which the job sees through the progress it reports.
class JobProgress : public QWidget {
    Q_OBJECT
public:
    JobProgress(WizardWindow& wizard, QWidget* parent);
    // Shows `state` with a moving bar and enables Cancel.
    void start(const QString& state);
    // The progress a job reports: "<table>: <n> satır <verb>".
    ImportProgress report(const QString& verb);
    // The job can no longer be cancelled (an import's commit): says so and
    // turns Cancel off before the window waits for it.
    void committing();
    // Shows `state` and a full bar; Cancel is off.
    void finish(const QString& state);

private:
    WizardWindow& m_wizard;
    QLabel* m_state;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};

// The issues of a check, as a table.
class IssueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    void setRun(const ImportRun* run);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ImportRun* m_run = nullptr;
};

// The check: every row that would be refused or changed, a choice per kind.
class CheckWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit CheckWizardPage(WizardWindow& wizard);
    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    bool isComplete() const override;
    bool validatePage() override;
    // Runs the check now (the page starts it by itself once shown).
    void runCheck();
    void saveReport();
    QTableWidget* kinds() const { return m_kinds; }
    QTableView* issueView() const { return m_issues; }
    QLabel* summary() const { return m_summary; }

private:
    void showResult();
    void updateSummary();
    WizardWindow& m_wizard;
    JobProgress* m_progress;
    QTableWidget* m_kinds;
    QTableView* m_issues;
    IssueModel m_model;
    QPushButton* m_save;
    QLabel* m_summary;
    bool m_done = false;
};

// The writing: backup, one transaction, running count and Cancel.
class WriteWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit WriteWizardPage(WizardWindow& wizard);
    void initializePage() override;
    bool isComplete() const override;
    int nextId() const override { return -1; }
    // Writes now (the page starts by itself once shown).
    void runWrite();
    QLabel* result() const { return m_result; }

private:
    WizardWindow& m_wizard;
    JobProgress* m_progress;
    QLabel* m_result;
    bool m_done = false;
};

// A table to take out, its format and file.
class ExportWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit ExportWizardPage(WizardWindow& wizard);
    int nextId() const override;
    bool isComplete() const override;
    bool validatePage() override;
    QComboBox* tableBox() const { return m_table; }
    QComboBox* formatBox() const { return m_format; }
    QLineEdit* fileEdit() const { return m_file; }
    QString lastResult() const { return m_result; }

private:
    void browse();
    void suggestName(bool tableChanged);
    WizardWindow& m_wizard;
    QComboBox* m_table;
    QComboBox* m_format;
    QLineEdit* m_file;
    QProgressBar* m_progress;
    QString m_result;
};

class ExportDoneWizardPage : public QWizardPage {
    Q_OBJECT
public:
    explicit ExportDoneWizardPage(WizardWindow& wizard);
    void initializePage() override;
    int nextId() const override { return -1; }

private:
    WizardWindow& m_wizard;
    QLabel* m_result;
};

} // namespace zelvar::wizard
