// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's photographs: loading through the window's button,
// the picture box following the resident (hidden or not), deleting twice,
// unreadable files, and the office-wide "Fotoğraflı Belge" choice.
#include "TestRegistry.h"
#include "data/Errors.h"
#include "register/PictureReading.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBRadioGroup.h"

#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

// A small face: a coloured disc with two eyes, different for every colour.
QImage face(const QColor& skin)
{
    QImage image(40, 50, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 40; ++x)
            if ((x - 20) * (x - 20) + (y - 25) * (y - 25) < 18 * 18)
                image.setPixel(x, y, skin.rgb());
    image.setPixel(14, 20, qRgb(0, 0, 0));
    image.setPixel(26, 20, qRgb(0, 0, 0));
    return image;
}

QString savePng(const QTemporaryDir& dir, const QString& name, const QImage& image)
{
    QString path = dir.filePath(name);
    image.save(path, "PNG");
    return path;
}

bool shows(TForm2& w, const QImage& image)
{
    return boundBox<DBImage>(w, "photo")->picture().convertToFormat(QImage::Format_ARGB32) == image;
}

int photoRows(RegisterFixture& f, int number = -1)
{
    if (number < 0)
        return f.count("select count(*) from Foto");
    return f.count("select count(*) from Foto where Kayitno = ?", {double(number)});
}

// Presses a button as the user does: an error escaping its operation goes
// to the application's error handler.
void press(RegisterFixture&, QAbstractButton* button)
{
    button->click();
}

} // namespace

class RegisterPhotoTest : public QObject {
    Q_OBJECT
private slots:
    void loadedPhotoFollowsTheResident()
    {
        QTemporaryDir dir;
        const QImage red = face(QColor(220, 60, 60));
        const QImage blue = face(QColor(60, 60, 220));
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.addResident("Veli Gider", 2);
        f.data.addResident("Can Kalır", 3);
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        QVERIFY(!boundBox<DBImage>(w, "photo")->hasPicture());

        f.fakes.prompter.file(savePng(dir, "ali.png", red));
        child<QAbstractButton>(w, "photoLoad")->click();
        QVERIFY(shows(w, red));
        QCOMPARE(photoRows(f, 1), 1);
        QCOMPARE(f.fakes.prompter.shown.size(), 1); // the file dialog only

        DBNavigator* nav = navigator(w, TForm2::EntryPage);
        nav->click(DBNavigator::Next);
        QCOMPARE(f.number(), 2);
        QVERIFY(!boundBox<DBImage>(w, "photo")->hasPicture());
        f.fakes.prompter.file(savePng(dir, "veli.png", blue));
        child<QAbstractButton>(w, "photoLoad")->click();
        QVERIFY(shows(w, blue));
        nav->click(DBNavigator::Prior);
        QVERIFY(shows(w, red));

        // A second load replaces the picture in the same row.
        f.fakes.prompter.file(savePng(dir, "ali2.png", blue));
        child<QAbstractButton>(w, "photoLoad")->click();
        QVERIFY(shows(w, blue));
        QCOMPARE(photoRows(f, 1), 1);
        f.fakes.prompter.file(savePng(dir, "ali3.png", red));
        child<QAbstractButton>(w, "photoLoad")->click();

        // Hidden, the box still follows: shown again it has the current
        // resident's photograph.
        child<QAbstractButton>(w, "photoHide")->click();
        QVERIFY(child<DBImage>(w, "photo")->isHidden());
        nav->click(DBNavigator::Next);
        nav->click(DBNavigator::Next); // nobody's photograph
        nav->click(DBNavigator::Prior);
        child<QAbstractButton>(w, "photoShow")->click();
        QVERIFY(child<DBImage>(w, "photo")->isVisible());
        QVERIFY(shows(w, blue));
        child<QAbstractButton>(w, "photoHide")->click();
        nav->click(DBNavigator::Next);
        child<QAbstractButton>(w, "photoShow")->click();
        QCOMPARE(f.number(), 3);
        QVERIFY(!boundBox<DBImage>(w, "photo")->hasPicture());

        // A cancelled dialog stores nothing.
        f.fakes.prompter.file(QString());
        child<QAbstractButton>(w, "photoLoad")->click();
        QCOMPARE(photoRows(f, 3), 0);
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
        QVERIFY(f.fakes.sound.events.isEmpty());
    }

    void deletingTwiceFailsTheSecondTime()
    {
        QTemporaryDir dir;
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        f.fakes.prompter.file(savePng(dir, "ali.png", face(Qt::yellow)));
        child<QAbstractButton>(w, "photoLoad")->click();
        QVERIFY(boundBox<DBImage>(w, "photo")->hasPicture());

        press(f, child<QAbstractButton>(w, "photoDelete"));
        QVERIFY(!boundBox<DBImage>(w, "photo")->hasPicture());
        QCOMPARE(photoRows(f), 0);
        QVERIFY(f.fakes.sound.events.isEmpty()); // no question, no sound

        // No row left: the failure leaves the window and the handler beeps.
        QVERIFY_THROWS_EXCEPTION(DatasetError, w.deletePhoto());
        press(f, child<QAbstractButton>(w, "photoDelete"));
        QCOMPARE(f.fakes.errors.reported.size(), 1);
        QCOMPARE(f.number(), 1);
        QCOMPARE(f.count("select count(*) from zelvarx"), 1);
    }

    void unreadableFileKeepsTheOldPhoto()
    {
        QTemporaryDir dir;
        const QImage green = face(QColor(40, 160, 40));
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        TForm2& w = f.open();
        f.fakes.prompter.file(savePng(dir, "ali.png", green));
        child<QAbstractButton>(w, "photoLoad")->click();

        QFile broken(dir.filePath("broken.bmp"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM not really a bitmap");
        broken.close();
        f.fakes.prompter.file(broken.fileName());
        QVERIFY_THROWS_EXCEPTION(PictureReadError, w.loadPhoto());
        f.fakes.prompter.file(broken.fileName());
        press(f, child<QAbstractButton>(w, "photoLoad"));
        QCOMPARE(f.fakes.errors.reported.size(), 1);
        QVERIFY(shows(w, green));
        QCOMPARE(photoRows(f, 1), 1);
        QVERIFY(!f.data.dm().tbfoto->isEditing());
    }

    void loadingWithoutAResidentAsksForTheRecord()
    {
        RegisterFixture f;
        TForm2& w = f.open();
        child<QAbstractButton>(w, "photoLoad")->click();
        QCOMPARE(f.fakes.sound.events, QStringList{"beep"});
        QCOMPARE(f.fakes.prompter.texts(), QStringList{"Lütfen Resim Yüklemeden Önce Kişinin Kaydını Açınız !"});
        QCOMPARE(photoRows(f), 0);
    }

    void photoPrintChoiceEditsTheOfficeRow()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.dm().database().exec("insert into Mahalle (Il, Ilce, Mahalle, Fotobas) values ('İzmir', 'Bornova', "
                                    "'Kazımdirik', '1')");
        f.data.dm().tbMah->refresh();
        TForm2& w = f.open();
        DBRadioGroup* group = child<DBRadioGroup>(w, "photoPrint");
        QCOMPARE(group->itemIndex(), 0); // "Evet"
        Dataset* office = f.data.dm().tbMah;

        group->button(1)->click(); // "Hayır"
        QVERIFY(office->isEditing());
        QCOMPARE(office->displayText("Fotobas"), QString("0"));
        // Stored only when the office row is posted.
        QCOMPARE(f.stored("select Fotobas from Mahalle"), QString("1"));
        group->button(0)->click();
        QCOMPARE(office->displayText("Fotobas"), QString("1"));
        group->button(1)->click();
        office->post();
        QCOMPARE(f.stored("select Fotobas from Mahalle"), QString("0"));
        QCOMPARE(f.count("select count(*) from Mahalle"), 1);
        QVERIFY(!f.q()->isEditing()); // the resident is not touched
    }
};

ZELVAR_TEST(RegisterPhotoTest)
#include "tst_register_photos.moc"
