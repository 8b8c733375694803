// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PagePainter: the one place that draws a report page. The painter's origin
// is the paper's top-left corner; millimetres become device pixels by the
// device's own resolution, so the same call serves the preview, the printer,
// PDF and test images.
#include "report/Page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <map>

class QPainter;

namespace zelvar::report {

class PagePainter {
public:
    explicit PagePainter(QPainter& painter);
    void paint(const Page& page);

private:
    struct FontOnDevice {
        QFont font;
        double ascent = 0;
        double height = 0;
        QFontMetricsF metrics{QFont()}; // on the painter's device
    };
    const FontOnDevice& deviceFont(const PlacedItem& placed);
    const FontOnDevice& deviceFont(const FontSpec& wanted);
    void usePen(const QColor& colour);
    QRectF toDevice(const QRectF& mm) const;
    void paintText(const PlacedItem& placed);
    void paintFrame(const PlacedItem& placed);
    void paintFill(const PlacedItem& placed);
    void paintLine(const PlacedItem& placed);
    void paintPicture(const PlacedItem& placed);

    QPainter& m_painter;
    double m_scaleX; // device pixels per mm
    double m_scaleY;
    // A node-based map: m_itemFonts points into it, so its entries must not
    // move when another font is added (a QHash moves them).
    std::map<QString, FontOnDevice> m_fonts;
    QHash<const Item*, const FontOnDevice*> m_itemFonts; // saves building a key per text
    const FontOnDevice* m_currentFont = nullptr;
    QColor m_currentPen;
};

} // namespace zelvar::report
