// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds sample registers: plausible Turkish residents in households that
// share an address, with parents, birthplaces, dates, identity cards, some
// who moved away. Used by the demo, the tests and the benchmarks.
#include <QString>

namespace zelvar {

class Database;

struct GeneratorOptions {
    int residents = 400;
    quint32 seed = 2001;
    double movedOutShare = 0.03; // residents marked as moved out, with a move-out row
    bool withOffice = true;      // also fill the office row
    bool withAppointments = true;
};

// Appends residents to the database in one transaction; record numbers
// continue after the highest existing one. Returns the number written.
int generateRegister(Database& db, const GeneratorOptions& options);

} // namespace zelvar
