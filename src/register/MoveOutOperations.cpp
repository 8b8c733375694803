// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/MoveOutOperations.h"

namespace zelvar {

namespace {

const QString kFlag = QStringLiteral("Nakil");
const QString kMovedOut = QStringLiteral("1");
const QString kResidentName = QStringLiteral("Adi");
const QString kListName = QStringLiteral("ADI_SOYADI");

// After a rollback a dataset may still show what was undone; it reads its
// rows again. A failure here must not hide the one that caused it.
void resync(Dataset* dataset)
{
    try {
        dataset->refresh();
    } catch (...) {
    }
}

} // namespace

MoveOutOperations::MoveOutOperations(TDM2& dm, const Services& services)
    : m_dm(dm),
      m_services(services)
{
}

QString MoveOutOperations::addressText(const QString& line1, const QString& line2)
{
    // Qt's memos and text documents break lines at "\n".
    return line1 + QLatin1Char('\n') + line2;
}

bool MoveOutOperations::currentResidentMovedOut() const
{
    const Dataset* residents = m_dm.Query2;
    return residents->isActive() && residents->displayText(kFlag) == kMovedOut;
}

MoveOutFollowUp MoveOutOperations::addCurrentResident()
{
    Dataset* residents = m_dm.Query2;
    if (!residents->isActive())
        return {};
    // What the boxes show, typed text included, is what is checked and copied.
    if (residents->isEditing())
        residents->updateLinks();
    if (residents->displayText(kFlag) == kMovedOut)
        return {};
    const QString line1 = residents->displayText(QStringLiteral("GittigiAdres"));
    const QString line2 = residents->displayText(QStringLiteral("Gittigiadres2"));
    if (line1.isEmpty() || line2.isEmpty())
        return {};
    if (m_services.prompter.ask(question(), Buttons::YesCancel) != Answer::Yes)
        return {};
    storeMoveOut(residents->displayText(kResidentName), addressText(line1, line2));
    MoveOutFollowUp next;
    next.showMoveOutPage = true;
    next.coverVisible = false;
    next.paintByFlag = true;
    return next;
}

void MoveOutOperations::storeMoveOut(const QString& name, const QString& address)
{
    Dataset* list = m_dm.tbnakil;
    Dataset* residents = m_dm.Query2;
    // A change the user left pending in the list is his own: saved first,
    // outside the move-out entry.
    list->settle();
    const bool residentWasEditing = residents->isEditing();
    const QVariant oldFlag = residents->value(kFlag);

    // The move-out row and the flag are one fact: both are stored or neither.
    bool residentPosted = false;
    try {
        // Ended (rolled back) by the time the handler below runs, so that it
        // reads the rows as they are again.
        Database::Transaction tx(m_dm.database());
        list->insert();
        list->setValue(kListName, name);
        list->setValue(QStringLiteral("Not"), address);
        list->setValue(QStringLiteral("Tarih"), m_services.clock.today());
        list->post();
        residents->edit();
        residents->setValue(kFlag, kMovedOut);
        residents->post();
        residentPosted = true;
        tx.commit();
    } catch (...) {
        list->cancel();
        resync(list);
        if (residentPosted)
            resync(residents); // it shows a flag that was rolled back
        else if (residents->isEditing() && residentWasEditing)
            residents->setValue(kFlag, oldFlag); // the user's other changes stay pending
        else if (residents->isEditing())
            residents->cancel();
        throw;
    }
}

void MoveOutOperations::searchList(const QString& text)
{
    Dataset* list = m_dm.tbnakil;
    try {
        if (text.isEmpty()) {
            list->cancel();
            list->first();
        } else {
            list->locate(kListName, text, LocateOptions{true, true});
        }
    } catch (const std::exception&) {
        // The search is a convenience; whatever goes wrong, the list stays.
    }
}

MoveOutFollowUp MoveOutOperations::followListToRegister()
{
    Dataset* list = m_dm.tbnakil;
    Dataset* residents = m_dm.Query2;
    // A blank name (an empty list, a new row not yet named) names nobody.
    const QString name = list->isActive() ? list->displayText(kListName) : QString();
    const bool found =
        !name.isEmpty() && residents->isActive() && residents->locate(kResidentName, name, LocateOptions{true, false});
    MoveOutFollowUp next;
    next.coverVisible = !found;
    next.paintByFlag = true;
    return next;
}

MoveOutFollowUp MoveOutOperations::followRegisterToList()
{
    Dataset* list = m_dm.tbnakil;
    Dataset* residents = m_dm.Query2;
    const QString name = residents->isActive() ? residents->displayText(kResidentName) : QString();
    const bool found = !name.isEmpty() && list->isActive() && list->locate(kListName, name, LocateOptions{true, false});
    MoveOutFollowUp next;
    next.coverVisible = !found;
    return next;
}

void MoveOutOperations::setMoveOutDate(const QDate& date)
{
    Dataset* list = m_dm.tbnakil;
    list->edit();
    list->setValue(QStringLiteral("Tarih"), date);
}

} // namespace zelvar
