// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheet and word-processor files, read back with the tools a user
// of the files would meet: xlsx2csv and unzip.
#include "DataFixture.h"
#include "ExportReading.h"
#include "TestRegistry.h"
#include "data/QueryDialect.h"
#include "export/Exporters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;
using namespace zelvar::testing;

class ExportsTest : public QObject {
    Q_OBJECT
private slots:
    void spreadsheetCells()
    {
        DataFixture f;
        f.addResident("Şükrü Öztürk", 1, {{"DogTar", QDate(1964, 8, 1)}, {"Sokak", "İğde Sk."}, {"EvNo", "68/5"}});
        f.addResident("Ayşe Işık", 2, {{"DogTar", QDate(2001, 12, 31)}, {"EvNo", "3"}});
        f.addResident("Çağla Ünal", 3, {{"Not", QString(100, QChar(u'ğ'))}});
        QTemporaryDir dir;

        // The single column Adi: A1 the name of the field, A2 to A4 the names.
        runFreeQuery(*f.dm().Query7, "Adi", "");
        const QString names = dir.filePath("adlar.xlsx");
        QList<int> counts;
        exportToXlsx(*f.dm().Query7, names, [&counts](int n) { counts << n; });
        QCOMPARE(counts.last(), 3);
        QCOMPARE(xlsxRows(names), (QList<QStringList>{{"Adi"}, {"Şükrü Öztürk"}, {"Ayşe Işık"}, {"Çağla Ünal"}}));

        // The resident table: every field in its order, dates as date cells,
        // numbers as numbers, an empty middle field an empty cell.
        runFreeQuery(*f.dm().Query7, "*", "");
        const QString all = dir.filePath("kisiler.xlsx");
        exportToXlsx(*f.dm().Query7, all);
        const QList<QStringList> rows = xlsxRows(all);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].size(), 44);
        QCOMPARE(rows[0].mid(0, 6), (QStringList{"Adi", "YokTar", "Mahalle", "Sokak", "EvDurum1", "EvNo"}));
        const int dogTar = rows[0].indexOf("DogTar");
        const int kayitNo = rows[0].indexOf("KayitNo");
        const int sokak = rows[0].indexOf("Sokak");
        QCOMPARE(rows[1][sokak], QString("İğde Sk."));
        QCOMPARE(rows[2][sokak], QString()); // between Mahalle and EvDurum1, empty
        QCOMPARE(rows[2][sokak + 2], QString("3"));
        QCOMPARE(rows[3][rows[0].indexOf("Not")], QString(100, QChar(u'ğ')));
        QCOMPARE(rows[1][dogTar], QString("01.08.1964"));
        QCOMPARE(rows[2][dogTar], QString("31.12.2001"));
        QCOMPARE(rows[2][kayitNo], QString("2"));
        const QString sheet = unzipEntry(all, "xl/worksheets/sheet1.xml");
        // The date is a number of days with the date format, not text.
        QVERIFY(sheet.contains(QRegularExpression(R"(<c r="J2" s="\d+"><v>23590</v></c>)"))); // 1.8.1964
        QVERIFY(sheet.contains(QRegularExpression(R"(<c r="AM3"( s="\d+")?><v>2</v></c>)"))); // KayitNo
        const QString styles = unzipEntry(all, "xl/styles.xml");
        QVERIFY(styles.contains("formatCode=\"dd.mm.yyyy\""));
    }

    void documentParagraphs()
    {
        DataFixture f;
        f.addResident("Şükrü Öztürk", 1, {{"Sokak", "İğde <Sk> & Co"}, {"EvNo", "68/5"}});
        f.addResident("Ayşe Işık", 2, {{"DogTar", QDate(2001, 12, 31)}, {"Mahalle", "Merkez"}, {"EvNo", "3"}});
        QTemporaryDir dir;
        runFreeQuery(*f.dm().Query7, "Adi, Mahalle, Sokak, EvNo, DogTar, KayitNo", "");
        const QString path = dir.filePath("liste.odt");
        QList<int> counts;
        exportToOdt(*f.dm().Query7, path, [&counts](int n) { counts << n; });
        QCOMPARE(counts.last(), 2);

        QCOMPARE(unzipEntry(path, "mimetype"), QString("application/vnd.oasis.opendocument.text"));
        // Each value followed by one blank; an empty field leaves two in a row.
        QCOMPARE(odtParagraphs(path),
                 (QStringList{"Şükrü Öztürk  İğde <Sk> & Co 68/5  1 ", "Ayşe Işık Merkez  3 31.12.2001 2 "}));
        QCOMPARE(odtParagraphText(*f.dm().Query7, 0), QString("Şükrü Öztürk  İğde <Sk> & Co 68/5  1 "));
    }

    void failedWriteLeavesNothing()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        runFreeQuery(*f.dm().Query7, "Adi", "");
        QTemporaryDir dir;
        const QString missing = dir.filePath("yok/klasor/liste.xlsx");
        QVERIFY_THROWS_EXCEPTION(ExportError, exportToXlsx(*f.dm().Query7, missing));
        QVERIFY_THROWS_EXCEPTION(ExportError, exportToOdt(*f.dm().Query7, dir.filePath("yok/liste.odt")));
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

        // An existing file is replaced only by a complete one.
        const QString existing = dir.filePath("liste.odt");
        QFile old(existing);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski");
        old.close();
        exportToOdt(*f.dm().Query7, existing);
        QCOMPARE(odtParagraphs(existing), QStringList{"Ali "});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"liste.odt"});
    }
};

ZELVAR_TEST(ExportsTest)
#include "tst_exports.moc"
