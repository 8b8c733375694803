// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compares a laid-out page with a layout table: every expected text at its
// place (to 0.1 mm), in its font, size and weight, and no text besides.
#include "report/Page.h"
#include "report/ReportFonts.h"

#include <QString>
#include <QTest>

namespace zelvar::testing {

struct Expected {
    double top;  // mm from the band's corner
    double left; // left edge, or the centre of a centred text
    QString text;
    double size;
    bool bold = false;
    bool centred = false;
};

inline QString describe(const Expected& e)
{
    return QStringLiteral("%1 at %2/%3 %4pt%5")
        .arg(e.text)
        .arg(e.top)
        .arg(e.left)
        .arg(e.size)
        .arg(e.bold ? " bold" : "");
}

// Checks the expected texts in a band whose corner stands at `origin` on
// the page; returns the failures, empty when all hold. Texts of the page
// outside the expected list are reported when `exact` is set.
inline QStringList checkTexts(const report::Page& page, QPointF origin, const QList<Expected>& expected,
                              const QString& family, bool exact = true)
{
    QStringList failures;
    QList<const report::PlacedItem*> matched;
    report::ReportFonts fonts;
    for (const Expected& e : expected) {
        const report::PlacedItem* found = nullptr;
        for (const report::PlacedItem& p : page.items) {
            if (p.kind != report::ItemKind::Text || p.text != e.text)
                continue;
            const double x = e.centred ? p.rect.center().x() : p.rect.left();
            // A text set smaller keeps its baseline: its line's top is where
            // the text at its own size would begin.
            const double top = p.rect.top() - fonts.ascentMm(p.item->font) + fonts.ascentMm(p.font());
            if (std::abs(top - (origin.y() + e.top)) < 0.1 && std::abs(x - (origin.x() + e.left)) < 0.1) {
                found = &p;
                break;
            }
        }
        if (!found) {
            failures << QStringLiteral("missing: ") + describe(e);
            continue;
        }
        matched << found;
        const report::FontSpec& f = found->item->font;
        if (f.family != family || f.pointSize != e.size || f.bold != e.bold)
            failures << QStringLiteral("font of %1: %2 %3 %4").arg(describe(e), f.family).arg(f.pointSize).arg(f.bold);
        if (e.centred != bool(found->item->align & Qt::AlignHCenter))
            failures << QStringLiteral("alignment of ") + describe(e);
    }
    if (exact) {
        for (const report::PlacedItem& p : page.items)
            if (p.kind == report::ItemKind::Text && !matched.contains(&p))
                failures << QStringLiteral("unexpected: %1 at %2/%3").arg(p.text).arg(p.rect.top()).arg(p.rect.left());
    }
    return failures;
}

} // namespace zelvar::testing
