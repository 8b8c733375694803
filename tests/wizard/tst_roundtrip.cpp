// SPDX-License-Identifier: GPL-3.0-or-later
// An export imported again into an empty folder gives back the same
// register, in every format, every field compared.
#include "TestRegistry.h"
#include "WizardTestSupport.h"
#include "wizard/engine/ExportRun.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using namespace zelvar::testing;
using namespace zelvar::wizard;

class RoundTripTest : public QObject {
    Q_OBJECT
private slots:
    void exportedRegisterComesBackIdentical()
    {
        QTemporaryDir dir;
        auto source = sampleRegister(dir.filePath(QStringLiteral("source")), 10000);
        const QStringList residents = tableRows(*source, QStringLiteral("zelvarx"), QStringLiteral("KayitNo"));
        const QStringList moveOuts = tableRows(*source, QStringLiteral("Nakil"), QStringLiteral("Kayitnum"));
        const QStringList appointments = tableRows(*source, QStringLiteral("Randevu"), QStringLiteral("Tarih, Saati"));
        const QStringList office = tableRows(*source, QStringLiteral("Mahalle"), QStringLiteral("Sira"));
        QCOMPARE(residents.size(), 10000);
        QVERIFY(!moveOuts.isEmpty() && !appointments.isEmpty() && office.size() == 1);

        for (const char* format : {"xlsx", "ods", "csv"}) {
            auto target = Database::openFolder(dir.filePath(QStringLiteral("copy-%1").arg(format)));
            for (const char* table : {"zelvarx", "Nakil", "Randevu", "Mahalle"}) {
                const QString file = dir.filePath(QStringLiteral("%1.%2").arg(table, format));
                exportTable(*source, *exportChoice(QString::fromLatin1(table)), file, *exportFormatOf(file));
                importAll(*target, file);
            }
            const auto same = [&](const char* table, const char* order, const QStringList& expected) {
                const QString difference = firstDifference(tableRows(*target, table, order), expected);
                QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1, %2: %3").arg(format, table, difference)));
            };
            same("zelvarx", "KayitNo", residents);
            same("Nakil", "Kayitnum", moveOuts);
            same("Randevu", "Tarih, Saati", appointments);
            same("Mahalle", "Sira", office);
        }
    }
};

ZELVAR_TEST(RoundTripTest)
#include "tst_roundtrip.moc"
