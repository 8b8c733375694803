// Finding residents in the register window: the incremental search, the
// quick find, the surname and alphabet filters, what the navigators do after
// their buttons, and the record count.
//
// Searching moves the current record within the result set; filtering
// replaces the register's statement and reopens it. Typed text is always a
// bound parameter of the statement.
#include "register/TForm2.h"

#include "data/TurkishText.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "register/RegisterMemory.h"
#include "ui/WaitCursor.h"
#include "ui/bound/DBGrid.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QToolButton>

namespace zelvar {

void TForm2::setSearchMode(SearchMode mode)
{
    m_searchMode = mode;
    (mode == SearchMode::Name ? m_nameMode : m_numberMode)->setChecked(true);
    m_searchBox->clear();
}

void TForm2::incrementalSearch(const QString& text)
{
    Dataset* q = register_();
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

void TForm2::quickFind()
{
    const QString text =
        m_services.prompter.inputText(quickFindTitle(), quickFindPrompt(), QString()).value_or(QString());
    Dataset* q = register_();
    if (q->locate(QStringLiteral("Adi"), text, {true, false}))
        return;
    m_services.sound.exclamation();
    m_services.prompter.message(notFoundMessage(), MessageKind::Warning);
    q->cancel();
    q->first();
}

void TForm2::surnameFilter()
{
    const QString text = m_searchBox->text();
    if (text.isEmpty()) {
        m_services.prompter.message(typeSurnameMessage(), MessageKind::Warning);
        m_wholeTableToggle->setChecked(true);
        return;
    }
    m_surnameToggle->setChecked(true);
    // The name field holds name and surname together: the text may stand
    // anywhere in it.
    Dataset* q = register_();
    WaitCursor wait;
    TDM2::reopen(q, surnameFilterSql(), {QStringLiteral("%") + turkish::likeLiteral(text) + QStringLiteral("%")});
    if (q->recordCount() > 0)
        paint(ColorState::SurnameFilter);
    else
        m_services.prompter.message(surnameNotFoundMessage(), MessageKind::Warning);
}

void TForm2::wholeTable()
{
    m_wholeTableToggle->setChecked(true);
    WaitCursor wait;
    TDM2::reopen(register_(), wholeTableSql());
    m_residentGrid->setColors(colorOf(ColorState::Normal), palette().color(QPalette::Text));
    paint(ColorState::Normal);
}

void TForm2::alphabetFilter(const QString& letter)
{
    m_memory.currentLetter = letter;
    if (QToolButton* button = m_letters.value(letter); button && button->isCheckable())
        button->setChecked(true);
    try {
        WaitCursor wait;
        TDM2::reopen(register_(), alphabetFilterSql(), {letter + QStringLiteral("%")});
    } catch (...) {
        // The register stays closed until the next filter or whole table.
        m_services.prompter.message(tooFewRecordsMessage());
    }
}

void TForm2::endAlphabetFilter()
{
    m_endAlphabet->setChecked(true);
    WaitCursor wait;
    TDM2::reopen(register_(), wholeTableSql());
    // Both photograph tables follow the reopened register again.
    for (Dataset* photos : {m_dm.tbfoto, m_dm.Table2}) {
        photos->close();
        photos->open();
    }
}

void TForm2::afterNavigator(DBNavigator::Button)
{
    followRegisterToMoveOutFile();
    if (m_surnameToggle->isChecked())
        paint(ColorState::SurnameFilter);
    else
        paintByFlag();
}

void TForm2::afterCivilRegistryNavigator(DBNavigator::Button button)
{
    if (button == DBNavigator::Post)
        paint(ColorState::Normal);
    if (m_surnameToggle->isChecked())
        paint(ColorState::SurnameFilter);
    else
        paintByFlag();
    followRegisterToMoveOutFile();
}

void TForm2::updateRecordCount()
{
    m_recordCount->setText(QString::number(register_()->recordCount()));
}

} // namespace zelvar
