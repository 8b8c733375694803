// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional columns of the name list: which fields they print, how much
// paper they need, and where each chosen column stands.
//
// Widths and places are in report pixels, 96 to the inch, measured from the
// left edge of the printed band. The name column is always printed; the
// chosen columns follow it in a fixed order, whatever order they were ticked
// in, and a column that is not chosen takes no room.
#include <QString>
#include <array>

namespace zelvar {

struct OptionalListColumn {
    QString boxCaption; // the check box that chooses it
    QString heading;    // printed over the column
    QString field;      // resident field printed in it
};

constexpr int kOptionalColumnCount = 8;
using ColumnChoice = std::array<bool, kOptionalColumnCount>;

// The eight optional columns in their printed order.
const std::array<OptionalListColumn, kOptionalColumnCount>& optionalListColumns();

// One optional column as the name list prints it. A column that is not
// chosen has an empty heading, no field and width 0.
struct PlacedListColumn {
    QString heading;
    QString field;
    int width = 0; // report pixels, heading and field alike
    int left = 0;  // report pixels from the band's left edge
};

constexpr int kFirstColumnLeft = 186;
constexpr int kColumnWidth = 75;
constexpr int kColumnPitch = 95;

// Sets up and places the eight columns: each starts where the previous
// chosen one left the running position, which begins at 186 and moves 95
// to the right after every chosen column.
std::array<PlacedListColumn, kOptionalColumnCount> placeListColumns(const ColumnChoice& chosen);

// Report pixels (96 to the inch) as millimetres.
double reportPixelsToMm(double pixels);

// The printed width the chosen columns need: 175 for the name column and 75
// for each chosen one. A name list is printed only while it is at most 600.
class FieldLengthTotal {
public:
    static constexpr int kNameColumn = 175;
    static constexpr int kPerColumn = 75;
    static constexpr int kPaperLimit = 600;

    int value() const { return m_value; }
    void boxToggled(bool ticked) { m_value += ticked ? kPerColumn : -kPerColumn; }
    bool fitsPaper() const { return m_value <= kPaperLimit; }

    // The total label: its text before any box was clicked and after.
    static QString initialLabel() { return QStringLiteral("Toplam Alan uzunluğu ="); }
    QString label() const { return QStringLiteral("Alan Uzunluğu = ") + QString::number(m_value); }
    // The longest text the label can come to show: every column ticked.
    static QString largestLabel()
    {
        return QStringLiteral("Toplam Alan Uzunluğu = ") +
               QString::number(kNameColumn + kOptionalColumnCount * kPerColumn);
    }

private:
    int m_value = kNameColumn;
};

} // namespace zelvar
