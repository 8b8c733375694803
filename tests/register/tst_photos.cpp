// SPDX-License-Identifier: GPL-3.0-or-later
// Loading, replacing, following and deleting residents' photographs.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "register/PhotoOperations.h"
#include "register/PictureReading.h"
#include "ui/bound/DBImage.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// A picture whose every pixel differs from its neighbours, so that a shifted,
// scaled or recoloured copy cannot pass for it.
QImage pattern(int width, int height, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 13 + seed) & 255, (x * y + seed) & 255));
    return image;
}

QImage argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QString savePicture(const QTemporaryDir& dir, const QString& name, const QImage& image, const char* format)
{
    QString path = dir.filePath(name);
    image.save(path, format);
    return path;
}

QByteArray storedPhoto(DataFixture& f, int number)
{
    return f.dm().database().scalar("select Foto from Foto where Kayitno = ?", {double(number)}).toByteArray();
}

int photoRows(DataFixture& f, int number)
{
    return f.dm().database().scalar("select count(*) from Foto where Kayitno = ?", {double(number)}).toInt();
}

} // namespace

class PhotoOperationsTest : public QObject {
    Q_OBJECT
private slots:
    void noResidentAsksForTheRecordFirst()
    {
        DataFixture f;
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        QVERIFY(!photos.load());
        QCOMPARE(fake.sound.events, QStringList{"beep"});
        QCOMPARE(fake.prompter.texts(), QStringList{"Lütfen Resim Yüklemeden Önce Kişinin Kaydını Açınız !"});
        QVERIFY(fake.prompter.unexpected.isEmpty()); // no file dialog was shown
        QCOMPARE(f.dm().database().scalar("select count(*) from Foto").toInt(), 0);
    }

    void loadingStoresOneRowAndReplacesItsPicture()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);

        // A PNG goes in with exactly its pixels.
        const QImage first = pattern(64, 48);
        fake.prompter.file(savePicture(dir, "ali.png", first, "PNG"));
        QVERIFY(photos.load());
        QCOMPARE(fake.prompter.lastFilters, QStringList({"Bitmaps (*.bmp)", "Resimler (*.bmp *.jpg *.jpeg *.png)"}));
        QCOMPARE(fake.prompter.shown.last().title, PhotoOperations::dialogTitle());
        QVERIFY(fake.prompter.lastFileDialogPreviews);
        QCOMPARE(photoRows(f, 1), 1);
        QVERIFY(storedPhoto(f, 1).startsWith("\x89PNG"));
        QCOMPARE(argb(pictureFromBytes(storedPhoto(f, 1))), argb(first));
        QCOMPARE(argb(photos.currentPhoto()), argb(first));
        QCOMPARE(f.dm().tbfoto->state(), Dataset::State::Browse);
        QCOMPARE(f.dm().Query2->state(), Dataset::State::Browse);

        // A second picture replaces the first in the same row.
        const QImage second = pattern(30, 40, 99);
        fake.prompter.file(savePicture(dir, "ali2.bmp", second, "BMP"));
        QVERIFY(photos.load());
        QCOMPARE(photoRows(f, 1), 1);
        QCOMPARE(argb(photos.currentPhoto()), argb(second));

        // A JPEG is read, stored as PNG, and keeps its size.
        f.dm().Query2->next();
        fake.prompter.file(savePicture(dir, "veli.jpg", pattern(120, 90, 5), "JPEG"));
        QVERIFY(photos.load());
        QCOMPARE(photoRows(f, 2), 1);
        QVERIFY(storedPhoto(f, 2).startsWith("\x89PNG"));
        QCOMPARE(photos.currentPhoto().size(), QSize(120, 90));
        QCOMPARE(photoRows(f, 1), 1);
        QVERIFY(fake.prompter.unexpected.isEmpty());
    }

    void cancelStoresNothing()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        fake.prompter.file(QString()); // the dialog was cancelled
        QVERIFY(!photos.load());
        QCOMPARE(photoRows(f, 1), 0);
        QCOMPARE(f.dm().tbfoto->state(), Dataset::State::Browse);
        QCOMPARE(f.dm().tbfoto->rowCount(), 0);
    }

    void unreadableFilesLeaveTheOldPhoto()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        fake.prompter.file(savePicture(dir, "ali.png", pattern(20, 20), "PNG"));
        photos.load();
        const QByteArray before = storedPhoto(f, 1);

        QByteArray truncatedPng = pngBytes(pattern(50, 50)).left(40);
        const QStringList bad{writeFile(dir, "empty.bmp", QByteArray()),
                              writeFile(dir, "text.jpg", "Bu bir resim değil"), writeFile(dir, "cut.png", truncatedPng),
                              dir.filePath("missing.png")};
        for (const QString& file : bad) {
            fake.prompter.file(file);
            QVERIFY_THROWS_EXCEPTION(PictureReadError, photos.load());
            QCOMPARE(storedPhoto(f, 1), before);
            QCOMPARE(photoRows(f, 1), 1);
            QCOMPARE(f.dm().tbfoto->state(), Dataset::State::Browse);
            QCOMPARE(f.dm().Query2->state(), Dataset::State::Browse);
        }

        // A resident without a photo still has none.
        f.dm().Query2->next();
        fake.prompter.file(bad[1]);
        QVERIFY_THROWS_EXCEPTION(PictureReadError, photos.load());
        QCOMPARE(photoRows(f, 2), 0);
        QCOMPARE(f.dm().tbfoto->rowCount(), 0);
    }

    void hugePicturesAreScaledDownKeepingTheirShape()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);

        // 8000 × 6000, as a camera makes them; grey keeps the test's own memory small.
        QImage huge(8000, 6000, QImage::Format_Grayscale8);
        for (int y = 0; y < huge.height(); ++y)
            memset(huge.scanLine(y), (y / 100) * 4, huge.width());
        fake.prompter.file(savePicture(dir, "huge.jpg", huge, "JPEG"));
        huge = QImage();
        QVERIFY(photos.load());
        QCOMPARE(photos.currentPhoto().size(), QSize(1024, 768));

        // A tall one keeps its shape too.
        f.dm().Query2->next();
        fake.prompter.file(savePicture(dir, "tall.png", pattern(600, 3000), "PNG"));
        QVERIFY(photos.load());
        const QSize tall = photos.currentPhoto().size();
        QCOMPARE(tall.height(), 1024);
        QVERIFY(qAbs(tall.width() - 205) <= 1);
    }

    void thePhotoFollowsTheResident()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.addResident("Can Er", 3);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        Dataset* residents = f.dm().Query2;
        DBImage box(f.dm().dsfoto, "Foto"); // the entry page's picture box
        const QImage ali = pattern(16, 16, 1);
        const QImage can = pattern(16, 16, 2);
        fake.prompter.file(savePicture(dir, "ali.png", ali, "PNG"));
        photos.load();
        residents->last();
        fake.prompter.file(savePicture(dir, "can.png", can, "PNG"));
        photos.load();

        QCOMPARE(argb(box.picture()), argb(can));
        residents->first();
        QCOMPARE(argb(photos.currentPhoto()), argb(ali));
        QCOMPARE(argb(box.picture()), argb(ali));
        residents->next();
        QVERIFY(photos.currentPhoto().isNull());
        QVERIFY(!box.hasPicture());
        QCOMPARE(f.dm().tbfoto->rowCount(), 0);
        residents->next();
        QCOMPARE(argb(photos.currentPhoto()), argb(can));
        photos.remove();
        QVERIFY(!box.hasPicture());
        QVERIFY(residents->locate("Adi", "ali kaya", {true, false}));
        QCOMPARE(argb(photos.currentPhoto()), argb(ali));
    }

    void deletingTwiceFailsTheSecondTime()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.restart();
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        fake.prompter.file(savePicture(dir, "ali.png", pattern(10, 10), "PNG"));
        photos.load();
        photos.remove();
        QCOMPARE(photoRows(f, 1), 0);
        QVERIFY(photos.currentPhoto().isNull());
        QVERIFY_THROWS_EXCEPTION(DatasetError, photos.remove());
        QVERIFY(fake.prompter.unexpected.isEmpty());
    }

    void aNewResidentThatCannotBeSavedKeepsNoPhoto()
    {
        QTemporaryDir dir;
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.restart();
        f.dm().database().exec("create trigger refuse before insert on zelvarx when new.Adi = 'Hatalı' "
                               "begin select raise(abort, 'refused'); end");
        FakeServices fake;
        PhotoOperations photos(f.dm(), fake.services);
        Dataset* residents = f.dm().Query2;
        residents->insert();
        residents->setValue("KayitNo", 2);
        residents->setValue("Adi", "Hatalı");
        fake.prompter.file(savePicture(dir, "x.png", pattern(10, 10), "PNG"));
        QVERIFY_THROWS_EXCEPTION(EngineError, photos.load());
        // The photo went back with the resident; his entry stays open to be corrected.
        QCOMPARE(photoRows(f, 2), 0);
        QCOMPARE(f.dm().tbfoto->rowCount(), 0);
        QCOMPARE(residents->state(), Dataset::State::Insert);
        QCOMPARE(residents->displayText("Adi"), QString("Hatalı"));

        residents->setValue("Adi", "Hasan Yılmaz");
        fake.prompter.file(dir.filePath("x.png"));
        QVERIFY(photos.load());
        QCOMPARE(photoRows(f, 2), 1);
        QCOMPARE(f.residentCount(), 2);
    }
};

ZELVAR_TEST(PhotoOperationsTest)
#include "tst_photos.moc"
