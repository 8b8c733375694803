// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/RegisterRecords.h"

#include "data/TDM2.h"
#include "data/TurkishText.h"
#include "register/Provinces.h"
#include "register/RegisterMemory.h"
#include "ui/WaitCursor.h"

namespace zelvar {

RegisterRecords::RegisterRecords(TDM2& dm, const Services& services, RegisterMemory& memory, RegisterScreen& screen)
    : m_dm(dm),
      m_services(services),
      m_memory(memory),
      m_screen(screen)
{
}

QStringList RegisterRecords::alphabet()
{
    return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("Ç"), QStringLiteral("D"),
            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G"), QStringLiteral("H"), QStringLiteral("I"),
            QStringLiteral("İ"), QStringLiteral("J"), QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("M"),
            QStringLiteral("N"), QStringLiteral("O"), QStringLiteral("Ö"), QStringLiteral("P"), QStringLiteral("Q"),
            QStringLiteral("R"), QStringLiteral("S"), QStringLiteral("Ş"), QStringLiteral("T"), QStringLiteral("U"),
            QStringLiteral("Ü"), QStringLiteral("V"), QStringLiteral("W"), QStringLiteral("X"), QStringLiteral("Y"),
            QStringLiteral("Z")};
}

Dataset* RegisterRecords::registerSet() const
{
    return m_dm.Query2;
}

// ------------------------------------------------------------ colour state

void RegisterRecords::paint(ColorState state)
{
    m_colorState = state;
    m_screen.paintState(state);
}

void RegisterRecords::paintByFlag()
{
    Dataset* q = registerSet();
    QString flag;
    if (q->isActive() && q->fieldIndex(QStringLiteral("Nakil")) >= 0)
        flag = q->displayText(QStringLiteral("Nakil"));
    paint(flag == QLatin1String("1") ? ColorState::MovedOut : ColorState::Normal);
}

void RegisterRecords::paintAfterMove()
{
    if (m_surnameFilter)
        paint(ColorState::SurnameFilter);
    else
        paintByFlag();
}

// --------------------------------------------------------- record lifecycle

bool RegisterRecords::hasRecordOrPendingRow() const
{
    // A new row that is not stored yet counts as a record here: otherwise a
    // second New on an empty register would store the first, nameless one.
    return registerSet()->recordCount() > 0 || registerSet()->isInserting();
}

void RegisterRecords::rememberCarryOver()
{
    CarryOver& carry = m_memory.carryOver;
    const QStringList& fields = CarryOver::fields();
    for (int i = 0; i < fields.size(); ++i)
        carry.texts[i] = m_screen.boxText(fields[i]);
    carry.house = m_screen.showsHouse();
}

void RegisterRecords::writeCarryOver()
{
    // The province code comes before the province name: its lookup writes a
    // name, and the carried name written right after it is the one that stays.
    const CarryOver& carry = m_memory.carryOver;
    const QStringList& fields = CarryOver::fields();
    for (int i = 0; i < fields.size(); ++i)
        registerSet()->setText(fields[i], carry.texts.value(i));
    registerSet()->setText(QStringLiteral("Konuturu"), carry.house ? QStringLiteral("E") : QStringLiteral("A"));
}

void RegisterRecords::postCurrent()
{
    Dataset* q = registerSet();
    if (!q->isEditing())
        q->edit();
    q->post();
}

void RegisterRecords::newRecord()
{
    m_screen.showEntryPage();
    if (hasRecordOrPendingRow() && m_screen.boxText(QStringLiteral("Adi")).isEmpty())
        return; // a new record without a name is already open
    Dataset* q = registerSet();
    try {
        rememberCarryOver();
        // The insert first stores the record that was being entered; the
        // highest number is read after that, so the two never share one.
        q->insert();
        paint(ColorState::Entry);
        const int number = m_dm.nextRecordNumber();
        // A new resident never shows photographs left behind by an old one.
        m_dm.dropOrphanPhotos(number);
        q->setValue(QStringLiteral("KayitNo"), number);
        m_screen.focusBox(QStringLiteral("YokTar"));
        q->setText(QStringLiteral("YokTar"), m_services.clock.today().toString(QString::fromLatin1(kDateFormat)));
    } catch (...) {
        m_services.prompter.message(newFailedMessage());
    }
}

void RegisterRecords::addRecord()
{
    m_screen.showEntryPage();
    if (!m_screen.boxText(QStringLiteral("IlKodu")).isEmpty())
        return;
    Dataset* q = registerSet();
    try {
        if (!q->isEditing())
            q->edit();
        writeCarryOver();
        q->post();
    } catch (...) {
        m_services.prompter.message(addFailedMessage());
        q->cancel();
    }
}

void RegisterRecords::saveRecord()
{
    if (registerSet()->recordCount() == 0 && m_colorState == ColorState::Normal) {
        m_services.prompter.message(openRecordFirstMessage(), MessageKind::Warning);
        newRecord();
        return;
    }
    if (m_screen.boxText(QStringLiteral("Adi")).isEmpty()) {
        m_services.sound.beep();
        m_services.prompter.message(enterNameFirstMessage());
        m_screen.showEntryPage();
        m_screen.focusBox(QStringLiteral("Adi"));
        return;
    }
    // A refused row (an incomplete date, a duplicate) stays in editing and
    // the error goes on to the application's handler.
    postCurrent();
    paint(ColorState::Normal);
    m_screen.recordSaved();
}

void RegisterRecords::cancelRecord()
{
    Dataset* q = registerSet();
    if (q->isInserting())
        paint(ColorState::Normal);
    q->cancel();
}

void RegisterRecords::deleteRecord()
{
    m_screen.showEntryPage();
    if (registerSet()->recordCount() == 0) {
        m_services.sound.beep();
        m_services.prompter.message(nothingToDeleteMessage());
        return;
    }
    if (m_services.prompter.ask(deleteQuestion(), Buttons::YesNo, MessageKind::Question, deleteQuestionTitle()) !=
        Answer::Yes)
        return;
    removeCurrentResident();
    paint(ColorState::Normal);
}

void RegisterRecords::removeCurrentResident()
{
    m_dm.removeResident(registerSet());
}

void RegisterRecords::answerUnsavedQuestion(bool wholeSave)
{
    if (m_colorState != ColorState::Entry)
        return;
    if (m_services.prompter.ask(unsavedQuestion(), Buttons::YesCancel, MessageKind::Question) == Answer::Yes) {
        if (wholeSave)
            saveRecord();
        else
            postCurrent();
    } else {
        registerSet()->cancel();
    }
    paint(ColorState::Normal);
}

// ------------------------------------------------------- search and filters

void RegisterRecords::openWholeTable()
{
    TDM2::reopen(registerSet(), wholeTableSql());
    registerSet()->refresh();
}

void RegisterRecords::incrementalSearch(const QString& text)
{
    Dataset* q = registerSet();
    try {
        if (text.isEmpty()) {
            q->cancel();
            q->first();
        } else if (m_searchMode == SearchMode::Name) {
            q->locate(QStringLiteral("Adi"), text, {true, true});
        } else {
            bool isNumber = false;
            const int number = text.toInt(&isNumber);
            if (isNumber)
                q->locate(QStringLiteral("KayitNo"), number);
        }
    } catch (...) {
        // A search that cannot be done shows nothing; the record stays.
    }
}

void RegisterRecords::quickFind()
{
    const QString text =
        m_services.prompter.inputText(quickFindTitle(), quickFindPrompt(), QString()).value_or(QString());
    Dataset* q = registerSet();
    if (q->locate(QStringLiteral("Adi"), text, {true, false}))
        return;
    m_services.sound.exclamation();
    m_services.prompter.message(notFoundMessage(), MessageKind::Warning);
    q->cancel();
    q->first();
}

bool RegisterRecords::surnameFilter(const QString& text)
{
    if (text.isEmpty()) {
        m_services.prompter.message(typeSurnameMessage(), MessageKind::Warning);
        m_surnameFilter = false;
        return false;
    }
    m_surnameFilter = true;
    // The name field holds name and surname together: the text may stand
    // anywhere in it.
    Dataset* q = registerSet();
    WaitCursor wait;
    TDM2::reopen(q, surnameFilterSql(), {QStringLiteral("%") + turkish::likeLiteral(text) + QStringLiteral("%")});
    if (q->recordCount() > 0)
        paint(ColorState::SurnameFilter);
    else
        m_services.prompter.message(surnameNotFoundMessage(), MessageKind::Warning);
    return true;
}

void RegisterRecords::wholeTable()
{
    m_surnameFilter = false;
    WaitCursor wait;
    TDM2::reopen(registerSet(), wholeTableSql());
    paint(ColorState::Normal);
}

void RegisterRecords::alphabetFilter(const QString& letter)
{
    m_memory.currentLetter = letter;
    try {
        WaitCursor wait;
        TDM2::reopen(registerSet(), alphabetFilterSql(), {letter + QStringLiteral("%")});
    } catch (...) {
        // The register stays closed until the next filter or whole table.
        m_services.prompter.message(tooFewRecordsMessage());
    }
}

void RegisterRecords::endAlphabetFilter()
{
    WaitCursor wait;
    TDM2::reopen(registerSet(), wholeTableSql());
    // Both photograph tables follow the reopened register again.
    for (Dataset* photos : {m_dm.tbfoto, m_dm.Table2}) {
        photos->close();
        photos->open();
    }
}

// -------------------------------------------------------------- entry aids

void RegisterRecords::followCurrentResident()
{
    Dataset* q = registerSet();
    connect(q, &Dataset::currentChanged, this, &RegisterRecords::currentResidentChanged);
    // The number of a new row is part of what tells one resident from the
    // next: after its post the same row stays current.
    connect(q, &Dataset::fieldChanged, this, [this](int field) {
        Dataset* d = registerSet();
        if (d->fieldName(field).compare(QLatin1String("KayitNo"), Qt::CaseInsensitive) == 0)
            m_lastCurrentKey = QString::number(d->recNo()) + QLatin1Char('|') + d->displayText(field);
    });
    currentResidentChanged();
}

void RegisterRecords::currentResidentChanged()
{
    // The province lookup runs whenever another resident becomes current,
    // even when his code reads the same as the last one's; not when the same
    // row is merely saved, cancelled or put into editing.
    Dataset* q = registerSet();
    if (!q->isActive()) {
        m_lastCurrentKey.clear();
        return;
    }
    const QString key = QString::number(q->recNo()) + QLatin1Char('|') + q->displayText(QStringLiteral("KayitNo"));
    if (key == m_lastCurrentKey)
        return;
    m_lastCurrentKey = key;
    if (q->state() == Dataset::State::Browse)
        provinceLookup();
}

void RegisterRecords::provinceLookup()
{
    const QString text = m_screen.boxText(QStringLiteral("IlKodu"));
    if (text.isEmpty())
        return;
    const std::optional<int> code = parseProvinceCode(text);
    if (!code)
        return;
    try {
        // Typing the code has put the row into editing already. A record
        // that merely became current is put into editing only when its name
        // needs the correction: every edit and the cancel of an unchanged one
        // make all the window's boxes show the row again, and browsing would
        // pay that on every move for nothing to store.
        Dataset* q = registerSet();
        const std::optional<QString> name = provinceName(*code);
        if (!name || q->displayText(QStringLiteral("Vilayeti")) == *name)
            return;
        if (m_dm.DataSource1->autoEdit() && q->state() == Dataset::State::Browse)
            q->edit();
        if (q->isEditing())
            q->setText(QStringLiteral("Vilayeti"), *name);
    } catch (...) {
        // The name stays as it was.
    }
}

void RegisterRecords::nationalityFill()
{
    // Fails, to the application's handler, when the register is closed.
    Dataset* q = registerSet();
    if (!q->isEditing())
        q->edit();
    q->setText(QStringLiteral("Tabiyeti"), QStringLiteral("T.C."));
}

void RegisterRecords::entryDatePicked(const QDate& date)
{
    Dataset* q = registerSet();
    if (!q->isInserting())
        return;
    q->setText(QStringLiteral("YokTar"), date.toString(QString::fromLatin1(kDateFormat)));
}

} // namespace zelvar
