// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RegisterControls: the register window's controls, laid out as the window
// shows them: the toolbar, the status bar and the six pages, each control at
// its place, with its caption, hint, binding and object name. The window
// (TForm2) holds one, wires the controls to its commands and reads or paints
// them; the layout lives here, one source file per page
// (RegisterPageCheck.cpp, RegisterPageEntry.cpp, RegisterPageCivil.cpp,
// RegisterPagesMore.cpp).
#include <QHash>
#include <QString>

class QAction;
class QCalendarWidget;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QWidget;

namespace zelvar {

class Clock;
class DBEdit;
class DBGrid;
class DBImage;
class DBNavigator;
class DBRadioGroup;
class TDM2;

struct RegisterControls {
    // The window's geometry.
    static constexpr int kClientWidth = 635;
    static constexpr int kClientHeight = 436;
    static constexpr int kPageWidth = 633;
    static constexpr int kPageHeight = 405;
    static constexpr int kToolbarHeight = 28;
    static constexpr int kStatusHeight = 19;

    enum Page { RecordCheckPage, EntryPage, CivilRegistryPage, DetailedViewPage, DocumentsPage, MoveOutPage };
    static constexpr int kPageCount = 6;

    // The toolbar's buttons, left to right (separators and the record-number
    // panel left out).
    enum Tool {
        CloseTool,
        NewTool,
        AddTool,
        SaveTool,
        DeleteTool,
        CancelTool,
        QueryTool,
        WipeTool,
        DwellingTool,
        IdCopyTool,
        ResidenceTool,
        IdChangeTool,
        IdChangeBackTool,
        MoveOutCertificateTool,
        PovertyTool,
        StatusTool,
        HelpTool,
    };
    static constexpr int kToolCount = 17;

    // Builds every control into the window.
    void build(QWidget* window, TDM2& dm, const Clock& clock);

    // The entry box of a register field on pages 2 and 3; nullptr if none.
    QWidget* entryBox(const QString& field) const;
    // The date pickers, painted with the entry controls.
    QList<QWidget*> datePickers() const;

    QWidget* toolBar = nullptr;
    QAction* tools[kToolCount] = {};
    QStatusBar* statusBar = nullptr;
    QTabWidget* pages = nullptr;
    DBNavigator* navigators[kPageCount] = {}; // none on the documents page
    QHash<QString, QWidget*> boxes;           // entry boxes by field name

    // page 1
    QLineEdit* searchBox = nullptr;
    QLineEdit* recordCount = nullptr;
    QToolButton* nameMode = nullptr;
    QToolButton* numberMode = nullptr;
    QToolButton* quickFind = nullptr;
    QToolButton* surnameToggle = nullptr;
    QToolButton* wholeTableToggle = nullptr;
    QHash<QString, QToolButton*> letters;
    QToolButton* endAlphabet = nullptr;
    QPushButton* checkToEntry = nullptr;
    QPushButton* checkToCivil = nullptr;
    DBGrid* residentGrid = nullptr;
    // page 2
    DBEdit* nationalityBox = nullptr;
    QDateEdit* entryDatePicker = nullptr;
    DBRadioGroup* houseType = nullptr;
    DBImage* photo = nullptr;
    QToolButton* photoLoad = nullptr;
    QToolButton* photoDelete = nullptr;
    QToolButton* photoShow = nullptr;
    QToolButton* photoHide = nullptr;
    QToolButton* quickFindEntry = nullptr;
    QToolButton* entryToCheck = nullptr;
    QToolButton* entryToCivil = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* cancelButton = nullptr;
    // page 3
    DBEdit* provinceCodeBox = nullptr;
    QToolButton* moveOutAdd = nullptr;
    QPushButton* civilToEntry = nullptr;
    QPushButton* civilToCheck = nullptr;
    // page 5
    QCalendarWidget* calendar = nullptr;
    QToolButton* today = nullptr;
    // page 6
    QLineEdit* moveOutSearch = nullptr;
    DBGrid* moveOutGrid = nullptr;
    QDateEdit* moveOutDatePicker = nullptr;
    QLabel* cover = nullptr;

private:
    void buildToolBar(QWidget* window, TDM2& dm);
    void buildStatusBar(QWidget* window);
    QWidget* buildRecordCheckPage(TDM2& dm);
    QWidget* buildEntryPage(TDM2& dm);
    QWidget* buildCivilRegistryPage(TDM2& dm);
    QWidget* buildDetailedViewPage(TDM2& dm);
    QWidget* buildDocumentsPage(TDM2& dm, const Clock& clock);
    QWidget* buildMoveOutPage(TDM2& dm);
    void registerBox(const QString& field, QWidget* box);
};

} // namespace zelvar
