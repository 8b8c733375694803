// SPDX-License-Identifier: GPL-3.0-or-later
// The cover picture of the move-out page: built in, replaced by 0.jpg to
// 5.jpg from the program's folder when the draw names an existing file.
#include "TestRegistry.h"
#include "platform/fakes/FakeServices.h"
#include "register/CoverPicture.h"
#include "register/PictureReading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

using namespace zelvar;

namespace {

// Draws the given numbers in order.
CoverPicture::RandomSource sequence(std::deque<int> numbers)
{
    auto left = std::make_shared<std::deque<int>>(std::move(numbers));
    return [left] {
        const int n = left->front();
        left->pop_front();
        return n;
    };
}

void saveJpeg(const QTemporaryDir& dir, int n, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(dir.filePath(QStringLiteral("%1.jpg").arg(n)), "JPEG");
}

} // namespace

class CoverPictureTest : public QObject {
    Q_OBJECT
private slots:
    void builtInPictureStaysWithoutFiles()
    {
        QTemporaryDir dir;
        FakeClock clock;
        CoverPicture cover(clock, dir.path());
        const QImage builtIn = CoverPicture::builtInPicture();
        QVERIFY(!builtIn.isNull());
        QVERIFY(builtIn.width() >= 200 && builtIn.height() >= 200);
        QCOMPARE(cover.picture(), builtIn);
        cover.setRandomSource(sequence({0, 1, 2, 3, 4, 5}));
        for (int i = 0; i < 6; ++i)
            QVERIFY(!cover.pageChanged());
        QCOMPARE(cover.picture(), builtIn);

        // Without a folder given, the files are looked for beside the program.
        QCOMPARE(CoverPicture(clock).programFolder(), QCoreApplication::applicationDirPath());
    }

    void onlyTwoJpgReplacesItWhenDrawn()
    {
        QTemporaryDir dir;
        saveJpeg(dir, 2, QSize(64, 48), Qt::darkGreen);
        FakeClock clock;
        CoverPicture cover(clock, dir.path());
        cover.setRandomSource(sequence({0, 1, 5, 2, 3, 4, 0}));
        const QImage builtIn = cover.picture();
        QVERIFY(!cover.pageChanged());
        QVERIFY(!cover.pageChanged());
        QVERIFY(!cover.pageChanged());
        QCOMPARE(cover.picture(), builtIn);
        QVERIFY(cover.pageChanged());
        const QImage two = cover.picture();
        QCOMPARE(two.size(), QSize(64, 48));
        const QColor centre = two.pixel(32, 24); // JPEG is lossy: nearly dark green
        QVERIFY(qAbs(centre.green() - 128) <= 3 && centre.red() <= 3 && centre.blue() <= 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!cover.pageChanged());
        QCOMPARE(cover.picture(), two);
    }

    void theInstalledProgramFindsThemInItsDataFolder()
    {
        // Installed as <prefix>/bin/zelvar: <prefix>/share/zelvar holds them,
        // and one beside the program still comes first.
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath("bin")) && QDir().mkpath(root.filePath("share/zelvar")));
        const QString shared = root.filePath("share/zelvar");
        QImage(QSize(30, 20), QImage::Format_RGB32).save(shared + "/1.jpg", "JPEG");
        QImage(QSize(40, 20), QImage::Format_RGB32).save(root.filePath("bin/4.jpg"), "JPEG");
        QImage(QSize(50, 20), QImage::Format_RGB32).save(shared + "/4.jpg", "JPEG");
        FakeClock clock;
        CoverPicture cover(clock, root.filePath("bin"));
        cover.setRandomSource(sequence({1, 4, 2}));
        QVERIFY(cover.pageChanged());
        QCOMPARE(cover.picture().width(), 30);
        QVERIFY(cover.pageChanged());
        QCOMPARE(cover.picture().width(), 40);
        QVERIFY(!cover.pageChanged());
        QCOMPARE(cover.picture().width(), 40);
    }

    void anUnreadableFileFailsAndTheOldPictureStays()
    {
        QTemporaryDir dir;
        QFile bad(dir.filePath("3.jpg"));
        bad.open(QIODevice::WriteOnly);
        bad.write("bozuk dosya");
        bad.close();
        FakeClock clock;
        CoverPicture cover(clock, dir.path());
        cover.setRandomSource(sequence({3}));
        const QImage before = cover.picture();
        QVERIFY_THROWS_EXCEPTION(PictureReadError, cover.pageChanged());
        QCOMPARE(cover.picture(), before);
    }

    void theClockSeededDrawCoversZeroToFive()
    {
        // Six files of six sizes tell which number was drawn.
        QTemporaryDir dir;
        for (int n = 0; n < CoverPicture::kPictureCount; ++n)
            saveJpeg(dir, n, QSize(10 + n, 10), Qt::gray);
        FakeClock clock;
        CoverPicture cover(clock, dir.path());
        QSet<int> drawn;
        for (int i = 0; i < 300; ++i) {
            clock.set(clock.now().addMSecs(37));
            QVERIFY(cover.pageChanged());
            drawn << cover.picture().width() - 10;
        }
        QCOMPARE(drawn, QSet<int>({0, 1, 2, 3, 4, 5}));

        // The same moment seeds the same draw.
        CoverPicture other(clock, dir.path());
        other.pageChanged();
        cover.pageChanged();
        QCOMPARE(other.picture().width(), cover.picture().width());
    }
};

ZELVAR_TEST(CoverPictureTest)
#include "tst_cover.moc"
