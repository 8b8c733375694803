// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the register window remembers for as long as the program runs, across
// its own closing and reopening: the household data that New carries over
// to the next member, and the letter of the last alphabet filter. The window
// factories own it and hand it to each register window they make.
#include <QString>
#include <QStringList>

namespace zelvar {

struct CarryOver {
    // The fields whose box texts New remembers, in the order Add writes them.
    static const QStringList& fields();

    CarryOver();

    QStringList texts;  // one per field of fields(); empty at start
    bool house = false; // "Konutun Türü" showed "Ev"
};

struct RegisterMemory {
    CarryOver carryOver;
    QString currentLetter;
};

} // namespace zelvar
