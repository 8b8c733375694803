// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The register window's colour states and its page-centring rule, kept apart
// from the window so that tests check them directly.
#include <QColor>
#include <QPoint>
#include <QSize>

namespace zelvar {

// What the background of the entry controls tells the user.
enum class ColorState {
    Normal,        // the window colour (white)
    Entry,         // light lavender: a new record is open
    SurnameFilter, // aqua: the surname filter is in force
    MovedOut,      // button face (grey): the current resident moved away
};

QColor colorOf(ColorState state);

} // namespace zelvar
