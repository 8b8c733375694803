// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window on its own: layout and toolbar, the font boxes' rules,
// the toggles, undo, "Sil", files (.rtf, .txt, marked, unreadable, too
// large, long), the font dialog and help.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "documents/DocumentKind.h"
#include "documents/EditorFiles.h"
#include "documents/TEditor.h"
#include "platform/fakes/FakeServices.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

struct Bench {
    DataFixture data;
    FakeServices fakes;
    QTemporaryDir files;
    QPointer<TEditor> editor;
    Bench()
    {
        DocumentKind = 0;
        editor = new TEditor(data.dm(), fakes.services);
        editor->show();
        editor->activateWindow();
        (void)QTest::qWaitForWindowActive(editor);
        editor->textArea()->setFocus();
    }
    ~Bench() { delete editor.data(); }
    QTextEdit* text() { return editor->textArea(); }
    QString path(const QString& name) { return files.filePath(name); }
    QByteArray read(const QString& name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

void typeInto(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w,
                            c.unicode() < 128 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void windowToolbarAndStatusBar()
    {
        Bench b;
        TEditor& e = *b.editor;
        QCOMPARE(e.windowTitle(), QStringLiteral("Editor"));
        QCOMPARE(e.size(), QSize(630, 436));
        const QStringList hints = {
            "Kapat",   "Aç",          "Kaydet",           "Yazdır",        "Kes",    "Kopyala",    "Yapıştır",
            "Geri Al", "Sil",         "Hepsini Seç",      "Sola Yasla",    "Ortala", "Sağa Yasla", "Koyu",
            "İtalik",  "Altı Çizili", "Font Özellikleri", "Yardım Dosyası"};
        int lastX = -1;
        for (int i = 0; i < TEditor::kToolItemCount; ++i) {
            QToolButton* button = e.toolButton(TEditor::ToolItem(i));
            QCOMPARE(button->toolTip(), hints[i]);
            QCOMPARE(button->accessibleName(), hints[i]);
            QCOMPARE(button->size(), QSize(23, 22));
            QVERIFY(button->x() > lastX);
            lastX = button->x();
            if (i == TEditor::FontItem) {
                // The two boxes stand between the font button and help.
                QVERIFY(e.fontNameBox()->x() > button->x());
                QVERIFY(e.fontSizeBox()->x() > e.fontNameBox()->x());
            }
        }
        QVERIFY(e.toolButton(TEditor::HelpItem)->x() > e.fontSizeBox()->x());
        QVERIFY(e.width() - e.toolButton(TEditor::HelpItem)->geometry().right() <= 6); // at the right end
        // Gaps after close, print, select all, right alignment and underline.
        for (auto [before, after] : {std::pair{TEditor::CloseItem, TEditor::OpenItem},
                                     {TEditor::PrintItem, TEditor::CutItem},
                                     {TEditor::SelectAllItem, TEditor::AlignLeftItem},
                                     {TEditor::AlignRightItem, TEditor::BoldItem},
                                     {TEditor::UnderlineItem, TEditor::FontItem}})
            QVERIFY(e.toolButton(after)->x() - e.toolButton(before)->geometry().right() > 4);
        QCOMPARE(e.toolButton(TEditor::OpenItem)->x() - e.toolButton(TEditor::CloseItem)->geometry().right(), 9);
        QCOMPARE(e.toolButton(TEditor::SaveItem)->x() - e.toolButton(TEditor::OpenItem)->geometry().right(), 1);

        QCOMPARE(e.fontNameBox()->toolTip(), QStringLiteral("Font Seç"));
        QCOMPARE(e.fontNameBox()->width(), 121);
        QCOMPARE(e.fontNameBox()->currentText(), QStringLiteral("Courier New"));
        QVERIFY(e.fontNameBox()->count() > 0);
        QCOMPARE(e.fontSizeBox()->toolTip(), QStringLiteral("Font Boyu"));
        QCOMPARE(e.fontSizeBox()->width(), 54);
        QCOMPARE(e.fontSizeBox()->currentText(), QStringLiteral("10"));
        QStringList sizes;
        for (int i = 0; i < e.fontSizeBox()->count(); ++i)
            sizes << e.fontSizeBox()->itemText(i);
        QCOMPARE(sizes, QStringList({"8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18"}));
        QCOMPARE(e.baseFont().family(), QStringLiteral("Courier New"));
        QCOMPARE(e.baseFont().pointSize(), 10);

        QCOMPARE(e.statusPanel(0)->text(), QStringLiteral("Zelvar 2001 - Editor"));
        QCOMPARE(e.statusPanel(0)->width(), 120);
        QCOMPARE(e.statusPanel(1)->text(), QString());
        QCOMPARE(e.statusPanel(1)->width(), 50);

        // Tab writes a tab; long lines wrap under a vertical scroll bar only.
        QTest::keyClick(b.text(), Qt::Key_Tab);
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("\t"));
        QVERIFY(b.text()->hasFocus());
        QCOMPARE(b.text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(b.text()->lineWrapMode(), QTextEdit::WidgetWidth);

        // Help: the button and F1 open topic 105.
        e.toolAction(TEditor::HelpItem)->trigger();
        QTest::keyClick(b.text(), Qt::Key_F1);
        QCOMPARE(b.fakes.help.topics, QList<int>({105, 105}));
    }

    void sizeBoxAppliesEachKeystroke()
    {
        Bench b;
        QLineEdit* line = b.editor->fontSizeBox()->lineEdit();
        line->setFocus();
        line->selectAll();
        QList<int> seen;
        connect(b.editor->fontSizeBox(), &QComboBox::editTextChanged, b.editor,
                [&] { seen << b.editor->baseFont().pointSize(); });
        QTest::keyClick(line, Qt::Key_1);
        QTest::keyClick(line, Qt::Key_2);
        QCOMPARE(seen, QList<int>({1, 12}));
        QCOMPARE(b.editor->baseFont().pointSize(), 12);
        QVERIFY(b.fakes.sound.events.isEmpty());
        // Letters and an empty box: the warning beep, the size stays.
        QTest::keyClick(line, Qt::Key_A);
        QCOMPARE(b.editor->baseFont().pointSize(), 12);
        line->clear();
        QCOMPARE(b.editor->baseFont().pointSize(), 12);
        QCOMPARE(b.fakes.sound.events, QStringList({"exclamation", "exclamation"}));
        b.editor->fontSizeBox()->setCurrentIndex(0); // a pick from the list
        QCOMPARE(b.editor->baseFont().pointSize(), 8);
        QCOMPARE(b.text()->document()->defaultFont().pointSize(), 8);
        QVERIFY(b.fakes.prompter.shown.isEmpty());
    }

    void fontNameBoxSetsTheBaseFontAtOnce()
    {
        Bench b;
        b.text()->setPlainText(QStringLiteral("düz metin"));
        QLineEdit* line = b.editor->fontNameBox()->lineEdit();
        line->setFocus();
        line->selectAll();
        typeInto(line, QStringLiteral("Dej"));
        QCOMPARE(b.editor->baseFont().family(), QStringLiteral("Dej"));
        typeInto(line, QStringLiteral("aVu Sans"));
        QCOMPARE(b.editor->baseFont().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(b.text()->document()->defaultFont().family(), QStringLiteral("DejaVu Sans"));
        // Text without a font of its own shows in it.
        QCOMPARE(QFontInfo(b.text()->document()->begin().charFormat().font().resolve(b.editor->baseFont())).family(),
                 QFontInfo(QFont(QStringLiteral("DejaVu Sans"))).family());
    }

    void stylesToggleWithoutFollowingTheCaret()
    {
        Bench b;
        QAction* bold = b.editor->toolAction(TEditor::BoldItem);
        QVERIFY(bold->isCheckable());
        bold->trigger();
        QVERIFY(bold->isChecked());
        typeInto(b.text(), QStringLiteral("kalin"));
        bold->trigger();
        QVERIFY(!bold->isChecked());
        typeInto(b.text(), QStringLiteral(" ince"));
        QTextCursor c = b.text()->textCursor();
        c.setPosition(2);
        QVERIFY(c.charFormat().font().bold());
        c.setPosition(8);
        QVERIFY(!c.charFormat().font().bold());
        // Moving into bold text leaves the button up.
        b.text()->setTextCursor(c);
        c.setPosition(3);
        b.text()->setTextCursor(c);
        QVERIFY(!bold->isChecked());

        // A selection takes the style; the other toggles act alike.
        b.text()->selectAll();
        b.editor->toolAction(TEditor::ItalicItem)->trigger();
        b.editor->toolAction(TEditor::UnderlineItem)->trigger();
        c.setPosition(8);
        QVERIFY(c.charFormat().fontItalic() && c.charFormat().fontUnderline());
        b.editor->toolAction(TEditor::ItalicItem)->trigger();
        QVERIFY(!QTextCursor(b.text()->document()).charFormat().fontItalic());
        c.setPosition(8);
        QVERIFY(!c.charFormat().fontItalic());

        // Alignment of the selected paragraphs.
        b.editor->toolAction(TEditor::CenterItem)->trigger();
        QCOMPARE(b.text()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        b.editor->toolAction(TEditor::AlignRightItem)->trigger();
        QCOMPARE(b.text()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        b.editor->toolAction(TEditor::AlignLeftItem)->trigger();
        QCOMPARE(b.text()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void fontDialogSetsTheInsertionFormatting()
    {
        Bench b;
        QFont chosen(QStringLiteral("Liberation Serif"));
        chosen.setPointSize(14);
        chosen.setStrikeOut(true);
        b.fakes.prompter.font(chosen);
        b.fakes.prompter.font(std::nullopt); // then a cancelled dialog
        b.editor->toolAction(TEditor::FontItem)->trigger();
        typeInto(b.text(), QStringLiteral("yeni"));
        QTextCursor c(b.text()->document());
        c.setPosition(2);
        QCOMPARE(c.charFormat().fontPointSize(), 14.0);
        QVERIFY(c.charFormat().fontStrikeOut());
        QCOMPARE(c.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
        QVERIFY(b.text()->hasFocus());
        b.editor->toolAction(TEditor::FontItem)->trigger();
        QCOMPARE(b.text()->currentCharFormat().fontPointSize(), 14.0);
        QVERIFY(b.fakes.prompter.unexpected.isEmpty());
    }

    void undoOnlyFromTheTextAndDeleteAll()
    {
        Bench b;
        typeInto(b.text(), QStringLiteral("abc"));
        b.editor->fontSizeBox()->lineEdit()->setFocus();
        b.editor->toolAction(TEditor::UndoItem)->trigger();
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("abc"));
        b.text()->setFocus();
        b.editor->toolAction(TEditor::UndoItem)->trigger();
        QVERIFY(b.text()->toPlainText().size() < 3);

        // Clipboard: cut and paste keep the text.
        b.text()->setPlainText(QStringLiteral("bir iki"));
        b.editor->toolAction(TEditor::SelectAllItem)->trigger();
        QCOMPARE(b.text()->textCursor().selectedText(), QStringLiteral("bir iki"));
        b.editor->toolAction(TEditor::CopyItem)->trigger();
        b.editor->toolAction(TEditor::CutItem)->trigger();
        QCOMPARE(b.text()->toPlainText(), QString());
        b.editor->toolAction(TEditor::PasteItem)->trigger();
        b.editor->toolAction(TEditor::PasteItem)->trigger();
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("bir ikibir iki"));

        // "Sil" clears the whole text, not only the selection, and keeps the
        // caption and DocumentKind.
        b.editor->setWindowTitle(QStringLiteral("Editor [İlmuhaber]"));
        DocumentKind = 6;
        QTextCursor c = b.text()->textCursor();
        c.setPosition(1);
        c.setPosition(3, QTextCursor::KeepAnchor);
        b.text()->setTextCursor(c);
        b.editor->toolAction(TEditor::DeleteItem)->trigger();
        QCOMPARE(b.text()->toPlainText(), QString());
        QCOMPARE(b.editor->windowTitle(), QStringLiteral("Editor [İlmuhaber]"));
        QCOMPARE(DocumentKind, 6);
        QVERIFY(b.editor->isVisible());
        QVERIFY(b.fakes.prompter.shown.isEmpty());
    }

    void savesRichTextOrPlainTextByName()
    {
        Bench b;
        b.text()->setPlainText(QStringLiteral("Şükrü Çağlar\tİmza"));
        b.fakes.prompter.file(b.path(QStringLiteral("belge.rtf")));
        b.fakes.prompter.file(b.path(QStringLiteral("not.TXT")));
        b.fakes.prompter.file(QString()); // cancelled
        b.editor->toolAction(TEditor::SaveItem)->trigger();
        b.editor->toolAction(TEditor::SaveItem)->trigger();
        b.editor->toolAction(TEditor::SaveItem)->trigger();
        QCOMPARE(b.fakes.prompter.lastFilters,
                 QStringList({"Zengin Metin Dosyası [*.rtf] (*.rtf)", "Metin Dosyası [*.txt] (*.txt)"}));
        QVERIFY(b.read(QStringLiteral("belge.rtf")).startsWith("{\\rtf1"));
        QCOMPARE(QString::fromUtf8(b.read(QStringLiteral("not.TXT"))), QStringLiteral("Şükrü Çağlar\tİmza"));
        QCOMPARE(QDir(b.files.path()).entryList(QDir::Files).size(), 2);

        // Both open again with the same text; the plain one in the base font.
        b.fakes.prompter.file(b.path(QStringLiteral("not.TXT")));
        b.text()->setPlainText(QStringLiteral("başka"));
        b.editor->toolAction(TEditor::OpenItem)->trigger();
        QCOMPARE(b.fakes.prompter.lastFilters,
                 QStringList({"Zengin Metin Dosyaları [*.rtf] (*.rtf)", "Metin Dosyaları [*.txt] (*.txt)"}));
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("Şükrü Çağlar\tİmza"));
        QVERIFY(!b.text()->document()->begin().charFormat().hasProperty(QTextFormat::FontFamilies));
        b.fakes.prompter.file(b.path(QStringLiteral("belge.rtf")));
        b.text()->setPlainText(QStringLiteral("başka"));
        b.editor->toolAction(TEditor::OpenItem)->trigger();
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("Şükrü Çağlar\tİmza"));
        QVERIFY(b.fakes.prompter.shown.size() == 5 && b.fakes.prompter.unexpected.isEmpty());
    }

    void opensOldPlainTextAndReportsUnreadableFiles()
    {
        Bench b;
        // A text file of the old program: Turkish code page, not UTF-8.
        b.write(QStringLiteral("eski.txt"), QByteArray("\xdd\xfe \xe7\xfdkt\xfd", 8));
        b.fakes.prompter.file(b.path(QStringLiteral("eski.txt")));
        b.editor->openFile();
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("İş çıktı"));

        // A missing file and an unwritable place: a message, the text stays.
        b.fakes.prompter.file(b.path(QStringLiteral("yok.rtf")));
        b.editor->openFile();
        QCOMPARE(b.text()->toPlainText(), QStringLiteral("İş çıktı"));
        QCOMPARE(b.fakes.prompter.lastText(), QStringLiteral("Dosya Açılamadı !"));
        b.fakes.prompter.file(b.path(QStringLiteral("klasor/yok/belge.rtf")));
        b.editor->saveFile();
        QCOMPARE(b.fakes.prompter.lastText(), QStringLiteral("Dosya Kaydedilemedi !"));
        QCOMPARE(b.fakes.sound.events, QStringList({"exclamation", "exclamation"}));

        // A save over an existing file replaces it whole.
        b.write(QStringLiteral("var.rtf"), QByteArray(5000, 'x'));
        b.fakes.prompter.file(b.path(QStringLiteral("var.rtf")));
        b.editor->saveFile();
        QVERIFY(b.read(QStringLiteral("var.rtf")).startsWith("{\\rtf1"));
        QVERIFY(!b.read(QStringLiteral("var.rtf")).contains("xxx"));
    }

    void largeMarkedAndRefusedFiles()
    {
        Bench b;
        // Text files with a byte-order mark, in each encoding it names.
        const QString text = QStringLiteral("Şükrü Çağlar\nİmza");
        QByteArray le("\xff\xfe", 2), be("\xfe\xff", 2);
        for (const QChar c : text) {
            le += char(c.unicode() & 0xff);
            le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8);
            be += char(c.unicode() & 0xff);
        }
        b.write(QStringLiteral("le.txt"), le);
        b.write(QStringLiteral("be.txt"), be);
        b.write(QStringLiteral("utf8.txt"), "\xef\xbb\xbf" + text.toUtf8());
        for (const char* name : {"le.txt", "be.txt", "utf8.txt"}) {
            b.text()->clear();
            b.fakes.prompter.file(b.path(QString::fromLatin1(name)));
            b.editor->openFile();
            QCOMPARE(b.text()->toPlainText(), text);
        }

        // A file over 10 MB is refused, and the message names its size.
        b.write(QStringLiteral("buyuk.txt"), QByteArray(EditorFiles::kLargestFile + 150 * 1024, 'a'));
        b.fakes.prompter.file(b.path(QStringLiteral("buyuk.txt")));
        b.editor->openFile();
        QCOMPARE(b.fakes.prompter.lastText(),
                 QStringLiteral("Dosya Çok Büyük (10,1 MB) ! Editörde En Çok 10 MB'lık Dosyalar Açılabilir."));
        QCOMPARE(b.text()->toPlainText(), text);

        // A long file is read while the window answers; its progress window
        // offers "İptal", and cancelling leaves the text as it was.
        QByteArray rtf("{\\rtf1\\ansi ");
        for (int i = 0; i < 1000000; ++i)
            rtf += ";\\par";
        b.write(QStringLiteral("uzun.rtf"), rtf + "}");
        b.editor->setProgressDelay(0);
        bool cancelled = false;
        QTimer clock;
        connect(&clock, &QTimer::timeout, [&] {
            for (QProgressDialog* p : b.editor->findChildren<QProgressDialog*>())
                for (QPushButton* button : p->findChildren<QPushButton*>())
                    if (p->isVisible() && p->labelText() == QStringLiteral("Dosya Açılıyor...") &&
                        button->text() == QStringLiteral("İptal") && !cancelled) {
                        cancelled = true;
                        button->click();
                    }
        });
        clock.start(10);
        b.fakes.prompter.file(b.path(QStringLiteral("uzun.rtf")));
        b.editor->openFile();
        QVERIFY(cancelled);
        QCOMPARE(b.text()->toPlainText(), text);
        // Not cancelled, every paragraph arrives, in the view that lays out
        // only what it shows (the rich view's layout never ends on a text
        // this tall): the end is there at once. "Sil" returns to the rich view.
        clock.stop();
        b.fakes.prompter.file(b.path(QStringLiteral("uzun.rtf")));
        b.editor->openFile();
        QCOMPARE(b.editor->shownDocument()->toPlainText().count(QStringLiteral(";\n")), 1000000 - 1);
        QVERIFY(b.editor->shownTextBox() != b.text() && b.editor->shownTextBox()->isVisible());
        QTest::keyClick(b.editor->shownTextBox(), Qt::Key_End, Qt::ControlModifier);
        QTest::qWait(50);
        QVERIFY(b.editor->shownDocument()->lastBlock().layout()->lineCount() > 0);
        b.editor->deleteAll();
        QCOMPARE(b.editor->shownTextBox(), b.text());
        QVERIFY(b.text()->isVisible() && b.text()->toPlainText().isEmpty());
        QVERIFY(b.fakes.prompter.unexpected.isEmpty());

        // The font list names each family once, without its foundry.
        QCOMPARE(TEditor::familyChoices({"Arial", "C059 [UKWN]", "C059 [urw]", "DejaVu Sans", "P052 [urw]"}),
                 QStringList({"Arial", "C059", "DejaVu Sans", "P052"}));
    }

    void closeDestroysTheWindow()
    {
        Bench b;
        b.text()->setPlainText(QStringLiteral("kaydedilmedi"));
        b.editor->toolAction(TEditor::CloseItem)->trigger();
        QTRY_VERIFY(b.editor.isNull());
        QVERIFY(b.fakes.prompter.shown.isEmpty());
    }
};

ZELVAR_TEST(EditorTest)
#include "tst_editor.moc"
