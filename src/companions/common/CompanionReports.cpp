// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionReports.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FieldDefs.h"

#include <QStringList>

namespace zelvar::companionreports {

using report::Band;
using report::Item;
using report::ReportDefinition;

namespace {

// What a column leaves free before the next one: a clipped text never
// touches its neighbour.
constexpr double kColumnGap = 2.0;

} // namespace

report::FontSpec arial(double size, bool bold)
{
    return {QStringLiteral("Arial"), size, bold};
}

QString officeName(Database& db)
{
    try {
        Statement row(db.handle(), QStringLiteral("select \"Mahalle\", \"Ilce\", \"Il\" from \"Mahalle\" limit 1"));
        if (!row.step())
            return QString();
        const QString neighbourhood = row.columnText(0).trimmed();
        QStringList place;
        for (int i = 1; i < 3; ++i)
            if (!row.columnText(i).trimmed().isEmpty())
                place << row.columnText(i).trimmed();
        QString name = neighbourhood.isEmpty() ? QString() : neighbourhood + QStringLiteral(" Mahallesi Muhtarlığı");
        if (!place.isEmpty())
            name += (name.isEmpty() ? QString() : QStringLiteral(" - ")) + place.join(QStringLiteral(" / "));
        return name;
    } catch (const ZelvarError&) {
        // A list prints without the heading rather than not at all.
        return QString();
    }
}

ReportDefinition list(const QString& reportTitle, const QString& office, const QString& title, const QString& subtitle,
                      const QDate& printed, const QVector<Column>& columns)
{
    ReportDefinition def;
    def.title = reportTitle;

    Band& head = def.titleBand;
    head.height = 19.0;
    head.items << Item::fill(QColor(234, 234, 255)) << Item::frame() << Item::label(office, arial(9, true)).at(1.6, 3.0)
               << Item::label(printed.toString(QLatin1String(kDateFormat)), arial(9, true)).rightAlignedAt(1.6, 181.0)
               << Item::label(title, arial(14, true)).centredAcross(6.0)
               << Item::label(subtitle, arial(10)).centredAcross(12.6);

    Band& header = def.columnHeader;
    header.height = 6.5;
    header.items << Item::frame();
    for (const Column& c : columns)
        header.items << Item::label(c.heading, arial(9, true)).inBox(1.0, c.left, c.width - kColumnGap, 4.6, false);

    Band& footer = def.pageFooter;
    footer.height = 6.3;
    footer.items << Item::pageNo(QStringLiteral("Sayfa "), arial(9)).at(1.1, 2.1);
    return def;
}

QList<Item> columnValues(const QVector<Column>& columns, double top, double size)
{
    QList<Item> items;
    for (const Column& c : columns)
        items << Item::value(c.field, arial(size)).inBox(top, c.left, c.width - kColumnGap, 4.4, false);
    return items;
}

} // namespace zelvar::companionreports
