// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ExportRun.h"

#include "data/Database.h"
#include "data/Dataset.h"

#include <QFileInfo>

namespace zelvar::wizard {

std::optional<ExportFormat> exportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return ExportFormat::Xlsx;
    if (suffix == QLatin1String("ods"))
        return ExportFormat::Ods;
    if (suffix == QLatin1String("csv"))
        return ExportFormat::Csv;
    return std::nullopt;
}

QVector<ExportChoice> exportChoices()
{
    return {
        {QStringLiteral("zelvarx"), QStringLiteral("Kişiler (nakil gidenler dahil)"),
         QStringLiteral("select * from zelvarx order by KayitNo")},
        {QStringLiteral("kalanlar"), QStringLiteral("Kişiler (nakil gidenler hariç)"),
         QStringLiteral("select * from zelvarx where coalesce(Nakil, '') <> '1' order by KayitNo")},
        {QStringLiteral("Nakil"), QStringLiteral("Nakil defteri"),
         QStringLiteral("select * from Nakil order by Kayitnum")},
        {QStringLiteral("Randevu"), QStringLiteral("Randevular"),
         QStringLiteral("select * from Randevu order by Tarih, Saati")},
        {QStringLiteral("Mahalle"), QStringLiteral("Mahalle bilgileri"), QStringLiteral("select * from Mahalle")},
    };
}

std::optional<ExportChoice> exportChoice(const QString& name)
{
    for (const ExportChoice& c : exportChoices())
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

int exportTable(Database& db, const ExportChoice& choice, const QString& path, ExportFormat format,
                const ExportProgress& progress)
{
    Dataset rows(&db, choice.name);
    rows.setSql(choice.sql);
    rows.setReadOnly(true);
    rows.open();
    switch (format) {
    case ExportFormat::Xlsx:
        exportToXlsx(rows, path, progress);
        break;
    case ExportFormat::Ods:
        exportToOds(rows, path, progress);
        break;
    case ExportFormat::Csv:
        exportToCsv(rows, path, progress);
        break;
    }
    return rows.recordCount();
}

} // namespace zelvar::wizard
