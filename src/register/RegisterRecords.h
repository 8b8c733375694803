// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RegisterRecords: the register's rules, apart from the window that shows
// them. How a resident record is born (New: the highest number plus one and
// the household's data carried over from the resident who was current),
// filled (Add), saved, abandoned and removed; the colour state, which is also
// the window's memory that a new record is open; the searches, which move the
// current record, and the filters, which replace the register's statement;
// the province name that follows the province code.
//
// What the rules need of the window (the boxes' texts, the entry page, the
// focus, the colours) they ask through RegisterScreen, so that tests drive
// them without a window. Typed text is always a bound parameter.
#include "platform/Services.h"
#include "register/RegisterLook.h"

#include <QDate>
#include <QObject>
#include <QStringList>

namespace zelvar {

class Dataset;
class TDM2;
struct RegisterMemory;

// What the rules ask of the window that shows the register.
class RegisterScreen {
public:
    virtual ~RegisterScreen() = default;
    // The text the entry box of a field shows, typed or stored; empty when
    // no box shows the field.
    virtual QString boxText(const QString& field) const = 0;
    // True when "Konutun Türü" shows its first item, "Ev".
    virtual bool showsHouse() const = 0;
    virtual void showEntryPage() = 0;
    virtual void focusBox(const QString& field) = 0;
    // A record was saved: "&Yeni" takes the focus if the entry page shows.
    virtual void recordSaved() = 0;
    // Paints every entry control in the colour of the state.
    virtual void paintState(ColorState state) = 0;
};

class RegisterRecords : public QObject {
    Q_OBJECT
public:
    enum class SearchMode { Name, RecordNumber };

    RegisterRecords(TDM2& dm, const Services& services, RegisterMemory& memory, RegisterScreen& screen);

    // Texts of the messages and questions.
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
    void paint(ColorState state);
    // Moved-out when the current resident's Nakil is "1", otherwise normal.
    void paintByFlag();
    // After a navigator: aqua while the surname filter is in force,
    // otherwise by the flag.
    void paintAfterMove();

    // --- record lifecycle
    void newRecord();
    void addRecord();
    void saveRecord();
    void cancelRecord();
    void deleteRecord();
    // Removes the current resident and his photographs in one transaction.
    void removeCurrentResident();
    // Leaving page 3 with a new record open asks whether to store it: Yes
    // posts it (through the whole Save, name check included, when
    // wholeSave), Cancel drops it. Either way the colours go back to normal.
    void answerUnsavedQuestion(bool wholeSave);

    // --- search and filters
    // The whole register, read afresh: how the window opens it.
    void openWholeTable();
    SearchMode searchMode() const { return m_searchMode; }
    void setSearchMode(SearchMode mode) { m_searchMode = mode; }
    void incrementalSearch(const QString& text);
    void quickFind();
    // False when there is no text: the warning is shown, the result stays.
    bool surnameFilter(const QString& text);
    bool surnameFilterOn() const { return m_surnameFilter; }
    void wholeTable();
    void alphabetFilter(const QString& letter);
    void endAlphabetFilter();

    // --- entry aids
    // From now on the province lookup runs whenever another resident
    // becomes current.
    void followCurrentResident();
    // The province name for the code in the "İl Kodu" box.
    void provinceLookup();
    // Entering the nationality box writes "T.C.".
    void nationalityFill();
    // A date chosen in the entry page's picker becomes a new record's
    // moving-in date.
    void entryDatePicked(const QDate& date);

private:
    Dataset* registerSet() const;
    bool hasRecordOrPendingRow() const;
    void rememberCarryOver();
    void writeCarryOver();
    void postCurrent();
    void currentResidentChanged();

    TDM2& m_dm;
    Services m_services;
    RegisterMemory& m_memory;
    RegisterScreen& m_screen;
    ColorState m_colorState = ColorState::Normal;
    SearchMode m_searchMode = SearchMode::Name;
    bool m_surnameFilter = false;
    QString m_lastCurrentKey; // the resident the province lookup last saw become current
};

} // namespace zelvar
