// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardTestSupport.h"

#include "RegisterGenerator.h"
#include "data/FieldDefs.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"

#include <QBuffer>
#include <QImage>

namespace zelvar::testing {

QStringList tableRows(Database& db, const QString& table, const QString& orderBy)
{
    const TableDef* def = findTable(table);
    QStringList columns;
    for (const FieldDef& f : def->fields)
        columns << QStringLiteral("typeof(%1), %1").arg(quoteIdentifier(f.name));
    Statement st(db.handle(), QStringLiteral("select %1 from %2 order by %3")
                                  .arg(columns.join(QStringLiteral(", ")), quoteIdentifier(def->name), orderBy));
    QStringList rows;
    while (st.step()) {
        QStringList fields;
        for (int f = 0; f < def->fields.size(); ++f) {
            const QString type = st.columnText(2 * f);
            const QString value = type == QLatin1String("blob")
                                      ? QStringLiteral("%1 bytes").arg(st.column(2 * f + 1).toByteArray().size())
                                      : st.columnText(2 * f + 1);
            fields << QStringLiteral("%1=%2:%3").arg(def->fields[f].name, type, value);
        }
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QString firstDifference(const QStringList& actual, const QStringList& expected)
{
    for (int r = 0; r < std::min(actual.size(), expected.size()); ++r) {
        if (actual[r] == expected[r])
            continue;
        const QStringList a = actual[r].split(QLatin1Char('|'));
        const QStringList e = expected[r].split(QLatin1Char('|'));
        for (int f = 0; f < std::min(a.size(), e.size()); ++f)
            if (a[f] != e[f])
                return QStringLiteral("row %1: %2 instead of %3").arg(r).arg(a[f], e[f]);
    }
    if (actual.size() != expected.size())
        return QStringLiteral("%1 rows instead of %2").arg(actual.size()).arg(expected.size());
    return {};
}

std::unique_ptr<Database> sampleRegister(const QString& folder, int residents)
{
    auto db = Database::openFolder(folder);
    GeneratorOptions options;
    options.residents = residents;
    options.seed = 2001;
    generateRegister(*db, options);
    const QString memo = QStringLiteral("İş adresi: Şükrü Çağlayan Cad. No: 5/2 Ğ ğ Ü ü Ş ş İ ı Ö ö Ç ç\r\n") +
                         QString(260, QLatin1Char('x'));
    db->exec(QStringLiteral("update zelvarx set IsAdresi = ?, Belgeler = ? where KayitNo = 1"),
             {memo, QStringLiteral("İkametgah Belgesi 01.02.2003\r\nNakil Belgesi 04.05.2006")});
    db->exec(QStringLiteral("update zelvarx set Adi = ?, BabaAdi = ?, AnaAdi = ? where KayitNo = 2"),
             {QStringLiteral("ĞÜŞİÖÇ ğüşıöç Iİıi"), QStringLiteral("Çağatay"), QStringLiteral("Gülşah")});
    return db;
}

QByteArray bitmap(const QColor& colour, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QHash<QString, qint64> importAll(Database& db, const QString& path)
{
    wizard::ImportRun run(db);
    wizard::addAutomatic(run, path);
    run.check();
    QHash<QString, qint64> written;
    for (const wizard::TableSummary& s : run.write(QString(), QDateTime::currentDateTime()))
        written[s.table] += s.written;
    return written;
}

} // namespace zelvar::testing
