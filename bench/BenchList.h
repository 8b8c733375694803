// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The long list the report benchmarks print: four text columns on A4
// landscape, a line under every row and a page number in the footer, fed
// from rows made up in memory.
#include "report/ReportDefinition.h"
#include "report/ReportFonts.h"
#include "report/RowSource.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <memory>

namespace zelvar::bench::list {

constexpr double kRowHeight = 6.1;
inline const QList<double> kColumns{2.1, 42.3, 96.0, 149.8};
inline const QStringList kFields{"Adi", "Sokak", "Meslek", "Telefon"};

inline report::ReportDefinition definition(const QString& title)
{
    using namespace report;
    ReportDefinition d;
    d.title = title;
    d.detail.height = kRowHeight;
    for (int c = 0; c < kColumns.size(); ++c)
        d.detail.items << Item::value(kFields[c], {"Arial", 9}).at(0.8, kColumns[c]);
    d.detail.items << Item::frame(0, 0, 0, 0, BottomSide);
    d.pageFooter.height = 6.3;
    d.pageFooter.items << Item::pageNo(QStringLiteral("Sayfa"), {"Arial", 9}).at(1.1, 2.1);
    return d;
}

inline std::shared_ptr<report::TableRows> rows(int count)
{
    const QStringList names{"Ayşe Yılmaz", "Mehmet Kaya", "Fatma Şahin", "Ali Çelik", "Zeynep Öztürk"};
    const QStringList jobs{"Öğretmen", "Memur", "Emekli", "Öğrenci", "Serbest Meslek"};
    auto r = std::make_shared<report::TableRows>(kFields);
    for (int i = 0; i < count; ++i)
        r->addRow(QVariantList{names[i % 5] + QString::number(i), QStringLiteral("Gül Sokak %1").arg(i % 400),
                               jobs[i % 5], QStringLiteral("232 %1").arg(1000000 + i)});
    return r;
}

// The floor of a PDF of the list: a bare QPdfWriter loop with the same
// strings, fonts, places, row lines and page numbers, for the rows from
// `first` to the end, numbering pages from `firstPage`.
inline void barePdf(const report::TableRows& source, const QString& path, int first = 0, int firstPage = 1)
{
    using report::ReportFonts;
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(definition(QString()).pageLayout());
    QPainter p(&writer);
    const double s = 1200 / 25.4;
    const QFont font = ReportFonts::font({"Arial", 9});
    p.setFont(font);
    const double ascent = QFontMetricsF(font, &writer).ascent();
    QPen pen(Qt::black);
    pen.setWidthF(0.25 * s);
    const double top = 12.7;
    const double bottom = 297 - 12.7 - 6.3;
    double y = top;
    int page = firstPage;
    const auto footer = [&] {
        p.drawText(QPointF((12.7 + 2.1) * s, (bottom + 1.1) * s + ascent), QStringLiteral("Sayfa%1").arg(page));
    };
    for (int r = first; r < source.rowCount(); ++r) {
        if (y + kRowHeight > bottom + 0.01) {
            footer();
            writer.newPage();
            ++page;
            y = top;
        }
        for (int c = 0; c < kColumns.size(); ++c)
            p.drawText(QPointF((12.7 + kColumns[c]) * s, (y + 0.8) * s + ascent), source.value(r, c).toString());
        p.setPen(pen);
        p.drawLine(QPointF(12.7 * s, (y + kRowHeight) * s), QPointF((297 - 12.7) * s, (y + kRowHeight) * s));
        y += kRowHeight;
    }
    footer();
    p.end();
}

} // namespace zelvar::bench::list
