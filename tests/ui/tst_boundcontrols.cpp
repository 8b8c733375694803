// SPDX-License-Identifier: GPL-3.0-or-later
// The data-bound entry controls against a real data module.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBRadioGroup.h"
#include "ui/bound/DBText.h"

#include <QAccessible>
#include <QBuffer>
#include <QPainter>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// A shown, active window holding the controls under test, so that focus
// moves as it does for the user.
struct Form {
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    template <class T>
    T* add(T* control)
    {
        layout->addWidget(control);
        return control;
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

// Types text as the keyboard does; QTest::keyClicks knows only ASCII.
void type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QString stored(DataFixture& f, const QString& sql)
{
    return f.dm().database().scalar(sql).toString();
}

QByteArray pngOf(const QSize& size, const QColor& color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class BoundControlsTest : public QObject {
    Q_OBJECT
private slots:
    void editTypingWritesOnFocusLeftAndSettles()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* name = form.add(new DBEdit(f.dm().DataSource1, "adi")); // field names in any case
        auto* father = form.add(new DBEdit(f.dm().DataSource1, "BABAADI"));
        QVERIFY(form.show());
        QCOMPARE(name->text(), QString("Ali"));
        QVERIFY(name->isEntryControl());

        // Typing puts the row into editing; the text waits in the box.
        name->setFocus();
        name->selectAll();
        type(name, "Ali Kaya");
        QCOMPARE(q->state(), Dataset::State::Edit);
        QVERIFY(name->hasPendingEdit());
        QCOMPARE(q->displayText("Adi"), QString("Ali"));
        QCOMPARE(name->text(), QString("Ali Kaya"));

        // Leaving the box writes it into the row, which stays in editing.
        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(father->hasFocus());
        QCOMPARE(q->displayText("Adi"), QString("Ali Kaya"));
        QCOMPARE(q->state(), Dataset::State::Edit);
        QCOMPARE(stored(f, "select Adi from zelvarx where KayitNo=1"), QString("Ali"));

        // A move settles: the typed text of a focused box is written and saved.
        type(father, "Hasan");
        q->next();
        QCOMPARE(stored(f, "select BabaAdi from zelvarx where KayitNo=1"), QString("Hasan"));
        QCOMPARE(stored(f, "select Adi from zelvarx where KayitNo=1"), QString("Ali Kaya"));
        QCOMPARE(name->text(), QString("Veli"));
        QCOMPARE(father->text(), QString());

        // Cancel shows the stored values again.
        type(father, "Yanlış");
        QCOMPARE(q->state(), Dataset::State::Edit);
        q->cancel();
        QCOMPARE(father->text(), QString());
        QVERIFY(!father->hasPendingEdit());
        QVERIFY(stored(f, "select BabaAdi from zelvarx where KayitNo=2").isEmpty());

        // A text field's width limits the box: 25 characters for Adi.
        QCOMPARE(name->maxLength(), 25);
        name->setFocus();
        name->selectAll();
        type(name, QString(30, 'x'));
        QCOMPARE(name->text().size(), 25);
        q->post();
        QCOMPARE(stored(f, "select Adi from zelvarx where KayitNo=2"), QString(25, 'x'));
        // Pasted characters outside the basic plane are cut whole.
        const QString smile = QString::fromUcs4(U"\U0001F600");
        name->setFocus();
        name->selectAll();
        name->insert(smile.repeated(30));
        QCOMPARE(name->text(), smile.repeated(12));
        q->post();
        QCOMPARE(stored(f, "select Adi from zelvarx where KayitNo=2"), smile.repeated(12));

        // A closed dataset leaves the boxes empty and disabled.
        q->close();
        QVERIFY(name->text().isEmpty());
        QVERIFY(!name->isEnabled());
        q->open();
        QVERIFY(name->isEnabled());
        QCOMPARE(name->text(), QString("Ali Kaya"));
        name->setLengthLimit(5);
        QCOMPARE(name->maxLength(), 5);

        // Without automatic editing typing does not start an edit and the
        // stored text comes back.
        f.dm().DataSource1->setAutoEdit(false);
        father->setFocus();
        type(father, "Z");
        QCOMPARE(q->state(), Dataset::State::Browse);
        QTRY_COMPARE(father->text(), QString("Hasan"));
        f.dm().DataSource1->setAutoEdit(true);
    }

    void dateBoxMaskBlankCompleteAndIncomplete()
    {
        DataFixture f;
        f.addResident("Ali", 1, {{"DogTar", "1964-08-01"}});
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* date = form.add(new DBEdit(f.dm().DataSource1, "DogTar"));
        form.add(new DBEdit(f.dm().DataSource1, "Adi")); // somewhere for the focus to go
        QVERIFY(form.show());
        QVERIFY(date->isDateBox());
        QCOMPARE(date->inputMask(), QString("99.99.9999;_"));
        QCOMPARE(date->displayText(), QString("01.08.1964"));

        // All blanks: an empty date.
        date->setFocus();
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Delete);
        QCOMPARE(date->displayText(), QString("__.__.____"));
        QTest::keyClick(date, Qt::Key_Tab);
        QVERIFY(q->value("DogTar").isNull());

        // Digits only: the separators are part of the mask; at most 10 characters.
        date->setFocus();
        date->setCursorPosition(0);
        type(date, "020319901");
        QCOMPARE(date->displayText(), QString("02.03.1990"));
        q->post();
        QCOMPARE(stored(f, "select DogTar from zelvarx"), QString("1990-03-02"));

        // Incomplete: refused when written, the row stays in editing.
        date->setFocus();
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Delete);
        date->setCursorPosition(0);
        type(date, "0503");
        QCOMPARE(date->displayText(), QString("05.03.____"));
        QVERIFY_THROWS_EXCEPTION(DateEntryError, date->updateRecord());
        QVERIFY_THROWS_EXCEPTION(DateEntryError, q->post());
        QCOMPARE(q->state(), Dataset::State::Edit);
        QVERIFY(date->hasPendingEdit());
        QCOMPARE(stored(f, "select DogTar from zelvarx"), QString("1990-03-02"));
        q->cancel();
        QCOMPARE(date->displayText(), QString("02.03.1990"));
    }

    void comboTypedTextAndListChoice()
    {
        DataFixture f;
        f.addResident("Ali", 1, {{"Meslek", "Memur"}});
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* job = form.add(new DBComboBox(f.dm().DataSource1, "Meslek", {"İşçi", "Memur", "Hekim", "Öğretmen"}));
        form.add(new DBEdit(f.dm().DataSource1, "Adi"));
        QVERIFY(form.show());
        QCOMPARE(job->currentText(), QString("Memur"));
        QCOMPARE(job->currentIndex(), 1);

        // A choice from the list by keyboard puts the row into editing.
        job->setFocus();
        QTest::keyClick(job, Qt::Key_Down);
        QCOMPARE(job->currentText(), QString("Hekim"));
        QCOMPARE(q->state(), Dataset::State::Edit);
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx"), QString("Hekim"));

        // Text not in the list is stored as typed, cut to the field's width.
        job->setFocus();
        job->lineEdit()->selectAll();
        type(job, "Uzay Mühendisi ve Bilim İnsanı");
        QCOMPARE(job->currentText().size(), 25);
        QTest::keyClick(job, Qt::Key_Tab);
        QCOMPARE(q->displayText("Meslek"), QString("Uzay Mühendisi ve Bilim İ"));
        QCOMPARE(job->count(), 4); // Enter or typing adds no item
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx"), QString("Uzay Mühendisi ve Bilim İ"));
        QCOMPARE(job->currentIndex(), -1);
    }

    void comboStoresWhatItShowsHoweverItCame()
    {
        DataFixture f;
        f.addResident("Ali", 1, {{"Meslek", "Memur"}});
        f.addResident("Veli", 2);
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* job = form.add(new DBComboBox(f.dm().DataSource1, "Meslek", {"İşçi", "Memur"}));
        QVERIFY(form.show());

        // Changes of the list are no edit: the box goes on showing the field,
        // even where the combo box would make the first new item current.
        job->insertItem(0, "Çiftçi");
        job->addItem("Hekim");
        QCOMPARE(job->currentText(), QString("Memur"));
        QCOMPARE(job->currentIndex(), 2);
        q->next(); // no occupation
        job->clear();
        job->addItems({"İşçi", "Memur"});
        QCOMPARE(job->currentText(), QString());
        QCOMPARE(q->state(), Dataset::State::Browse);
        QVERIFY(!job->hasPendingEdit());

        // A screen reader or dictation tool sets the inner box's text.
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(job->lineEdit());
        QVERIFY(box && box->editableTextInterface());
        box->setText(QAccessible::Value, QStringLiteral("Çoban"));
        QCOMPARE(q->state(), Dataset::State::Edit);
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx where KayitNo=2"), QString("Çoban"));
        box->editableTextInterface()->insertText(0, QStringLiteral("Baş"));
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx where KayitNo=2"), QString("BaşÇoban"));
        box->editableTextInterface()->replaceText(0, 3, QStringLiteral("Köy "));
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx where KayitNo=2"), QString("Köy Çoban"));
        // Cut at the field's width, whole characters only.
        const QString smile = QString::fromUcs4(U"\U0001F600");
        box->setText(QAccessible::Value, smile.repeated(30));
        QCOMPARE(job->currentText(), smile.repeated(12));
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx where KayitNo=2"), smile.repeated(12));

        // Text the program puts in counts as the user's too.
        job->setEditText(QStringLiteral("Hekim"));
        QCOMPARE(q->state(), Dataset::State::Edit);
        q->post();
        QCOMPARE(stored(f, "select Meslek from zelvarx where KayitNo=2"), QString("Hekim"));

        // Without automatic editing the stored text comes back.
        f.dm().DataSource1->setAutoEdit(false);
        box->setText(QAccessible::Value, QStringLiteral("Yanlış"));
        QCOMPARE(q->state(), Dataset::State::Browse);
        QTRY_COMPARE(job->currentText(), QString("Hekim"));
        f.dm().DataSource1->setAutoEdit(true);
    }

    void memoLimitAndWrite()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* memo = form.add(new DBMemo(f.dm().DataSource1, "IsAdresi"));
        auto* next = form.add(new DBEdit(f.dm().DataSource1, "Adi"));
        memo->setMaxLength(20);
        QVERIFY(form.show());
        memo->setFocus();
        type(memo, "Atatürk Cad.");
        QTest::keyClick(memo, Qt::Key_Return);
        type(memo, "No 12 Kat 3 Daire 7");
        QCOMPARE(memo->toPlainText(), QString("Atatürk Cad.\nNo 12 K"));
        QCOMPARE(q->state(), Dataset::State::Edit);
        next->setFocus();
        QCOMPARE(q->displayText("IsAdresi"), QString("Atatürk Cad.\nNo 12 K"));
        q->post();
        QCOMPARE(stored(f, "select IsAdresi from zelvarx"), QString("Atatürk Cad.\nNo 12 K"));
        q->edit();
        q->setValue("IsAdresi", "Başka");
        QCOMPARE(memo->toPlainText(), QString("Başka"));
        q->cancel();
        QCOMPARE(memo->toPlainText(), QString("Atatürk Cad.\nNo 12 K"));
    }

    void checkBoxAndRadioGroupCodes()
    {
        DataFixture f;
        f.addResident("Ali", 1, {{"Nakil", "1"}, {"Konuturu", "A"}});
        f.addResident("Veli", 2, {{"Nakil", "0"}, {"Konuturu", "X"}});
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* moved = form.add(new DBCheckBox(f.dm().DataSource1, "nakil"));
        auto* kind = form.add(new DBRadioGroup("Konutun Türü"));
        kind->setItems({"Ev", "Apt."}, {"E", "A"});
        kind->setColumns(2);
        kind->bind(f.dm().DataSource1, "Konuturu");
        QVERIFY(form.show());
        QVERIFY(moved->isChecked());
        QCOMPARE(kind->itemIndex(), 1);
        QCOMPARE(kind->accessibleName(), QString("Konutun Türü"));
        // Two columns: the items stand side by side.
        QVERIFY(kind->button(1)->x() > kind->button(0)->x());

        moved->click();
        QCOMPARE(q->state(), Dataset::State::Edit);
        QCOMPARE(q->displayText("Nakil"), QString("0"));
        kind->button(0)->click();
        QCOMPARE(q->displayText("Konuturu"), QString("E"));
        q->post();
        QCOMPARE(stored(f, "select Nakil || Konuturu from zelvarx where KayitNo=1"), QString("0E"));

        // A value that is no item's code shows nothing chosen.
        q->next();
        QVERIFY(!moved->isChecked());
        QCOMPARE(kind->itemIndex(), -1);
        moved->click();
        QCOMPARE(q->displayText("Nakil"), QString("1"));
        q->cancel();
        QVERIFY(!moved->isChecked());

        // The same codes on the neighbourhood row: Fotobas "1" or "0".
        f.dm().database().exec("insert into Mahalle (Il, Fotobas) values ('İzmir', '1')");
        f.dm().tbMah->refresh();
        DBRadioGroup photo("Fotoğraflı Belge");
        photo.setItems({"Evet", "Hayır"}, {"1", "0"});
        photo.bind(f.dm().dsMah, "Fotobas");
        QCOMPARE(photo.itemIndex(), 0);
    }

    void imageAndTextFollowTheRow()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        f.dm().database().exec("insert into Foto (Kayitno, Foto) values (1, ?)", {pngOf(QSize(40, 20), Qt::red)});
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* photo = form.add(new DBImage(f.dm().dsfoto, "Foto"));
        photo->setFrameStyle(QFrame::NoFrame);
        photo->setFixedSize(100, 100);
        auto* number = form.add(new DBText(f.dm().DataSource1, "KayitNo"));
        QVERIFY(form.show());
        QVERIFY(photo->hasPicture());
        QCOMPARE(photo->picture().size(), QSize(40, 20));
        // Scaled to fit with its proportions, centred.
        QCOMPARE(photo->pictureRect(), QRect(0, 25, 100, 50));
        const QImage shot = photo->grab().toImage();
        QCOMPARE(shot.pixelColor(50, 50), QColor(Qt::red));
        QVERIFY(shot.pixelColor(50, 10) != QColor(Qt::red));
        QCOMPARE(number->text(), QString("1"));

        q->next();
        QVERIFY(!photo->hasPicture());
        QCOMPARE(number->text(), QString("2"));
        q->close();
        QVERIFY(!photo->hasPicture());
        QVERIFY(number->text().isEmpty());
    }

    void hiddenControlShowsTheRowWhenShown()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        Dataset* q = f.dm().Query2;
        q->refresh();
        Form form;
        auto* shown = form.add(new DBEdit(f.dm().DataSource1, "Adi"));
        auto* page = form.add(new QWidget);
        auto* hidden = new DBEdit(f.dm().DataSource1, "Adi", page);
        QVERIFY(form.show());
        page->hide();
        q->next();
        QCOMPARE(shown->text(), QString("Veli"));
        // Typed into while hidden, the box's text is dropped as a move
        // drops it, and never written into the row.
        hidden->setText("Yazılan");
        q->cancel();
        q->prior();
        QVERIFY(!hidden->hasPendingEdit());
        QCOMPARE(q->state(), Dataset::State::Browse);
        hidden->showWaitingField();
        QCOMPARE(hidden->text(), QString("Ali"));
        q->next();
        page->show();
        QCOMPARE(hidden->text(), QString("Veli"));
    }

    void windowsPaintTheEntryControls()
    {
        DataFixture f;
        Form form;
        form.add(new DBEdit(f.dm().DataSource1, "Adi"));
        form.add(new DBComboBox(f.dm().DataSource1, "Medeni", {"Evli"}));
        form.add(new DBMemo(f.dm().DataSource1, "Not"));
        auto* box = form.add(new DBCheckBox(f.dm().DataSource1, "Nakil"));
        QCOMPARE(boundControls(&form.window).size(), 4);
        QCOMPARE(entryControls(&form.window).size(), 3);
        const QColor aqua(0, 255, 255);
        paintEntryControls(&form.window, aqua);
        for (BoundControl* c : entryControls(&form.window))
            QCOMPARE(c->backgroundColor(), aqua);
        QVERIFY(box->backgroundColor() != aqua);
        // The colour shows: the memo's text area is painted aqua.
        form.window.resize(200, 200);
        auto* memo = form.window.findChild<DBMemo*>();
        const QImage shot = memo->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2), aqua);
    }
};

ZELVAR_TEST(BoundControlsTest)
#include "tst_boundcontrols.moc"
