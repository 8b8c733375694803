// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A laid-out page: every item placed in millimetres from the paper's
// top-left corner, with its text resolved. Nothing here paints.
#include "report/ReportDefinition.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

namespace zelvar::report {

struct PlacedItem {
    ItemKind kind = ItemKind::Text;
    // mm from the paper's corner. A text's box is its width as measured
    // and its line height; a boxed text's is its box.
    QRectF rect;
    QString text;
    QImage picture;
    const Item* item = nullptr; // font, alignment, colours, sides; nullptr = the printable-area frame
    double pointSize = 0;       // a text set smaller than its item's font to fit; 0 = the item's own size

    FontSpec font() const
    {
        FontSpec f = item->font;
        if (pointSize > 0)
            f.pointSize = pointSize;
        return f;
    }
};

struct Page {
    int number = 0;    // 1-based; printed by page-number items
    int firstRow = -1; // the first detail row on this page, -1 when none
    int rowCount = 0;  // detail rows on this page
    QVector<PlacedItem> items;

    // The n-th text item (0-based) whose text equals `text`; nullptr if none.
    const PlacedItem* findText(const QString& text, int nth = 0) const;
    // The text items, in the order they were placed.
    QStringList texts() const;
};

} // namespace zelvar::report
