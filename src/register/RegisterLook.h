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

// Where the page control goes when the window is resized: centred in the
// client area, then moved down by half the toolbar. Each half is rounded to
// the nearest whole pixel, halves to the even neighbour; the toolbar's half
// is rounded on its own before it is added.
QPoint pageControlOrigin(QSize client, QSize pages, int toolbarHeight);

} // namespace zelvar
