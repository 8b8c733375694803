// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MoveOutOperations: the move-out file behind the register window: adding
// the current resident, the "İsim Bul" search of the list, the lookups that
// keep the list and the register together, and the move-out date.
#include "data/TDM2.h"
#include "platform/Services.h"

#include <QDate>
#include <optional>

namespace zelvar {

// What the register window does after a move-out operation.
struct MoveOutFollowUp {
    bool showMoveOutPage = false;     // make "Nakil &Dosyası" the active page
    std::optional<bool> coverVisible; // show or hide the cover panel; unset: leave it
    bool paintByFlag = false;         // paint the entry controls by the Nakil flag
};

class MoveOutOperations {
public:
    MoveOutOperations(TDM2& dm, const Services& services);

    // "Nakil dosyasına ekle !": after the question, stores the move-out row
    // (name, today's date, the two move-out address lines) and the resident's
    // flag Nakil = "1" in one transaction. Does nothing, silently, when the
    // flag is already "1" or a move-out address line is empty, and nothing
    // when the answer is not Yes: the follow-up is then empty.
    MoveOutFollowUp addCurrentResident();

    // "İsim Bul": moves the list to the first name beginning with text,
    // ignoring case; empty text cancels a pending edit of the list and goes
    // to its first row. Failures are silent; the register does not follow.
    void searchList(const QString& text);

    // After a click in the list or a button of its navigator: makes the
    // resident named by the current move-out row current in the register.
    // Found: cover hidden; otherwise the cover is shown and the register
    // stays. Paints by flag either way.
    MoveOutFollowUp followListToRegister();

    // After a navigator of the register: positions the list on the current
    // resident's move-out row. Found: cover hidden; otherwise shown.
    MoveOutFollowUp followRegisterToList();

    // The "Tarih" picker closed with this date: the current move-out row
    // gets it as its date of departure (stored when the row is posted).
    void setMoveOutDate(const QDate& date);

    // Paint by flag: true when the current resident's Nakil is "1".
    bool currentResidentMovedOut() const;

    // The address moved to, as the two lines of the move-out row's memo.
    static QString addressText(const QString& line1, const QString& line2);

    static QString question() { return QStringLiteral("Bilgiler Nakil Dosyasına Eklensin mi?"); }

private:
    void storeMoveOut(const QString& name, const QString& address);

    TDM2& m_dm;
    Services m_services;
};

} // namespace zelvar
