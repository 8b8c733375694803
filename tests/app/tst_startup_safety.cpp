// Start-up on a data folder that is not fit to use: every case gets a
// Turkish message led by "Veritabanı açılamadı." and exit code 2 (or a
// normal start), never a crash, and the database file keeps its bytes.
// A second copy of the program on a folder in use is turned away.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/DataFolderOpening.h"
#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace zelvar;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void execOn(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A folder holding a good database with a few residents, closed.
QString goodFolder(QTemporaryDir& dir, const QString& name)
{
    const QString folder = dir.filePath(name);
    zelvar::testing::DataFixture f;
    f.addResident("Ali Kaya", 1);
    f.addResident("Ayşe Çınar", 2);
    f.dm().database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
    QDir().mkpath(folder);
    QFile::copy(QDir(f.folder()).filePath(Database::fileName()), QDir(folder).filePath(Database::fileName()));
    return folder;
}

QString dbFile(const QString& folder)
{
    return QDir(folder).filePath(Database::fileName());
}

} // namespace

class StartupSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void unfitDataFoldersAreRefusedUntouched()
    {
        QTemporaryDir dir;
        struct Case {
            QString name;
            QString folder;
            QString reason; // part of the message
        };
        QList<Case> cases;

        QString folder = dir.filePath("metin");
        QDir().mkpath(folder);
        writeBytes(dbFile(folder), QByteArray("Bu bir veritabanı değil, bir mektup.\n").repeated(200));
        cases << Case{"not a database", folder, "veritabanı değil"};

        folder = goodFolder(dir, "kesik");
        writeBytes(dbFile(folder), bytesOf(dbFile(folder)).left(4096 + 100));
        cases << Case{"truncated", folder, "zorp.sqlite"};

        folder = goodFolder(dir, "tablosuz");
        execOn(dbFile(folder), "drop table Randevu");
        cases << Case{"missing table", folder, "Randevu tablosu bulunamadı."};

        folder = goodFolder(dir, "alansiz");
        execOn(dbFile(folder), "alter table zelvarx drop column Telefon");
        cases << Case{"missing field", folder, "zelvarx tablosunda Telefon alanı bulunamadı."};

        folder = goodFolder(dir, "saltokunur");
        QFile::setPermissions(dbFile(folder), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        cases << Case{"read-only file", folder, "salt okunur"};

        folder = goodFolder(dir, "kilitliklasor");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        cases << Case{"read-only folder", folder, "Klasör salt okunur"};

        folder = dir.filePath("bosvesaltokunur");
        QDir().mkpath(folder);
        writeBytes(dbFile(folder), {});
        QFile::setPermissions(dbFile(folder), QFile::ReadOwner);
        cases << Case{"empty read-only file", folder, "salt okunur"};

        for (const Case& c : cases) {
            const QByteArray before = bytesOf(dbFile(c.folder));
            const QStringList entries = QDir(c.folder).entryList(QDir::Files | QDir::Hidden);
            {
                DataFolderOpening opening(c.folder);
                QVERIFY2(opening.open() == DataFolderOpening::kCannotOpen, qPrintable(c.name));
                QVERIFY2(opening.message().startsWith("Veritabanı açılamadı.\nKlasör: "), qPrintable(c.name));
                QVERIFY2(opening.message().contains(c.reason), qPrintable(c.name + ": " + opening.message()));
                QCOMPARE(opening.messageKind(), MessageKind::Error);
                QVERIFY(!opening.dm());
            }
            QVERIFY2(bytesOf(dbFile(c.folder)) == before, qPrintable(c.name + ": the file changed"));
            // Nothing left behind but what was there (the lock goes too).
            QCOMPARE(QDir(c.folder).entryList(QDir::Files | QDir::Hidden), entries);
        }
        QFile::setPermissions(dir.filePath("kilitliklasor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aDatabaseLockedByAnotherProgramIsNamed()
    {
        QTemporaryDir dir;
        const QString folder = goodFolder(dir, "kilitli");
        sqlite3* other = nullptr;
        sqlite3_open(dbFile(folder).toUtf8().constData(), &other);
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; begin exclusive; update GRUP1 set Sayi = 1;", nullptr,
                     nullptr, nullptr);
        DataFolderOpening opening(folder);
        QCOMPARE(opening.open(), DataFolderOpening::kCannotOpen);
        QVERIFY(opening.message().startsWith("Veritabanı açılamadı.\n"));
        QVERIFY2(opening.message().contains("başka bir program kullanıyor"), qPrintable(opening.message()));
        sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }

    void anEmptyFileBecomesANewDatabase()
    {
        QTemporaryDir dir;
        writeBytes(dbFile(dir.path()), {});
        DataFolderOpening opening(dir.path());
        QCOMPARE(opening.open(), DataFolderOpening::kOpened);
        QVERIFY(opening.dm());
        QCOMPARE(opening.dm()->database().scalar("select count(*) from GRUP1").toInt(), 10);
        QCOMPARE(opening.dm()->Query2->recordCount(), 0);
        QCOMPARE(opening.dm()->nextRecordNumber(), 1);
    }

    void aSecondCopyOnTheSameFolderEnds()
    {
        QTemporaryDir dir;
        const QString folder = goodFolder(dir, "ortak");
        auto first = std::make_unique<DataFolderOpening>(folder);
        QCOMPARE(first->open(), DataFolderOpening::kOpened);
        first->dm()->database().exec("PRAGMA wal_checkpoint(TRUNCATE)");
        const QByteArray before = bytesOf(dbFile(folder));
        {
            DataFolderOpening second(folder);
            QCOMPARE(second.open(), DataFolderOpening::kAlreadyRunning);
            QCOMPARE(second.message(), DataFolderOpening::alreadyRunningMessage(folder));
            QVERIFY(second.message().startsWith("Zelvar bu veri klasöründe zaten çalışıyor."));
            QCOMPARE(second.messageKind(), MessageKind::Warning);
            QVERIFY(!second.dm());
        }
        QCOMPARE(bytesOf(dbFile(folder)), before);
        // The first copy works on; once it has ended the folder is free.
        QCOMPARE(first->dm()->Query2->recordCount(), 2);
        first.reset();
        DataFolderOpening later(folder);
        QCOMPARE(later.open(), DataFolderOpening::kOpened);
    }
};

ZELVAR_TEST(StartupSafetyTest)
#include "tst_startup_safety.moc"
