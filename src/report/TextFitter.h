// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TextFitter: keeps the texts of one printed band from running into each
// other, over a picture or off the band.
//
// Every text keeps its place: its left edge, its centre or its right edge,
// as the layout anchors it, and its baseline. A text that would run into the
// next item or off the band is first set smaller, down to 7 points, and only
// then cut at a whole word with "…". Two texts growing towards each other
// share the room between their anchors: the layout's own wording keeps what
// it needs before a value; two of a kind each get what they need while that
// is no more than half, and whatever the other leaves.
#include "report/Page.h"
#include "report/ReportFonts.h"

namespace zelvar::report {

class TextFitter {
public:
    static constexpr double kSmallestSize = 7; // points
    static constexpr double kGapMm = 0.3;      // kept free between two texts

    explicit TextFitter(ReportFonts& fonts);

    // Fits the texts among items[first..] placed for one band that spans
    // from `left` to `right` (mm from the paper's corner).
    void fitBand(QVector<PlacedItem>& items, qsizetype first, double left, double right);

    struct Fitted {
        QString text;
        double size = 0;  // points
        double width = 0; // mm
    };
    // The text as it fits `room` mm: whole at its own size, else smaller,
    // else cut at a whole word with "…".
    Fitted fit(const QString& text, const FontSpec& font, double room);
    // Blanks ending a text take no room on the page.
    static QString withoutTrailingBlanks(const QString& text);

private:
    struct Piece;
    QVector<Piece> pieces(const QVector<PlacedItem>& items, qsizetype first);
    static double roomFor(const Piece& text, const QVector<Piece>& all, double left, double right);
    void fitText(PlacedItem& placed, double room);
    void fitBox(PlacedItem& placed);
    QString cut(const QString& text, const FontSpec& font, double room);
    double width(const QString& text, const FontSpec& font);

    ReportFonts& m_fonts;
};

} // namespace zelvar::report
