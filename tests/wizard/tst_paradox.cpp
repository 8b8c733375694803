// SPDX-License-Identifier: GPL-3.0-or-later
// Paradox folders made with pxlib from the register's table layout: every
// table, both Turkish code pages, encrypted tables, photographs, and
// damaged files refused by name.
#include "ParadoxWriter.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "WizardTestSupport.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/ParadoxFolder.h"
#include "wizard/engine/SourceFiles.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::testing;
using namespace zelvar::wizard;

namespace {

QImage storedPhoto(Database& db, double number)
{
    return QImage::fromData(
        db.scalar(QStringLiteral("select Foto from Foto where Kayitno = ?"), {number}).toByteArray());
}

} // namespace

class ParadoxTest : public QObject {
    Q_OBJECT
private slots:
    void everyTableComesInFromAParadoxFolder()
    {
        struct Case {
            int codePage;
            QByteArray password;
        };
        for (const Case& c : {Case{1254, {}}, Case{857, {}}, Case{1254, "2001"}}) {
            const QString context =
                QStringLiteral("code page %1%2").arg(c.codePage).arg(c.password.isEmpty() ? "" : ", encrypted");
            QTemporaryDir dir;
            auto source = sampleRegister(dir.filePath(QStringLiteral("source")), 60);
            const bool encrypted = !c.password.isEmpty();
            if (encrypted) {
                // pxlib cannot write blob files of an encrypted table: keep
                // every memo within its row and leave the photographs out.
                source->exec(QStringLiteral("update zelvarx set IsAdresi = substr(IsAdresi, 1, 60)"));
            } else {
                source->exec(
                    QStringLiteral("insert into Foto (Kayitno, Foto, \"Not\") values (3, ?, 'ön'), (4, ?, NULL), "
                                   "(9999, ?, NULL)"),
                    {bitmap(Qt::red), bitmap(Qt::blue, 1600, 1200), bitmap(Qt::green)});
            }
            const QString folder = dir.filePath(QStringLiteral("paradox"));
            writeParadoxFolder(*source, folder, ParadoxOptions{c.codePage, c.password});
            QCOMPARE(ParadoxFolder(folder).tables().size(), 8);
            QCOMPARE(ParadoxFolder(folder).table(QStringLiteral("zelvarx"))->encrypted, encrypted);
            QCOMPARE(ParadoxFolder(folder).commonCodePage(), c.codePage);

            auto target = Database::openFolder(dir.filePath(QStringLiteral("target")));
            ImportRun run(*target);
            const QStringList notes = addAutomatic(run, folder);
            QVERIFY2(notes.join('\n').contains(QStringLiteral("sifre.DB: şifre aktarılmaz")), qPrintable(context));
            QVERIFY(notes.join('\n').contains(QStringLiteral("GRUP1.DB: istatistik tablosu")));
            run.check();
            if (!encrypted) {
                QCOMPARE(run.issueCount(IssueKind::PhotoWithoutOwner), 1);
                QCOMPARE(run.issues().size(), 1);
            } else {
                QVERIFY2(run.issues().isEmpty(), qPrintable(run.issues().value(0).detail));
            }
            run.write(QString(), QDateTime::currentDateTime());

            for (const auto& [table, order] : {std::pair{"zelvarx", "KayitNo"}, std::pair{"Nakil", "Kayitnum"},
                                               std::pair{"Randevu", "Tarih, Saati"}, std::pair{"Mahalle", "Sira"}}) {
                const QString difference =
                    firstDifference(tableRows(*target, table, order), tableRows(*source, table, order));
                QVERIFY2(difference.isEmpty(),
                         qPrintable(QStringLiteral("%1, %2: %3").arg(context, table, difference)));
            }
            if (!encrypted) {
                QCOMPARE(target->scalar(QStringLiteral("select count(*) from Foto")).toInt(), 2);
                QCOMPARE(storedPhoto(*target, 3).pixelColor(5, 5), QColor(Qt::red));
                QCOMPARE(storedPhoto(*target, 4).size(), QSize(1024, 768)); // the register's largest side
                QCOMPARE(target->scalar(QStringLiteral("select \"Not\" from Foto where Kayitno = 3")).toString(),
                         QStringLiteral("ön"));
            }
            QCOMPARE(target->scalar(QStringLiteral("select count(*) from sifre")).toInt(), 0);
        }
    }

    void damagedTablesAreRefusedByName()
    {
        QTemporaryDir dir;
        auto source = sampleRegister(dir.filePath(QStringLiteral("source")), 200);
        source->exec(QStringLiteral("insert into Foto (Kayitno, Foto) values (3, ?)"), {bitmap(Qt::red)});
        const QString good = dir.filePath(QStringLiteral("good"));
        writeParadoxFolder(*source, good);
        const QByteArray residents = bytesOf(QDir(good).filePath(QStringLiteral("zelvarx.DB")));

        struct Damage {
            const char* what;
            std::function<void(const QString&)> damage;
            QString expected;
        };
        const QList<Damage> damages = {
            {"cut short",
             [&](const QString& f) {
                 writeBytes(QDir(f).filePath("zelvarx.DB"), residents.left(residents.size() / 2));
             },
             QStringLiteral("zelvarx.DB: dosya kesilmiş")},
            {"wrong header",
             [&](const QString& f) {
                 writeBytes(QDir(f).filePath("zelvarx.DB"), QByteArray("\x07\x00\xFF\xFF\x77", 5) + residents.mid(5));
             },
             QStringLiteral("zelvarx.DB: dosya bir Paradox tablosu değil ya da başlığı bozuk")},
            {"missing blob file", [](const QString& f) { QFile::remove(QDir(f).filePath("Foto.MB")); },
             QStringLiteral("Foto.DB: Foto.MB dosyası bulunamadı")},
        };
        for (const Damage& d : damages) {
            const QString folder = dir.filePath(QString::fromLatin1(d.what));
            QDir().mkpath(folder);
            for (const QFileInfo& f : QDir(good).entryInfoList(QDir::Files))
                QFile::copy(f.filePath(), QDir(folder).filePath(f.fileName()));
            d.damage(folder);
            auto target = Database::openFolder(dir.filePath(QStringLiteral("target-%1").arg(d.what)));
            ImportRun run(*target);
            try {
                addAutomatic(run, folder);
                QFAIL(d.what);
            } catch (const ImportError& e) {
                QVERIFY2(e.message().startsWith(d.expected), qPrintable(e.message()));
            }
            QCOMPARE(target->scalar(QStringLiteral("select count(*) from zelvarx")).toInt(), 0);
        }

        // Bytes changed at random in the table: an error or an import, never
        // a crash or a hang. The encryption fields are left alone: a table
        // that claims to be encrypted is decrypted by the library, whose
        // block chain this program cannot check beforehand.
        QRandomGenerator random(21);
        for (int attempt = 0; attempt < 40; ++attempt) {
            QByteArray damaged = residents;
            for (int k = 0; k < 6; ++k) {
                const int at = int(random.bounded(qMin<qsizetype>(damaged.size(), 6000)));
                if ((at < 0x25 || at > 0x28) && (at < 0x5C || at > 0x5F))
                    damaged[at] = char(random.bounded(256));
            }
            const QString folder = dir.filePath(QStringLiteral("random-%1").arg(attempt));
            QDir().mkpath(folder);
            writeBytes(QDir(folder).filePath(QStringLiteral("zelvarx.DB")), damaged);
            auto target = Database::openFolder(dir.filePath(QStringLiteral("random-target-%1").arg(attempt)));
            try {
                importAll(*target, folder);
            } catch (const ZelvarError&) {
            }
        }
    }
};

ZELVAR_TEST(ParadoxTest)
#include "tst_paradox.moc"
