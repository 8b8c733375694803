// SPDX-License-Identifier: GPL-3.0-or-later
// The real platform services: dialogs, sound, program start and help.
#include "DialogWaiter.h"
#include "TestRegistry.h"
#include "platform/HelpWindow.h"
#include "platform/PictureFileDialog.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "platform/TurkishTranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

using namespace zelvar;
using zelvar::testing::whenDialogOpens;

namespace {

QStringList buttonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

void writeScript(const QString& path, const QString& marker)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho started \"$@\" > '%1'\n").arg(marker).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // As at program start: Qt's own Turkish texts for the standard buttons.
        QVERIFY(loadTurkishTranslation(*QCoreApplication::instance()));
    }

    void questionsHaveTurkishButtonsAndEscapeIsTheLastOne()
    {
        QtPrompter prompter;
        QStringList texts;
        QString title;
        whenDialogOpens<QMessageBox>([&](QMessageBox* box) {
            texts = buttonTexts(box);
            title = box->windowTitle();
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(prompter.ask("Programdan Çıkmak İstiyor musunuz?", Buttons::YesNo), Answer::Yes);
        QCOMPARE(texts, (QStringList{"&Evet", "&Hayır"}));
        QCOMPARE(title, QStringLiteral("Zelvar 2001"));

        whenDialogOpens<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(prompter.ask("Silinsin mi?", Buttons::YesNo), Answer::No);
        whenDialogOpens<QMessageBox>([&](QMessageBox* box) {
            texts = buttonTexts(box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(prompter.ask("Kaydedilsin mi?", Buttons::YesNoCancel), Answer::Cancel);
        QCOMPARE(texts, (QStringList{"&Evet", "&Hayır", "İptal"}));
    }

    void messagesShowTheirTextKindAndTitle()
    {
        QtPrompter prompter;
        QString text, title, button;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenDialogOpens<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            button = box->buttons().value(0)->text();
            box->buttons().value(0)->click();
        });
        prompter.message("Microsoft Word Bulunamadı!", MessageKind::Warning, "Uyarı");
        QCOMPARE(text, QStringLiteral("Microsoft Word Bulunamadı!"));
        QCOMPARE(title, QStringLiteral("Uyarı"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(button, QStringLiteral("Tamam"));
    }

    void inputBoxGivesTheTextOrNothing()
    {
        QtPrompter prompter;
        whenDialogOpens<QInputDialog>([](QInputDialog* d) {
            d->setTextValue(QStringLiteral("Çağlayan Sokak"));
            d->accept();
        });
        QCOMPARE(prompter.inputText("Zelvar 2001", "Sokak ?"),
                 std::optional<QString>(QStringLiteral("Çağlayan Sokak")));
        whenDialogOpens<QInputDialog>([](QInputDialog* d) { d->reject(); });
        QCOMPARE(prompter.inputText("Zelvar 2001", "Sokak ?", "eski"), std::nullopt);
    }

    void bellIsCompiledInAndStandsInWhenMissing()
    {
        QtSound sound;
        const QString bell = sound.locate(QStringLiteral("ring.wav"));
        QVERIFY(!bell.isEmpty());
        QVERIFY(QFile::exists(bell));
        const int length = QtSound::waveDurationMs(bell);
        QVERIFY2(length >= 800 && length <= 1500, qPrintable(QString::number(length)));
        QVERIFY(sound.locate(QStringLiteral("yok.wav")).isEmpty());
        QCOMPARE(QtSound::waveDurationMs(QStringLiteral("/nonexistent.wav")), -1);

        // A missing file (or no audio output) rings the bell instead, and the
        // call still returns.
        QElapsedTimer timer;
        timer.start();
        sound.playSync(QStringLiteral("yok.wav"), 4);
        QVERIFY(timer.elapsed() < 2000);
        // The real bell, four times, returns within its length and a margin
        // (at once where there is no audio output).
        timer.restart();
        sound.playSync(QStringLiteral("ring.wav"), 4);
        QVERIFY2(timer.elapsed() < 4 * length + 2000 + 3000, qPrintable(QString::number(timer.elapsed())));
        sound.exclamation();
        sound.beep();
    }

    void bellAskedForWhileOneRingsRingsAfterIt()
    {
        // Stands for the player: while the first bell rings, the timers of
        // other windows ask for theirs, as the event loop of the wait lets them.
        struct Player : QtSound {
            QStringList rung;
            std::function<void()> whileRinging;
            void ring(const QString& file, int times) override
            {
                rung << QStringLiteral("%1 x%2").arg(file).arg(times);
                if (auto during = std::exchange(whileRinging, nullptr))
                    during();
            }
        } player;
        player.whileRinging = [&] {
            player.playSync("ring.wav", 4); // a second clock at the same minute
            player.playSync("ring.wav", 4); // the reminder's next tick
            player.playSync("ring.wav", 2);
            QCOMPARE(player.rung.size(), 1); // none inside the first
        };
        player.playSync("ring.wav", 4);
        QCOMPARE(player.rung, (QStringList{"ring.wav x4", "ring.wav x4", "ring.wav x2"}));
        player.playSync("ring.wav", 1);
        QCOMPARE(player.rung.size(), 4);
    }

    void pictureDialogPreviewsThePicture()
    {
        QTemporaryDir dir;
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor(200, 30, 30));
        const QString bmp = dir.filePath("kisi.bmp");
        QVERIFY(picture.save(bmp, "BMP"));
        const QString text = dir.filePath("not.bmp");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("resim değil");
        file.close();

        PictureFileDialog dialog(nullptr, "Resim", dir.path(), {"Bitmaps (*.bmp)"});
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QLabel* preview = dialog.preview();
        QVERIFY(dialog.isAncestorOf(preview));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(preview->isVisible());
        // The cursor put on the file in the list shows it.
        auto* list = dialog.findChild<QListView*>("listView");
        QVERIFY(list);
        QModelIndex item;
        QTRY_VERIFY((item = list->model()->index(0, 0, list->rootIndex())).isValid());
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            if (list->model()->index(row, 0, list->rootIndex()).data().toString() == "kisi.bmp")
                item = list->model()->index(row, 0, list->rootIndex());
        list->setCurrentIndex(item);
        QVERIFY(!preview->pixmap().isNull());
        QCOMPARE(preview->pixmap().size(), QSize(152, 101));
        QCOMPARE(preview->pixmap().toImage().pixelColor(70, 50), QColor(200, 30, 30));
        dialog.showPreview(text);
        QVERIFY(preview->pixmap().isNull());
        QCOMPARE(preview->text(), QString("Önizleme yok"));
        dialog.reject();
    }

    void launcherStartsTheFirstInstalledCandidate()
    {
        QTemporaryDir bin, beside, marks;
        ProcessLauncher launcher({bin.path()}, beside.path());
        for (Program p : {Program::Calculator, Program::WordProcessor, Program::MsWord, Program::MsExcel,
                          Program::WebBrowser, Program::MusicPlayer, Program::Diary})
            QVERIFY(!launcher.start(p));

        writeScript(bin.filePath("xcalc"), marks.filePath("xcalc"));
        writeScript(bin.filePath("kcalc"), marks.filePath("kcalc"));
        QCOMPARE(launcher.resolve(Program::Calculator).executable, bin.filePath("kcalc"));
        QVERIFY(launcher.start(Program::Calculator));
        QTRY_VERIFY(QFile::exists(marks.filePath("kcalc")));
        QVERIFY(!QFile::exists(marks.filePath("xcalc")));

        // Word processor and spreadsheet: LibreOffice first, with its module.
        writeScript(bin.filePath("abiword"), marks.filePath("abiword"));
        QCOMPARE(launcher.resolve(Program::MsWord).executable, bin.filePath("abiword"));
        writeScript(bin.filePath("libreoffice"), marks.filePath("libreoffice"));
        QCOMPARE(launcher.resolve(Program::WordProcessor).arguments, QStringList{"--writer"});
        QVERIFY(launcher.start(Program::MsExcel));
        QTRY_VERIFY(QFile::exists(marks.filePath("libreoffice")));
        const auto mark = [&] {
            QFile f(marks.filePath("libreoffice"));
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
        };
        QTRY_COMPARE(mark(), QByteArray("started --calc"));
    }

    void companionsAreFoundBesideTheProgramOrOnThePath()
    {
        QTemporaryDir bin, beside, marks;
        ProcessLauncher launcher({bin.path()}, beside.path());
        writeScript(beside.filePath("zelvar-takvim"), marks.filePath("takvim"));
        writeScript(bin.filePath("zelvar-adres"), marks.filePath("adres"));
        QCOMPARE(launcher.resolve(Program::Diary).executable, beside.filePath("zelvar-takvim"));
        QVERIFY(launcher.start(Program::Diary));
        QVERIFY(launcher.start(Program::AddressBook));
        QVERIFY(!launcher.start(Program::Notebook));
        QVERIFY(!launcher.start(Program::DataWizard));
        QTRY_VERIFY(QFile::exists(marks.filePath("takvim")) && QFile::exists(marks.filePath("adres")));
        QCOMPARE(ProcessLauncher::companionName(Program::DataWizard), QStringLiteral("zelvar-sihirbaz"));
        QCOMPARE(ProcessLauncher::companionName(Program::Notebook), QStringLiteral("zelvar-defter"));
    }

    void helpOpensAtEachTopic()
    {
        QFile page(QStringLiteral(":/help/zelvar.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        HelpWindow help;
        help.resize(500, 300);
        for (int topic : {333, 102, 103, 105, 106}) {
            QVERIFY2(html.contains(QStringLiteral("name=\"t%1\"").arg(topic)), qPrintable(QString::number(topic)));
            help.showTopic(topic);
            QCOMPARE(help.browser()->source().fragment(), QStringLiteral("t%1").arg(topic));
        }
        QVERIFY(help.isVisible());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Bilgi Bankası")));
        // The last topic lies far down the page.
        QTRY_VERIFY(help.browser()->verticalScrollBar()->value() > 0);
        help.showTopic(333);
        QTRY_VERIFY(help.browser()->verticalScrollBar()->value() < help.browser()->verticalScrollBar()->maximum());
    }

    void reportPrintDialogOffersRangeAndCurrentPageButNoSelection()
    {
        QtPrompter prompter;
        QPrinter printer;
        QStringList seen;
        whenDialogOpens<QPrintDialog>([&seen](QPrintDialog* d) {
            const auto visible = [d](const char* name) {
                auto* w = d->findChild<QWidget*>(QLatin1String(name));
                return w && !w->isHidden() && w->isEnabled();
            };
            seen << QStringLiteral("%1-%2").arg(d->minPage()).arg(d->maxPage());
            // The range choices are on the copies tab.
            if (auto* tabs = d->findChild<QTabWidget*>())
                tabs->setCurrentWidget(d->findChild<QWidget*>(QStringLiteral("copiesTab")));
            if (auto* range = d->findChild<QRadioButton*>(QStringLiteral("printRange")))
                range->click();
            for (const char* name : {"printAll", "printRange", "from", "to", "printCurrentPage", "printSelection"})
                if (visible(name))
                    seen << QLatin1String(name);
            if (auto* to = d->findChild<QSpinBox*>(QStringLiteral("to")))
                seen << QStringLiteral("to %1 in %2-%3").arg(to->value()).arg(to->minimum()).arg(to->maximum());
            if (qEnvironmentVariableIsSet("ZELVAR_SHOT_DIR")) {
                for (QAbstractButton* b : d->findChildren<QAbstractButton*>())
                    if (b->text().contains(QLatin1String(">>")))
                        b->click(); // the options, with the range, are folded away at first
                d->grab().save(qEnvironmentVariable("ZELVAR_SHOT_DIR") + QStringLiteral("/printdialog.png"));
            }
            d->reject();
        });
        QVERIFY(!prompter.choosePrinterPages(printer, 12, 3));
        QCOMPARE(seen,
                 QStringList({"1-12", "printAll", "printRange", "from", "to", "printCurrentPage", "to 12 in 1-12"}));

        // Printing without a preview shows no page to offer as current.
        whenDialogOpens<QPrintDialog>([&seen](QPrintDialog* d) {
            seen = QStringList{QString::number(d->testOption(QAbstractPrintDialog::PrintCurrentPage))};
            d->reject();
        });
        QVERIFY(!prompter.choosePrinterPages(printer, 12, -1));
        QCOMPARE(seen, QStringList({"0"}));
    }
};

ZELVAR_TEST(PlatformTest)
#include "tst_platform.moc"
