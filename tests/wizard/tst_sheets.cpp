// SPDX-License-Identifier: GPL-3.0-or-later
// Spreadsheets and text files as offices save them: both Turkish code
// pages, UTF-8 and UTF-16, every separator, quoted fields; dates, formulas
// and merged cells; and the files that must be refused by name and row.
#include "TestFiles.h"
#include "TestRegistry.h"
#include "WizardTestSupport.h"
#include "export/ExportFile.h"
#include "export/OpenDocument.h"
#include "wizard/engine/CsvSource.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/SourceFiles.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <xlsxwriter.h>

using namespace zelvar;
using namespace zelvar::testing;
using namespace zelvar::wizard;

namespace {

// A zip container holding the given parts, as a spreadsheet program would.
void writeZip(const QString& path, const QList<QPair<const char*, QByteArray>>& parts)
{
    Zip zip(QFile::encodeName(path), path);
    for (const auto& [name, bytes] : parts) {
        zip.beginEntry(name, true);
        zip.write(bytes);
        zip.endEntry();
    }
    zip.close();
}

// An .xlsx of one sheet whose sheet XML is `rows`.
void writeXlsx(const QString& path, const QByteArray& rows)
{
    writeZip(path, {{"xl/workbook.xml", "<workbook><sheets><sheet name=\"A\" sheetId=\"1\"/></sheets></workbook>"},
                    {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + rows + "</sheetData></worksheet>"}});
}

QString rowText(Database& db, const QString& fields, double number)
{
    const auto row = db.scalar(QStringLiteral("select %1 from zelvarx where KayitNo = ?").arg(fields), {number});
    return row.toString();
}

QString importError(const QString& path)
{
    QTemporaryDir dir;
    auto db = Database::openFolder(dir.path());
    try {
        importAll(*db, path);
    } catch (const ZelvarError& e) {
        return db->scalar(QStringLiteral("select count(*) from zelvarx")).toInt() == 0 ? e.message()
                                                                                       : QStringLiteral("written");
    }
    return {};
}

} // namespace

class SheetsTest : public QObject {
    Q_OBJECT
private slots:
    void textFilesInEveryEncodingAndSeparator()
    {
        const QString text =
            QStringLiteral("Kayıt No|Adı Soyadı|Baba Adı|Doğum Tarihi|Cinsiyet|Not\r\n"
                           "1|Şükrü Çağlayan|İsmail|01.08.1964|erkek|\"Ğ|ğ \"\"alıntı\"\"\r\nikinci satır\"\r\n"
                           "\r\n"
                           "2|Ayşe Işık Öztürk|Ömer|1.8.1964|KADIN|\r\n"
                           "3|Gül Ünal|Ali|1964-08-01||son\r\n");
        struct Case {
            const char* name;
            const char* encoder;
            QByteArray bom;
            char separator;
            Encoding expected;
        };
        const QList<Case> cases = {
            {"utf-8 bom", "UTF-8", "\xEF\xBB\xBF", ';', Encoding::Utf8},
            {"utf-8", "UTF-8", {}, ',', Encoding::Utf8},
            {"windows-1254", "windows-1254", {}, ';', Encoding::Windows1254},
            {"dos-857", "IBM857", {}, '\t', Encoding::Dos857},
            {"utf-16", "UTF-16LE", "\xFF\xFE", '\t', Encoding::Utf16LE},
        };
        QTemporaryDir dir;
        for (const Case& c : cases) {
            const QString path = dir.filePath(QStringLiteral("%1.csv").arg(c.name));
            QString body = text;
            body.replace(QLatin1Char('|'), QLatin1Char(c.separator));
            QStringEncoder encoder(c.encoder);
            writeBytes(path, c.bom + QByteArray(encoder.encode(body)));
            CsvSource csv(path);
            QCOMPARE(csv.encoding(), c.expected);
            QCOMPARE(csv.separator(), c.separator);

            auto db = Database::openFolder(dir.filePath(QString::fromLatin1(c.name)));
            QCOMPARE(importAll(*db, path).value(QStringLiteral("zelvarx")), 3);
            QCOMPARE(rowText(*db, QStringLiteral("Adi || '/' || BabaAdi || '/' || DogTar || '/' || Cinsiyeti"), 1),
                     QStringLiteral("Şükrü Çağlayan/İsmail/1964-08-01/Erkek"));
            QCOMPARE(rowText(*db, QStringLiteral("\"Not\""), 1),
                     QStringLiteral("Ğ%1ğ \"alıntı\"\r\nikinci satır").arg(QLatin1Char(c.separator)));
            QCOMPARE(rowText(*db, QStringLiteral("Adi || '/' || DogTar || '/' || Cinsiyeti"), 2),
                     QStringLiteral("Ayşe Işık Öztürk/1964-08-01/Kadın"));
            QCOMPARE(rowText(*db, QStringLiteral("DogTar || '/' || \"Not\""), 3), QStringLiteral("1964-08-01/son"));
        }
    }

    void spreadsheetsReadDatesFormulasAndMergedCells()
    {
        QTemporaryDir dir;
        const QString xlsx = dir.filePath(QStringLiteral("liste.xlsx"));
        {
            lxw_workbook* book = workbook_new(xlsx.toUtf8().constData());
            lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
            lxw_format* date = workbook_add_format(book);
            format_set_num_format(date, "dd.mm.yyyy");
            const char* headings[] = {"Kayıt No", "Adı Soyadı", "Doğum Tarihi", "Medeni Hali", "Sokak"};
            for (int c = 0; c < 5; ++c)
                worksheet_write_string(sheet, 0, lxw_col_t(c), headings[c], nullptr);
            lxw_datetime birth{1964, 8, 1, 0, 0, 0};
            worksheet_write_number(sheet, 1, 0, 7, nullptr);
            worksheet_write_string(sheet, 1, 1, "Şule Öztürk", nullptr);
            worksheet_write_datetime(sheet, 1, 2, &birth, date);
            worksheet_write_string(sheet, 1, 3, "evli", nullptr);
            worksheet_write_formula_num(sheet, 2, 0, "=A2+1", nullptr, 8);
            worksheet_write_string(sheet, 2, 1, "İpek Öztürk", nullptr);
            worksheet_write_string(sheet, 2, 3, "Nişanlı", nullptr);
            worksheet_merge_range(sheet, 1, 4, 2, 4, "Gül Sok.", nullptr);
            QCOMPARE(workbook_close(book), LXW_NO_ERROR);
        }
        QTemporaryDir target;
        auto db = Database::openFolder(target.path());
        ImportRun run(*db);
        addAutomatic(run, xlsx);
        run.check();
        QStringList found;
        for (const Issue& i : run.issues())
            found << QStringLiteral("%1 %2 %3").arg(i.line).arg(int(i.kind)).arg(i.field);
        QCOMPARE(found, (QStringList{QStringLiteral("3 %1 Medeni Hali").arg(int(IssueKind::UnknownCode)),
                                     QStringLiteral("3 %1 Kayıt No").arg(int(IssueKind::Formula)),
                                     QStringLiteral("2 %1 ").arg(int(IssueKind::Merged))}));
        run.write(QString(), QDateTime::currentDateTime());
        QCOMPARE(rowText(*db, QStringLiteral("Adi || '/' || DogTar || '/' || Medeni || '/' || Sokak"), 7),
                 QStringLiteral("Şule Öztürk/1964-08-01/Evli/Gül Sok."));
        QCOMPARE(rowText(*db, QStringLiteral("Adi || '/' || Medeni || '/' || coalesce(Sokak, '-')"), 8),
                 QStringLiteral("İpek Öztürk/Nişanlı/-"));

        // The same in an OpenDocument sheet: repeated cells and rows, a
        // covered (merged) cell, kept blanks, a comment that is no text.
        const QString ods = dir.filePath(QStringLiteral("liste.ods"));
        const QByteArray content =
            "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
            "<table:table><table:table-row>"
            "<table:table-cell office:value-type=\"string\"><text:p>Kayıt No</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"string\"><text:p>Adı Soyadı</text:p></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"2\"/>"
            "<table:table-cell office:value-type=\"string\"><text:p>Doğum Tarihi</text:p></table:table-cell>"
            "</table:table-row>"
            "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell "
            "table:number-columns-repeated=\"1024\"/></table:table-row>"
            "<table:table-row><table:table-cell office:value-type=\"float\" "
            "office:value=\"4\"><text:p>4</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>not</text:p></office:annotation>"
            "<text:p>Ali<text:s text:c=\"2\"/>Veli</text:p></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"2\"/>"
            "<table:table-cell office:value-type=\"date\" "
            "office:date-value=\"1970-01-02T00:00:00\"><text:p>x</text:p></table:table-cell>"
            "</table:table-row>"
            "<table:table-row><table:covered-table-cell/><table:table-cell "
            "office:value-type=\"string\"><text:p>Can</text:p></table:table-cell></table:table-row>"
            "</table:table><table:table><table:table-row><table:table-cell office:value-type=\"string\"><text:p>ikinci "
            "sayfa</text:p></table:table-cell></table:table-row></table:table>"
            "</office:spreadsheet></office:body></office:document-content>";
        writeZip(ods, {{"content.xml", content}});
        auto odsDb = Database::openFolder(target.filePath(QStringLiteral("ods")));
        ImportRun odsRun(*odsDb);
        addAutomatic(odsRun, ods);
        odsRun.check();
        QCOMPARE(odsRun.issueCount(IssueKind::Merged), 1);
        QCOMPARE(odsRun.issues().first().line, 6);
        odsRun.write(QString(), QDateTime::currentDateTime());
        QCOMPARE(rowText(*odsDb, QStringLiteral("Adi || '/' || DogTar"), 4), QStringLiteral("Ali  Veli/1970-01-02"));
        QCOMPARE(odsDb->scalar(QStringLiteral("select count(*) from zelvarx")).toInt(), 2);
    }

    void badFilesAreRefusedByFileAndRow()
    {
        QTemporaryDir dir;
        const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };

        writeXlsx(path("bos.xlsx"), "<row r=\"1\"/><row r=\"2\"><c r=\"A2\"/></row>");
        QCOMPARE(importError(path("bos.xlsx")), QStringLiteral("bos.xlsx dosyasının ilk sayfası boş."));

        const QByteArray huge(2 << 20, 'x');
        writeBytes(path("uzun.csv"), "Adı Soyadı;Not\r\nAli;kısa\r\nVeli;" + huge + "\r\n");
        QCOMPARE(importError(path("uzun.csv")),
                 QStringLiteral("uzun.csv, satır 3: bir hücre çok uzun (1 MB'tan fazla)."));
        writeXlsx(path("uzun.xlsx"), "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Adi</t></is></c></row>"
                                     "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>" +
                                         huge + "</t></is></c></row>");
        QCOMPARE(importError(path("uzun.xlsx")),
                 QStringLiteral("uzun.xlsx, satır 2: bir hücre çok uzun (1 MB'tan fazla)."));

        writeBytes(path("ikili.csv"), QByteArray("Adi\r\n\x01\x02\x00\x9f\x81", 10));
        QVERIFY(importError(path("ikili.csv"))
                    .startsWith(QStringLiteral("ikili.csv dosyasının karakter kodlaması tanınamadı")));
        writeBytes(path("sahte.xlsx"), "Adi;Soyadi\r\n");
        QVERIFY(importError(path("sahte.xlsx")).startsWith(QStringLiteral("sahte.xlsx dosyası açılamadı")));
        writeXlsx(path("yarim.xlsx"),
                  "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Adi</t></is></c></row><row r=\"2\"><c");
        QVERIFY(importError(path("yarim.xlsx")).startsWith(QStringLiteral("yarim.xlsx, satır 2: dosya bozuk")));

        // A sheet whose last row is the last a spreadsheet has: read at once,
        // the row reported by its number.
        writeXlsx(path("son.xlsx"), "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Adi</t></is></c><c r=\"B1\" "
                                    "t=\"inlineStr\"><is><t>DogTar</t></is></c></row>"
                                    "<row r=\"1048576\"><c r=\"A1048576\" t=\"inlineStr\"><is><t>Ali</t></is></c>"
                                    "<c r=\"B1048576\" t=\"inlineStr\"><is><t>32.13.1990</t></is></c></row>");
        QTemporaryDir target;
        auto db = Database::openFolder(target.path());
        ImportRun run(*db);
        addAutomatic(run, path("son.xlsx"));
        run.check();
        QCOMPARE(run.issues().first().line, 1048576);
        QCOMPARE(run.issues().first().kind, IssueKind::BadDate);
    }
};

ZELVAR_TEST(SheetsTest)
#include "tst_sheets.moc"
