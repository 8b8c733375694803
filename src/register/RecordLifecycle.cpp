// How a resident record is born, filled, saved, abandoned and removed in the
// register window, and the question asked when page 3 is left while a new
// record is open.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "register/RegisterMemory.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBRadioGroup.h"

#include <QPushButton>

namespace zelvar {

bool TForm2::hasRecordOrPendingRow() const
{
    // A new row that is not stored yet counts as a record here: otherwise a
    // second New on an empty register would store the first, nameless one.
    return register_()->recordCount() > 0 || register_()->isInserting();
}

QString TForm2::boxText(const QString& field) const
{
    QWidget* box = entryBox(field);
    if (auto* line = qobject_cast<DBEdit*>(box))
        return line->entryText();
    if (auto* choice = qobject_cast<DBComboBox*>(box))
        return choice->currentText();
    if (auto* memoBox = qobject_cast<DBMemo*>(box))
        return memoBox->toPlainText();
    return QString();
}

void TForm2::rememberCarryOver()
{
    CarryOver& carry = m_memory.carryOver;
    const QStringList& fields = CarryOver::fields();
    for (int i = 0; i < fields.size(); ++i)
        carry.texts[i] = boxText(fields[i]);
    carry.house = m_houseType->itemIndex() == 0;
}

void TForm2::writeCarryOver()
{
    // The province code comes before the province name: its lookup writes a
    // name, and the carried name written right after it is the one that stays.
    const CarryOver& carry = m_memory.carryOver;
    const QStringList& fields = CarryOver::fields();
    for (int i = 0; i < fields.size(); ++i)
        register_()->setText(fields[i], carry.texts.value(i));
    register_()->setText(QStringLiteral("Konuturu"), carry.house ? QStringLiteral("E") : QStringLiteral("A"));
}

void TForm2::newRecord()
{
    showPage(EntryPage);
    if (hasRecordOrPendingRow() && m_nameBox->text().isEmpty())
        return; // a new record without a name is already open
    Dataset* q = register_();
    try {
        rememberCarryOver();
        // The insert first stores the record that was being entered; the
        // highest number is read after that, so the two never share one.
        q->insert();
        paint(ColorState::Entry);
        m_dm.nextRecordNumber();
        const QString highest = m_maxNumberBox->text();
        const int number = highest.isEmpty() ? 1 : highest.toInt() + 1;
        // A new resident never shows photographs left behind by an old one.
        m_dm.dropOrphanPhotos(number);
        q->setValue(QStringLiteral("KayitNo"), number);
        DBEdit* movedIn = edit(QStringLiteral("YokTar"));
        movedIn->setFocus();
        q->setText(QStringLiteral("YokTar"), m_services.clock.today().toString(QString::fromLatin1(kDateFormat)));
    } catch (...) {
        m_services.prompter.message(newFailedMessage());
    }
}

void TForm2::addRecord()
{
    showPage(EntryPage);
    if (!m_provinceCodeBox->text().isEmpty())
        return;
    Dataset* q = register_();
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

void TForm2::saveRecord()
{
    Dataset* q = register_();
    if (q->recordCount() == 0 && m_colorState == ColorState::Normal) {
        m_services.prompter.message(openRecordFirstMessage(), MessageKind::Warning);
        newRecord();
        return;
    }
    if (m_nameBox->text().isEmpty()) {
        m_services.sound.beep();
        m_services.prompter.message(enterNameFirstMessage());
        showPage(EntryPage);
        m_nameBox->setFocus();
        return;
    }
    // A refused row (an incomplete date, a duplicate) stays in editing and
    // the error goes on to the application's handler.
    if (!q->isEditing())
        q->edit();
    q->post();
    paint(ColorState::Normal);
    if (currentPage() == EntryPage)
        m_newButton->setFocus();
}

void TForm2::cancelRecord()
{
    Dataset* q = register_();
    if (q->isInserting())
        paint(ColorState::Normal);
    q->cancel();
}

void TForm2::deleteRecord()
{
    showPage(EntryPage);
    Dataset* q = register_();
    if (q->recordCount() == 0) {
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

void TForm2::removeCurrentResident()
{
    // The resident's photographs and the resident go together or not at all.
    m_dm.removeResident(register_());
}

void TForm2::answerUnsavedQuestion(bool wholeSave)
{
    if (m_colorState != ColorState::Entry)
        return;
    Dataset* q = register_();
    if (m_services.prompter.ask(unsavedQuestion(), Buttons::YesCancel, MessageKind::Question) == Answer::Yes) {
        if (wholeSave) {
            saveRecord();
        } else {
            if (!q->isEditing())
                q->edit();
            q->post();
        }
    } else {
        q->cancel();
    }
    paint(ColorState::Normal);
}

void TForm2::leaveToRecordCheck()
{
    answerUnsavedQuestion(false);
    showPage(RecordCheckPage);
}

void TForm2::leaveToEntry()
{
    answerUnsavedQuestion(true);
    showPage(EntryPage);
}

} // namespace zelvar
