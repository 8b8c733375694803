// SPDX-License-Identifier: GPL-3.0-or-later
// The data wizard's imports of 100,000 residents into an empty register,
// check and one-transaction write included, against floors measured in the
// same run and alternated with ours:
//   .csv     the sqlite3 shell's .import of the same file into the same table
//   .xlsx    a bare minizip + XML-stream loop over the same sheet writing its
//            rows with one prepared insert; also the same loop reading only
//   Paradox  a bare pxlib read loop writing the same rows with one prepared insert
// Goals: within 1.5 times the floor's CPU time; peak memory under 150 MB.
// A second argument (csv, xlsx or paradox) runs one format alone.
#include "BenchSupport.h"
#include "ParadoxWriter.h"
#include "data/Database.h"
#include "data/FieldDefs.h"
#include "wizard/engine/ExportRun.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdio>
#include <minizip/unzip.h>
#include <sqlite3.h>
extern "C" {
#include <paradox.h>
}

using namespace zelvar;

namespace {

constexpr int kDefaultResidents = 100000;
constexpr double kFactor = 1.5;
constexpr double kMemoryBudgetMb = 150;
constexpr int kRuns = 3;

// An empty register's database file, copied for every run.
QString emptyFolder(const QString& base, const QString& name)
{
    QString folder = QDir(base).filePath(name);
    QDir(folder).removeRecursively();
    bench::copyDatabase(QDir(base).filePath(QStringLiteral("empty")), folder);
    return folder;
}

void ourImport(const QString& folder, const QString& path)
{
    auto db = Database::openFolder(folder);
    wizard::ImportRun run(*db);
    wizard::addAutomatic(run, path);
    run.check();
    run.write(folder, QDateTime::currentDateTime());
}

// The insert of one row into every field of the resident table, in the
// table's order (the order of the exported sheet's columns).
Statement residentInsert(Database& db)
{
    QStringList columns;
    QStringList marks;
    for (const FieldDef& f : findTable(QStringLiteral("zelvarx"))->fields) {
        columns << quoteIdentifier(f.name);
        marks << QStringLiteral("?");
    }
    return Statement(db.handle(),
                     QStringLiteral("insert into zelvarx (%1) values (%2)").arg(columns.join(','), marks.join(',')));
}

// The bare stream both spreadsheet floors share: the first sheet read out
// of the archive in pieces of 256 KB and each XML token handed to `onToken`
// (a lambda, inlined: no call through a function object per token).
template <class OnToken>
void streamSheet(const QString& path, OnToken onToken)
{
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    unzLocateFile(zip, "xl/worksheets/sheet1.xml", 1);
    unzOpenCurrentFile(zip);
    QXmlStreamReader xml;
    QByteArray piece(qsizetype{256} * 1024, Qt::Uninitialized);
    for (;;) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Invalid) {
            const int got = unzReadCurrentFile(zip, piece.data(), unsigned(piece.size()));
            if (got <= 0)
                break;
            xml.addData(QByteArray(piece.constData(), got));
            continue;
        }
        if (token == QXmlStreamReader::EndDocument)
            break;
        onToken(xml, token);
    }
    unzCloseCurrentFile(zip);
    unzClose(zip);
}

// The floor the spreadsheet goal was first set against: every cell's
// attributes and value read by a bare stream over the sheet, nothing kept
// or written. Shown beside the floor above, which also writes the rows.
void bareSheetReadLoop(const QString& path)
{
    qint64 cells = 0;
    qint64 characters = 0;
    streamSheet(path, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType token) {
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c"))
            cells += xml.attributes().value(QLatin1String("r")).size();
        else if (token == QXmlStreamReader::Characters)
            characters += xml.text().size();
    });
    if (cells + characters < 0)
        std::puts("");
}

// The floor of the spreadsheet: a bare stream over the sheet, each cell's
// value bound by its column (a number with the date style as its ISO date,
// anything else as the text it stands in, which the column's type turns
// into a number where it is one) and each row after the
// heading written with one prepared insert, in one transaction.
void bareSheetLoop(const QString& folder, const QString& path)
{
    auto db = Database::openFolder(folder);
    Database::Transaction transaction(*db);
    Statement insert = residentInsert(*db);
    sqlite3_stmt* st = insert.handle();
    int row = 0;
    int column = 0;
    bool dateStyle = false;
    char iso[16];
    streamSheet(path, [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType token) {
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("row")) {
            ++row;
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
            if (row > 1)
                insert.step();
        } else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            column = 0;
            for (QChar c : attributes.value(QLatin1String("r"))) {
                if (!c.isUpper())
                    break;
                column = column * 26 + (c.unicode() - 'A' + 1);
            }
            dateStyle = attributes.value(QLatin1String("s")) == QLatin1String("2");
        } else if (token == QXmlStreamReader::Characters && row > 1 && column > 0) {
            const QStringView text = xml.text();
            if (!dateStyle) {
                sqlite3_bind_text16(st, column, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
            } else {
                const QDate date = QDate(1899, 12, 30).addDays(text.toInt());
                std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year(), date.month(), date.day());
                sqlite3_bind_text(st, column, iso, 10, SQLITE_TRANSIENT);
            }
        }
    });
    transaction.commit();
}

// The floor of the Paradox import: the table read record by record through
// pxlib (text turned into UTF-8 by the library, dates into ISO text) and
// written with one prepared insert in one transaction.
void barePxlibLoop(const QString& folder, const QString& tableFile)
{
    auto db = Database::openFolder(folder);
    Database::Transaction transaction(*db);
    Statement insert = residentInsert(*db);
    pxdoc_t* px = PX_new();
    PX_open_file(px, QFile::encodeName(tableFile).constData());
    PX_set_targetencoding(px, "UTF-8");
    const int fields = PX_get_num_fields(px);
    pxfield_t* defs = PX_get_fields(px);
    char iso[16];
    for (int r = 0; r < PX_get_num_records(px); ++r) {
        pxval_t** values = PX_retrieve_record(px, r);
        sqlite3_stmt* st = insert.handle();
        sqlite3_reset(st);
        for (int f = 0; f < fields; ++f) {
            pxval_t* v = values[f];
            if (v->isnull) {
                sqlite3_bind_null(st, f + 1);
            } else if (defs[f].px_ftype == pxfDate) {
                int y = 0;
                int m = 0;
                int d = 0;
                PX_SdnToGregorian(v->value.lval + 1721425, &y, &m, &d);
                std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", y, m, d);
                sqlite3_bind_text(st, f + 1, iso, 10, SQLITE_TRANSIENT);
            } else if (defs[f].px_ftype == pxfNumber) {
                sqlite3_bind_double(st, f + 1, v->value.dval);
            } else {
                sqlite3_bind_text(st, f + 1, v->value.str.val, -1, SQLITE_TRANSIENT);
            }
            if (defs[f].px_ftype == pxfAlpha || defs[f].px_ftype == pxfMemoBLOb)
                px->free(px, v->value.str.val);
            px->free(px, v);
        }
        px->free(px, values);
        insert.step();
    }
    PX_close(px);
    PX_delete(px);
    transaction.commit();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int residents = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : kDefaultResidents;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto runs = [&](const char* format) { return only.isEmpty() || only == QLatin1String(format); };
    QTemporaryDir dir;
    const QString base = dir.path();
    Database::openFolder(QDir(base).filePath(QStringLiteral("empty"))).reset();

    // The files an office would bring: the register exported by the wizard
    // itself, and its resident table as a Paradox table in code page 1254.
    auto source = Database::openFolder(bench::generatedFolder(residents));
    const QString csv = QDir(base).filePath(QStringLiteral("kisiler.csv"));
    const QString xlsx = QDir(base).filePath(QStringLiteral("kisiler.xlsx"));
    wizard::exportTable(*source, *wizard::exportChoice(QStringLiteral("zelvarx")), csv, wizard::ExportFormat::Csv);
    wizard::exportTable(*source, *wizard::exportChoice(QStringLiteral("zelvarx")), xlsx, wizard::ExportFormat::Xlsx);
    const QString paradox = QDir(base).filePath(QStringLiteral("paradox"));
    QDir().mkpath(paradox);
    {
        ParadoxTableWriter writer(QDir(paradox).filePath(QStringLiteral("zelvarx.DB")),
                                  *findTable(QStringLiteral("zelvarx")), ParadoxOptions{});
        Statement st(source->handle(), QStringLiteral("select * from zelvarx order by KayitNo"));
        QVector<QVariant> values(st.columnCount());
        while (st.step()) {
            for (int c = 0; c < st.columnCount(); ++c)
                values[c] = st.column(c);
            writer.append(values);
        }
    }
    source.reset();

    bench::Samples csvOurs, csvFloor, xlsxOurs, xlsxFloor, xlsxReadFloor, pxOurs, pxFloor;
    double csvPeak = 0, xlsxPeak = 0, pxPeak = 0;
    for (int run = 0; run < kRuns; ++run) {
        QString folder;
        if (runs("csv")) {
            folder = emptyFolder(base, QStringLiteral("register-csv"));
            bench::resetPeak();
            csvOurs.add(bench::measure([&] { ourImport(folder, csv); }));
            csvPeak = std::max(csvPeak, bench::peakMb());
            folder = emptyFolder(base, QStringLiteral("register-csv"));
            csvFloor.add(
                bench::childRun(QStringLiteral("sqlite3"), {bench::databaseFile(folder), QStringLiteral(".mode csv"),
                                                            QStringLiteral(".separator ;"),
                                                            QStringLiteral(".import --skip 1 %1 zelvarx").arg(csv)}));
        }

        if (runs("xlsx")) {
            folder = emptyFolder(base, QStringLiteral("register-xlsx"));
            bench::resetPeak();
            xlsxOurs.add(bench::measure([&] { ourImport(folder, xlsx); }));
            xlsxPeak = std::max(xlsxPeak, bench::peakMb());
            folder = emptyFolder(base, QStringLiteral("register-xlsx"));
            xlsxFloor.add(bench::measure([&] { bareSheetLoop(folder, xlsx); }));
            xlsxReadFloor.add(bench::measure([&] { bareSheetReadLoop(xlsx); }));
        }

        if (!runs("paradox"))
            continue;
        folder = emptyFolder(base, QStringLiteral("register-paradox"));
        bench::resetPeak();
        pxOurs.add(bench::measure([&] { ourImport(folder, paradox); }));
        pxPeak = std::max(pxPeak, bench::peakMb());
        folder = emptyFolder(base, QStringLiteral("register-paradox"));
        pxFloor.add(
            bench::measure([&] { barePxlibLoop(folder, QDir(paradox).filePath(QStringLiteral("zelvarx.DB"))); }));
    }
    bench::runRow(QStringLiteral(".csv import (floor: sqlite3 shell .import)"), residents, csvOurs, csvFloor,
                  bench::Goal::ratio(kFactor));
    bench::runRow(QStringLiteral(".xlsx import (floor: bare minizip + XML stream + insert)"), residents, xlsxOurs,
                  xlsxFloor, bench::Goal::ratio(kFactor));
    bench::runRow(QStringLiteral(".xlsx import (floor: bare minizip + XML stream, reading only)"), residents, xlsxOurs,
                  xlsxReadFloor, bench::Goal::ratio(kFactor));
    bench::runRow(QStringLiteral("Paradox import (floor: bare pxlib loop + insert)"), residents, pxOurs, pxFloor,
                  bench::Goal::ratio(kFactor));
    bench::memoryRow(QStringLiteral(".csv import, peak memory"), residents, csvPeak, -1,
                     bench::Goal::mb(kMemoryBudgetMb));
    bench::memoryRow(QStringLiteral(".xlsx import, peak memory"), residents, xlsxPeak, -1,
                     bench::Goal::mb(kMemoryBudgetMb));
    bench::memoryRow(QStringLiteral("Paradox import, peak memory"), residents, pxPeak, -1,
                     bench::Goal::mb(kMemoryBudgetMb));
    return 0;
}
