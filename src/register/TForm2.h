#pragma once
// TForm2: the register window "Bilgi Bankası". Residents are entered,
// found, corrected, moved out and deleted here, and every certificate starts
// from it. It works on the data module's register dataset Query2 and shows
// it on six pages; the operations behind its buttons are the methods below,
// split over several source files by concern:
//   TForm2.cpp           frame, toolbar, status bar, keys, colour state
//   RegisterPage*.cpp    the six pages
//   RecordLifecycle.cpp  New, Add, Save, Cancel, Delete, leaving page 3
//   RegisterSearch.cpp   search, quick find, filters, navigators, count
//   EntryAids.cpp        province lookup, nationality, moving-in date
//   RegisterMoveOut.cpp  photographs, move-out file, cover picture, wipe
#include "platform/Services.h"
#include "register/RegisterLook.h"
#include "ui/bound/DBNavigator.h"

#include <QDate>
#include <QHash>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <memory>

class QAction;
class QButtonGroup;
class QCalendarWidget;
class QDateEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace zelvar {

class AnalogClock;
class CertificateTemplate;
class MainCommands;
class CoverPicture;
class PhotoOperations;
struct PrintedForms;
struct RegisterMemory;
struct MoveOutFollowUp;
class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBImage;
class DBMemo;
class DBRadioGroup;
class DBText;
class DataSource;
class Dataset;
class DigitalClock;
class TDM2;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    // The memory and the printed forms outlive the window: the window
    // factories own them. The main window's commands let the text
    // certificates open the editor; without them those buttons do nothing.
    TForm2(TDM2& dm, const Services& services, RegisterMemory& memory, PrintedForms& forms,
           MainCommands* commands = nullptr, QWidget* parent = nullptr);
    ~TForm2() override;

    static QString caption() { return QStringLiteral("Bilgi Bankası"); }
    static constexpr int kHelpTopic = 102;
    static constexpr int kClientWidth = 635;
    static constexpr int kClientHeight = 436;
    static constexpr int kPageWidth = 633;
    static constexpr int kPageHeight = 405;
    static constexpr int kToolbarHeight = 28;
    static constexpr int kStatusHeight = 19;

    enum Page { RecordCheckPage, EntryPage, CivilRegistryPage, DetailedViewPage, DocumentsPage, MoveOutPage };

    // The toolbar's items, left to right (separators left out).
    enum ToolItem {
        CloseItem,
        NewItem,
        AddItem,
        SaveItem,
        DeleteItem,
        CancelItem,
        QueryItem,
        WipeItem,
        DwellingItem,
        IdCopyItem,
        ResidenceItem,
        IdChangeItem,
        IdChangeBackItem,
        MoveOutCertificateItem,
        PovertyItem,
        StatusItem,
        RecordNumberItem,
        HelpItem,
    };
    static constexpr int kToolItemCount = 18;

    enum class SearchMode { Name, RecordNumber };

    // Texts of the window's messages and questions.
    static QString openRecordFirstMessage() { return QStringLiteral("Lütfen Önce Yeni Düğmesiyle Bir Kayıt Açınız !"); }
    static QString enterNameFirstMessage() { return QStringLiteral("Lütfen Önce Kişinin Adını Giriniz!"); }
    static QString newFailedMessage() { return QStringLiteral("Lütfen Ad ve Soyadını Boş Bırakmayınız !"); }
    static QString addFailedMessage() { return QStringLiteral("Lütfen Taşındığı Tarihi Boş Bırakmayınız !"); }
    static QString nothingToDeleteMessage() { return QStringLiteral("Veritabanında Silinecek Kayıt Yok!"); }
    static QString deleteQuestion() { return QStringLiteral("Bu Kayıt Silinsin mi?"); }
    static QString deleteQuestionTitle() { return QStringLiteral("Zelvar 2001"); }
    static QString unsavedQuestion() { return QStringLiteral("Bilgiyi Kaydetmediniz. Kaydedilsin mi?"); }
    static QString quickFindTitle() { return QStringLiteral("Aradığınız Ad ve Soyadı Giriniz :"); }
    static QString quickFindPrompt() { return QStringLiteral("Hızlı Bul !"); }
    static QString notFoundMessage() { return QStringLiteral("Aradığınız Kişi Bulunamadı"); }
    static QString typeSurnameMessage() { return QStringLiteral("Lütfen Aradığınız Soyadını Kutuya Giriniz !"); }
    static QString surnameNotFoundMessage() { return QStringLiteral("Aradığınız Soyadı Bulunamadı !"); }
    static QString tooFewRecordsMessage() { return QStringLiteral("Henüz Kayıt Sayısı Yeterli Değil !"); }

    // The register statements.
    static QString wholeTableSql() { return QStringLiteral("select * from zelvarx"); }
    // The typed text is matched literally: its "%" and "_" are escaped.
    static QString surnameFilterSql() { return QStringLiteral("select * from zelvarx where adi like ? escape '\\' "); }
    static QString alphabetFilterSql() { return QStringLiteral("select * from zelvarx where Adi  like ?"); }
    // The 31 letters of the alphabet panel, left column first.
    static QStringList alphabet();

    // --- colour state
    ColorState colorState() const { return m_colorState; }
    // Paints every entry control in the colour of the state.
    void paint(ColorState state);
    // Moved-out when the current resident's Nakil is "1", otherwise normal.
    void paintByFlag();

    // --- record lifecycle
    void newRecord();
    void addRecord();
    void saveRecord();
    void cancelRecord();
    void deleteRecord();
    void leaveToRecordCheck(); // "Kayıt Kontrol" of page 3, F5
    void leaveToEntry();       // "Bilgi Giriş" of page 3

    // --- search, filters and navigation
    SearchMode searchMode() const { return m_searchMode; }
    void setSearchMode(SearchMode mode); // as clicking its toggle: empties the box
    void incrementalSearch(const QString& text);
    void quickFind();
    void surnameFilter();
    void wholeTable();
    void alphabetFilter(const QString& letter);
    void endAlphabetFilter();
    // What every register navigator does after its button has acted.
    void afterNavigator(DBNavigator::Button button);
    void afterCivilRegistryNavigator(DBNavigator::Button button);
    // Looks the current resident up in the move-out file and shows the
    // cover panel when he has no entry there.
    void followRegisterToMoveOutFile();
    void updateRecordCount();

    // --- entry aids
    void provinceLookup();
    void nationalityFill();
    void entryDatePicked(const QDate& date);

    // --- pages
    void showPage(Page page); // a switch by the window's own buttons and keys
    Page currentPage() const;

    // --- photographs, move-out file and wipe
    void loadPhoto();
    void deletePhoto();
    void addToMoveOutFile();
    void wipeDatabase();
    void onMoveOutListClicked();
    void onMoveOutSearchChanged(const QString& text);
    void onMoveOutDatePicked(const QDate& date);
    void onTabChangedByUser(int page);
    // The picture box of page 2 shown or hidden; not stored.
    void showPhoto();
    void hidePhoto();
    // The cover panel over the move-out details.
    void setCoverVisible(bool visible);
    bool isCoverVisible() const;
    void setCoverPicture(const QImage& picture);

    void closeWindow();
    void showHelp();
    // "Sorgula": the query window, through the main window.
    void openQueryWindow();

    // --- text certificates composed into the editor
    // Move-out certificate ("Nakil Belgesi ").
    void ToolButton18Click();
    // Poverty certificate ("Fakirlik Belgesi ").
    void ToolButton20Click();
    // Status certificate (" İlmuhaber ").
    void ToolButton21Click();
    // Identity-card change certificate, back page ("Nüfus Cüzdanı Değiştirme Sayfa 2").
    void ToolButton30Click();
    // A resident field as the register's boxes show it; an empty date is empty.
    QString shownText(const QString& field) const;

    // --- printed certificates and the dwelling declaration
    void ToolButton13Click(); // "Konutta Kalanlar Belgesi": the selection window TForm5
    void ToolButton15Click(); // "Nüfus Cüzdan Sureti "
    void ToolButton17Click(); // "İkametgah Belgesi "
    void ToolButton19Click(); // "Nüfus Cüzdanı Değiştirme Belgesi "

    // --- what tests, the main window and the operations reach
    TDM2& dm() const { return m_dm; }
    const Services& services() const { return m_services; }
    QTabWidget* pages() const { return m_pages; }
    QWidget* toolBar() const { return m_toolFrame; }
    // The action of a toolbar button; none for the record-number panel.
    QAction* toolAction(ToolItem item) const { return m_toolActions[item]; }
    QWidget* toolWidget(ToolItem item) const { return m_toolWidgets[item]; }
    QStatusBar* statusBar() const { return m_statusBar; }
    // The main entry box of a register field (page 2 or 3); nullptr if none.
    QWidget* entryBox(const QString& field) const;
    DBEdit* edit(const QString& field) const;
    DBComboBox* combo(const QString& field) const;
    DBMemo* memo(const QString& field) const;
    DBEdit* maxNumberBox() const { return m_maxNumberBox; }
    QDateEdit* entryDatePicker() const { return m_entryDatePicker; }
    QDateEdit* moveOutDatePicker() const { return m_moveOutDatePicker; }
    DBRadioGroup* houseTypeGroup() const { return m_houseType; }
    DBRadioGroup* photoPrintGroup() const { return m_photoPrint; }
    DBImage* photoBox() const { return m_photo; }
    DBCheckBox* moveOutFlag() const { return m_moveOutFlag; }
    QLineEdit* searchBox() const { return m_searchBox; }
    QLineEdit* recordCountBox() const { return m_recordCount; }
    QLineEdit* moveOutSearchBox() const { return m_moveOutSearch; }
    QAbstractButton* nameModeToggle() const { return m_nameMode; }
    QAbstractButton* numberModeToggle() const { return m_numberMode; }
    QAbstractButton* quickFindButton() const { return m_quickFind; }
    QAbstractButton* quickFindEntryButton() const { return m_quickFindEntry; }
    QAbstractButton* surnameToggle() const { return m_surnameToggle; }
    QAbstractButton* wholeTableToggle() const { return m_wholeTableToggle; }
    QAbstractButton* letterButton(const QString& letter) const { return m_letters.value(letter); }
    QAbstractButton* endAlphabetButton() const { return m_endAlphabet; }
    QAbstractButton* photoShowToggle() const { return m_photoShow; }
    QAbstractButton* photoHideToggle() const { return m_photoHide; }
    QAbstractButton* photoLoadButton() const { return m_photoLoad; }
    QAbstractButton* photoDeleteButton() const { return m_photoDelete; }
    QAbstractButton* moveOutAddButton() const { return m_moveOutAdd; }
    QPushButton* newButton() const { return m_newButton; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QAbstractButton* toEntryButton() const { return m_toEntry; }             // page 3 "Bilgi Giriş"
    QAbstractButton* toRecordCheckButton() const { return m_toRecordCheck; } // page 3 "Kayıt Kontrol"
    QAbstractButton* queryButton() const;                                    // "Sorgula"
    DBGrid* residentGrid() const { return m_residentGrid; }                  // page 1
    DBGrid* nameListGrid() const { return m_nameList; }                      // page 3
    DBGrid* detailGrid() const { return m_detailGrid; }                      // page 4
    DBGrid* moveOutGrid() const { return m_moveOutGrid; }                    // page 6
    DBNavigator* navigator(Page page) const { return m_navigators.value(page); }
    PhotoOperations& photoOperations() const { return *m_photoOperations; }
    CoverPicture& coverPicture() const { return *m_coverPicture; }
    DBMemo* documentsMemo() const { return m_documents; }
    QCalendarWidget* calendar() const { return m_calendar; }
    QAbstractButton* todayButton() const { return m_today; }
    QLabel* coverPanel() const { return m_cover; }
    QGroupBox* moveOutDetails() const { return m_moveOutDetails; }
    DBText* recordNumberPanel() const { return m_toolbarNumber; }
    // The date pickers, painted with the entry controls.
    QList<QWidget*> datePickers() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

public:
    // True when a mouse event at pos on the document frame would drag its
    // border: the frame keeps its size unless it is maximised.
    bool isFrameBorder(const QPoint& pos) const;

private:
    // frame
    void buildToolBar();
    void buildStatusBar();
    void buildPages();
    QWidget* buildRecordCheckPage();
    QWidget* buildEntryPage();
    QWidget* buildCivilRegistryPage();
    QWidget* buildDetailedViewPage();
    QWidget* buildDocumentsPage();
    QWidget* buildMoveOutPage();
    void setUpCalendar();
    void connectDataset();
    bool handleKey(QKeyEvent* event);
    bool isMine(QObject* object) const;
    void keepFocusInside();
    int pageOfKey(const QKeyEvent* event) const; // -1: no page key
    void moveFocusToNext();
    void registerBox(const QString& field, QWidget* box);

    // record lifecycle
    bool hasRecordOrPendingRow() const;
    void rememberCarryOver();
    void writeCarryOver();
    QString boxText(const QString& field) const;
    void answerUnsavedQuestion(bool wholeSave);
    // Removes the current resident and his photographs in one transaction.
    void removeCurrentResident();

    // entry aids
    void currentResidentChanged();

    // move-out file
    void apply(const MoveOutFollowUp& next);

    // text certificates
    void wireTextCertificates();
    void composeCertificate(const CertificateTemplate& certificate);
    // printed certificates
    void wirePrintedCertificates();

    Dataset* register_() const;

    TDM2& m_dm;
    Services m_services;
    RegisterMemory& m_memory;
    PrintedForms& m_forms;
    MainCommands* m_commands = nullptr;
    ColorState m_colorState = ColorState::Normal;
    SearchMode m_searchMode = SearchMode::Name;
    bool m_pageChangeByWindow = false;
    QString m_lastCurrentKey; // the resident the province lookup last saw become current
    std::unique_ptr<PhotoOperations> m_photoOperations;
    std::unique_ptr<CoverPicture> m_coverPicture;

    QWidget* m_toolFrame = nullptr;
    QAction* m_toolActions[kToolItemCount] = {};
    QWidget* m_toolWidgets[kToolItemCount] = {};
    DBText* m_toolbarNumber = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QTabWidget* m_pages = nullptr;
    QTimer* m_countTimer = nullptr;
    QHash<QString, QWidget*> m_boxes;
    QHash<int, DBNavigator*> m_navigators;

    // page 1
    QLineEdit* m_searchBox = nullptr;
    QLineEdit* m_recordCount = nullptr;
    QToolButton* m_nameMode = nullptr;
    QToolButton* m_numberMode = nullptr;
    QToolButton* m_quickFind = nullptr;
    QToolButton* m_surnameToggle = nullptr;
    QToolButton* m_wholeTableToggle = nullptr;
    QHash<QString, QToolButton*> m_letters;
    QToolButton* m_endAlphabet = nullptr;
    QButtonGroup* m_letterGroup = nullptr;
    DBGrid* m_residentGrid = nullptr;
    // page 2
    DBEdit* m_nameBox = nullptr;
    DBEdit* m_nationalityBox = nullptr;
    DBEdit* m_maxNumberBox = nullptr;
    QDateEdit* m_entryDatePicker = nullptr;
    DBRadioGroup* m_photoPrint = nullptr;
    DBRadioGroup* m_houseType = nullptr;
    DBImage* m_photo = nullptr;
    QToolButton* m_photoLoad = nullptr;
    QToolButton* m_photoDelete = nullptr;
    QToolButton* m_photoShow = nullptr;
    QToolButton* m_photoHide = nullptr;
    QToolButton* m_quickFindEntry = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    // page 3
    DBEdit* m_provinceCodeBox = nullptr;
    DBCheckBox* m_moveOutFlag = nullptr;
    QToolButton* m_moveOutAdd = nullptr;
    DBGrid* m_nameList = nullptr;
    QPushButton* m_toEntry = nullptr;
    QPushButton* m_toRecordCheck = nullptr;
    // page 4
    DBGrid* m_detailGrid = nullptr;
    // page 5
    DBMemo* m_documents = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QToolButton* m_today = nullptr;
    // page 6
    QLineEdit* m_moveOutSearch = nullptr;
    DBGrid* m_moveOutGrid = nullptr;
    QGroupBox* m_moveOutDetails = nullptr;
    QDateEdit* m_moveOutDatePicker = nullptr;
    QLabel* m_cover = nullptr;
};

} // namespace zelvar
