// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room counts and totals need on the screen. The program is built for a
// register of a million residents: every count and total label is as wide
// as its largest value needs.
#include <QString>

class QWidget;

namespace zelvar {

constexpr int kLargestRegister = 1000000;

// The width a label or a line box needs to show `text` whole, in its own
// font, with its frame and margins.
int widthToShow(const QWidget* box, const QString& text);

} // namespace zelvar
