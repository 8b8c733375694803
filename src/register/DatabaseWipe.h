// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DatabaseWipe: empties the register after two warnings: every resident with
// a name and every photograph go, in one transaction. The move-out file, the
// appointments, the neighbourhood row and the password stay.
#include "data/TDM2.h"
#include "platform/Services.h"

namespace zelvar {

class DatabaseWipe {
public:
    enum class Outcome {
        Cancelled, // Cancel: nothing happened, the register was not reloaded
        Kept,      // No: nothing deleted, the register reloaded
        Wiped,     // Yes: residents with a name and all photographs deleted, the register reloaded
    };

    DatabaseWipe(TDM2& dm, const Services& services);

    // Warns, asks, and acts on the answer. The window's colour state, filters
    // and page stay as they are. A failing delete throws and leaves every row
    // in place.
    Outcome run();

    static QString warningText();
    static QString questionText();
    static QString questionTitle() { return QStringLiteral("Dikkat !"); }
    // The statement the spare query is left holding.
    static QString deleteStatement() { return QStringLiteral("delete from zelvarx where adi<>''"); }

private:
    void wipe();
    void reloadRegister();

    TDM2& m_dm;
    Services m_services;
};

} // namespace zelvar
