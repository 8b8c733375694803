// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/SourceFiles.h"

#include "wizard/engine/CsvSource.h"
#include "wizard/engine/ParadoxFolder.h"
#include "wizard/engine/SheetSources.h"

#include <QFileInfo>

namespace zelvar::wizard {

SourceType sourceTypeOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return ParadoxFolder::holdsTables(path) ? SourceType::ParadoxFolder : SourceType::Unknown;
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt") || suffix == QLatin1String("tsv"))
        return SourceType::Csv;
    if (suffix == QLatin1String("xlsx"))
        return SourceType::Xlsx;
    if (suffix == QLatin1String("ods"))
        return SourceType::Ods;
    if (suffix == QLatin1String("db"))
        return SourceType::ParadoxFolder;
    return SourceType::Unknown;
}

std::unique_ptr<ImportSource> openSheet(const QString& path, std::optional<Encoding> encoding)
{
    if (!QFileInfo(path).isFile())
        throw ImportError(QStringLiteral("%1 dosyası bulunamadı.").arg(path));
    switch (sourceTypeOf(path)) {
    case SourceType::Csv:
        return std::make_unique<CsvSource>(path, encoding);
    case SourceType::Xlsx:
        return std::make_unique<XlsxSource>(path);
    case SourceType::Ods:
        return std::make_unique<OdsSource>(path);
    default:
        throw ImportError(QStringLiteral("%1 okunabilen bir dosya değil: .xlsx, .ods ya da .csv olmalı.")
                              .arg(QFileInfo(path).fileName()));
    }
}

QString paradoxTableLeftOut(const QString& tableName)
{
    const TableDef* table = findTable(tableName);
    if (!table)
        return QStringLiteral("tanınmayan bir tablo; aktarılmaz.");
    if (table->name == QLatin1String("sifre"))
        return QStringLiteral("şifre aktarılmaz; aktarmadan sonra programda yeni bir şifre belirleyiniz.");
    if (table->name == QLatin1String("GRUP1") || table->name == QLatin1String("YASLAR"))
        return QStringLiteral("istatistik tablosu; istatistik penceresi her hesaplamada yeniden doldurur, aktarılmaz.");
    return {};
}

QStringList addAutomatic(ImportRun& run, const QString& path, std::optional<Encoding> encoding)
{
    QStringList notes;
    const SourceType type = sourceTypeOf(path);
    if (type == SourceType::ParadoxFolder) {
        const QString folder = QFileInfo(path).isDir() ? path : QFileInfo(path).absolutePath();
        const ParadoxFolder tables(folder);
        for (const ParadoxTable& t : tables.tables()) {
            const QString leftOut = paradoxTableLeftOut(t.fileName);
            if (!leftOut.isEmpty()) {
                notes << QStringLiteral("%1: %2").arg(t.fileName, leftOut);
                continue;
            }
            auto source = std::make_unique<ParadoxSource>(t, encoding);
            const ColumnMapping mapping = guessMapping(source->headings(), *t.target);
            run.add(std::move(source), mapping, t.rows);
        }
        if (run.jobCount() == 0)
            throw ImportError(QStringLiteral("%1 klasöründe aktarılacak bir tablo yok.").arg(folder));
        return notes;
    }
    if (type == SourceType::Unknown && QFileInfo(path).isDir())
        throw ImportError(QStringLiteral("%1 klasöründe Paradox tablosu (.DB) yok.").arg(path));
    auto source = openSheet(path, encoding);
    const TableDef* table = guessTable(source->headings());
    const ColumnMapping mapping = guessMapping(source->headings(), *table);
    if (mapping.mappedCount() == 0)
        throw ImportError(
            QStringLiteral("%1: başlık satırındaki sütunların hiçbiri bir alanla eşleşmedi.").arg(source->fileName()));
    for (int c = 0; c < mapping.fieldOfColumn.size(); ++c)
        if (mapping.fieldOfColumn[c] < 0 && !source->headings().value(c).isEmpty())
            notes << QStringLiteral("%1: \"%2\" sütunu hiçbir alanla eşleşmedi; aktarılmaz.")
                         .arg(source->fileName(), source->headings().value(c));
    run.add(std::move(source), mapping);
    return notes;
}

} // namespace zelvar::wizard
