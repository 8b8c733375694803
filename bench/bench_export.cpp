// SPDX-License-Identifier: GPL-3.0-or-later
// Exports of a register of 100,000 residents, every one of the 44 fields.
// The spreadsheet export must stay within 1.25 times libxlsxwriter writing
// the same cells directly, the document export within 10 s, and memory
// under 200 MB during either. The floors, measured in the same run, are bare
// loops over one sqlite3 statement that write the same cells or paragraphs
// straight through libxlsxwriter and minizip.
#include "BenchSupport.h"
#include "data/Database.h"
#include "data/FieldDefs.h"
#include "data/TDM2.h"
#include "export/Exporters.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <minizip/zip.h>
#include <sqlite3.h>
#include <xlsxwriter.h>

using namespace zelvar;

namespace {

constexpr int kDefaultResidents = 100000;
constexpr double kXlsxFactor = 1.25;
constexpr double kOdtBudgetMs = 10000;
constexpr double kMemoryBudgetMb = 200;

QStringList residentFields()
{
    QStringList names;
    for (const FieldDef& f : findTable(QStringLiteral("zelvarx"))->fields)
        names << quoteIdentifier(f.name);
    return names;
}

// The floor: the same cells, read with one statement and written directly.
void directXlsx(sqlite3* db, const char* path)
{
    const auto& fields = findTable(QStringLiteral("zelvarx"))->fields;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path, &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    for (int c = 0; c < fields.size(); ++c)
        worksheet_write_string(sheet, 0, c, fields[c].name.toUtf8().constData(), nullptr);
    const QByteArray sql = ("select " + residentFields().join(',') + " from zelvarx").toUtf8();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    lxw_row_t row = 1;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < fields.size(); ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_NULL)
                continue;
            const FieldType type = fields[c].type;
            if (type == FieldType::Date) {
                const char* iso = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                const auto digits = [iso](int at, int count) {
                    int n = 0;
                    for (int i = at; i < at + count; ++i)
                        n = n * 10 + (iso[i] - '0');
                    return n;
                };
                lxw_datetime when{digits(0, 4), digits(5, 2), digits(8, 2), 0, 0, 0};
                worksheet_write_datetime(sheet, row, c, &when, dateFormat);
            } else if (type == FieldType::Number || type == FieldType::Integer || type == FieldType::AutoInc) {
                worksheet_write_number(sheet, row, c, sqlite3_column_double(st, c), nullptr);
            } else {
                worksheet_write_string(sheet, row, c, reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                       nullptr);
            }
        }
        ++row;
    }
    sqlite3_finalize(st);
    workbook_close(book);
}

// The floor for the document: each row's texts joined by blanks, deflated
// into a zip entry, with no markup work.
void directOdt(sqlite3* db, const char* path)
{
    zipFile zip = zipOpen64(path, APPEND_STATUS_CREATE);
    zip_fileinfo info{};
    zipOpenNewFileInZip64(zip, "content.xml", &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION,
                          0);
    const QByteArray sql = ("select " + residentFields().join(',') + " from zelvarx").toUtf8();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    std::string buffer;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        buffer += "<text:p>";
        for (int c = 0; c < columns; ++c) {
            if (const unsigned char* text = sqlite3_column_text(st, c))
                buffer += reinterpret_cast<const char*>(text);
            buffer += ' ';
        }
        buffer += "</text:p>\n";
        if (buffer.size() > (1u << 20)) {
            zipWriteInFileInZip(zip, buffer.data(), unsigned(buffer.size()));
            buffer.clear();
        }
    }
    zipWriteInFileInZip(zip, buffer.data(), unsigned(buffer.size()));
    sqlite3_finalize(st);
    zipCloseFileInZip(zip);
    zipClose(zip, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? QString(argv[1]).toInt() : kDefaultResidents;
    const QString folder = bench::generatedFolder(residents);
    QTemporaryDir out;
    // ZELVAR_BENCH_KEEP=1 keeps the written files, to open them afterwards.
    if (qEnvironmentVariableIsSet("ZELVAR_BENCH_KEEP")) {
        out.setAutoRemove(false);
        std::printf("files kept in %s\n", qPrintable(out.path()));
    }

    TDM2 dm(folder);
    TDM2::reopen(dm.Query1, TDM2::residentSelect());
    std::printf("Exports of %d residents x %d fields\n", dm.Query1->recordCount(), dm.Query1->fieldCount());

    // Ours and the floor alternate, ours first, three times each; the
    // memory is the peak of our runs.
    sqlite3* raw = dm.database().handle();
    const int rows = dm.Query1->recordCount();
    bench::Samples xlsx, xlsxFloor, odt, odtFloor;
    double xlsxPeak = 0;
    double odtPeak = 0;
    for (int run = 0; run < 3; ++run) {
        bench::resetPeak();
        xlsx.add(bench::measure([&] { exportToXlsx(*dm.Query1, out.filePath("ours.xlsx")); }));
        xlsxPeak = std::max(xlsxPeak, bench::peakMb());
        xlsxFloor.add(bench::measure([&] { directXlsx(raw, QFile::encodeName(out.filePath("direct.xlsx"))); }));
        bench::resetPeak();
        odt.add(bench::measure([&] { exportToOdt(*dm.Query1, out.filePath("ours.odt")); }));
        odtPeak = std::max(odtPeak, bench::peakMb());
        odtFloor.add(bench::measure([&] { directOdt(raw, QFile::encodeName(out.filePath("direct.odt"))); }));
    }
    bench::runRow(QStringLiteral(".xlsx export (floor: libxlsxwriter directly)"), rows, xlsx, xlsxFloor,
                  bench::Goal::ratio(kXlsxFactor));
    bench::runRow(QStringLiteral(".odt export (floor: rows deflated into a zip)"), rows, odt, odtFloor,
                  bench::Goal::ms(kOdtBudgetMs));
    bench::memoryRow(QStringLiteral(".xlsx export, peak memory"), rows, xlsxPeak, -1, bench::Goal::mb(kMemoryBudgetMb));
    bench::memoryRow(QStringLiteral(".odt export, peak memory"), rows, odtPeak, -1, bench::Goal::mb(kMemoryBudgetMb));
    std::printf("files: .xlsx %lld KB (direct %lld KB), .odt %lld KB\n", QFile(out.filePath("ours.xlsx")).size() / 1024,
                QFile(out.filePath("direct.xlsx")).size() / 1024, QFile(out.filePath("ours.odt")).size() / 1024);
    const bool ok = xlsx.cpu(0.5) <= xlsxFloor.cpu(0.5) * kXlsxFactor && odt.cpu(0.5) <= kOdtBudgetMs &&
                    xlsxPeak < kMemoryBudgetMb && odtPeak < kMemoryBudgetMb;
    return ok ? 0 : 1;
}
