// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm2: the register window "Bilgi Bankası". Residents are entered,
// found, corrected, moved out and deleted here, and every certificate starts
// from it. The window holds its controls (RegisterControls, laid out page by
// page) and wires them, its keys and its pages to the commands below; the
// register's rules behind the commands live in RegisterRecords, the
// photographs, move-out file, wipe and certificates in their own operation
// classes. Source files:
//   TForm2.cpp            frame, wiring, keys, pages, colours
//   RegisterMoveOut.cpp   photographs, move-out file, cover picture, wipe
//   RegisterCertificates.cpp  the printed and the text certificates
#include "platform/Services.h"
#include "register/RegisterControls.h"
#include "register/RegisterRecords.h"
#include "ui/bound/DBNavigator.h"

#include <QWidget>
#include <memory>

namespace zelvar {

class CoverPicture;
class CertificateTemplate;
class MainCommands;
class PhotoOperations;
struct MoveOutFollowUp;
struct PrintedForms;
struct RegisterMemory;

class TForm2 : public QWidget, private RegisterScreen {
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
    static constexpr int kClientWidth = RegisterControls::kClientWidth;
    static constexpr int kClientHeight = RegisterControls::kClientHeight;
    static constexpr int kToolbarHeight = RegisterControls::kToolbarHeight;
    using Page = RegisterControls::Page;
    static constexpr Page RecordCheckPage = RegisterControls::RecordCheckPage;
    static constexpr Page EntryPage = RegisterControls::EntryPage;
    static constexpr Page CivilRegistryPage = RegisterControls::CivilRegistryPage;
    static constexpr Page DetailedViewPage = RegisterControls::DetailedViewPage;
    static constexpr Page DocumentsPage = RegisterControls::DocumentsPage;
    static constexpr Page MoveOutPage = RegisterControls::MoveOutPage;
    using SearchMode = RegisterRecords::SearchMode;

    // --- colour state
    ColorState colorState() const { return m_records.colorState(); }
    void paint(ColorState state) { m_records.paint(state); }
    void paintByFlag() { m_records.paintByFlag(); }

    // --- record lifecycle: the toolbar, the entry page's buttons, F8 to F12
    void newRecord() { m_records.newRecord(); }
    void addRecord() { m_records.addRecord(); }
    void saveRecord() { m_records.saveRecord(); }
    void cancelRecord() { m_records.cancelRecord(); }
    void deleteRecord() { m_records.deleteRecord(); }
    void leaveToRecordCheck(); // "Kayıt Kontrol" of page 3, F5
    void leaveToEntry();       // "Bilgi Giriş" of page 3

    // --- search, filters and navigation
    SearchMode searchMode() const { return m_records.searchMode(); }
    void setSearchMode(SearchMode mode); // as clicking its toggle: empties the box
    void quickFind() { m_records.quickFind(); }
    void surnameFilter();
    void wholeTable();
    void alphabetFilter(const QString& letter);
    void endAlphabetFilter();
    // What every register navigator does after its button has acted.
    void afterNavigator();
    void afterCivilRegistryNavigator(DBNavigator::Button button);
    // Looks the current resident up in the move-out file and shows the
    // cover panel when he has no entry there.
    void followRegisterToMoveOutFile();
    void updateRecordCount();
    void entryDatePicked(const QDate& date) { m_records.entryDatePicked(date); }

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
    void onTabChangedByUser();
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

    // --- certificates
    // ToolButton13Click: "Konutta Kalanlar Belgesi", the selection window TForm5.
    void declareDwellingResidents();
    // ToolButton15Click: "Nüfus Cüzdan Sureti ".
    void printIdCardCopy();
    // ToolButton17Click: "İkametgah Belgesi ".
    void printResidenceCertificate();
    // ToolButton19Click: "Nüfus Cüzdanı Değiştirme Belgesi ".
    void printIdCardChange();
    // ToolButton18Click: "Nakil Belgesi ", composed into the editor.
    void composeMoveOutCertificate();
    // ToolButton20Click: "Fakirlik Belgesi ", composed into the editor.
    void composePovertyCertificate();
    // ToolButton21Click: " İlmuhaber ", composed into the editor.
    void composeStatusCertificate();
    // ToolButton30Click: "Nüfus Cüzdanı Değiştirme Sayfa 2", composed into the editor.
    void composeIdCardChangeBackPage();
    // The cover's picture source, which tests draw from.
    CoverPicture& coverPicture() const { return *m_coverPicture; }

    // True when a mouse event at pos on the document frame would drag its
    // border: the frame keeps its size unless it is maximised.
    bool isFrameBorder(const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // RegisterScreen
    QString boxText(const QString& field) const override;
    bool showsHouse() const override;
    void showEntryPage() override { showPage(EntryPage); }
    void focusBox(const QString& field) override;
    void recordSaved() override;
    void paintState(ColorState state) override;

    void wire();
    void wireToolBar();
    void wirePages();
    bool handleKey(QKeyEvent* event);
    bool isMine(QObject* object) const;
    void keepFocusInside();
    int pageOfKey(const QKeyEvent* event) const; // -1: no page key
    void apply(const MoveOutFollowUp& next);
    void composeCertificate(const CertificateTemplate& certificate);
    // A resident field as the register's boxes show it; an empty date is empty.
    QString shownText(const QString& field) const;

    // Connects a control's signal to a command; errors go to the handler.
    template <class Sender, class Signal, class Slot>
    void on(Sender* sender, Signal signal, Slot slot)
    {
        connectCommand(m_services.errors, sender, signal, this, slot);
    }

    TDM2& m_dm;
    Services m_services;
    PrintedForms& m_forms;
    MainCommands* m_commands = nullptr;
    RegisterRecords m_records;
    RegisterControls m_ui;
    bool m_pageChangeByWindow = false;
    std::unique_ptr<PhotoOperations> m_photoOperations;
    std::unique_ptr<CoverPicture> m_coverPicture;
};

} // namespace zelvar
