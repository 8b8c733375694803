// SPDX-License-Identifier: GPL-3.0-or-later
// The notebook: the search over titles and texts, the rich text kept, and a
// changed note never dropped unasked.
#include "TestRegistry.h"
#include "companions/common/Refused.h"
#include "companions/notebook/NoteBook.h"
#include "companions/notebook/NotebookWindow.h"
#include "data/Database.h"
#include "documents/RichTextArea.h"
#include "platform/fakes/FakeServices.h"

#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

using namespace zelvar;

namespace {

QStringList titles(const QVector<NoteBook::Entry>& entries)
{
    QStringList list;
    for (const NoteBook::Entry& e : entries)
        list << e.title;
    return list;
}

} // namespace

class NotebookTest : public QObject {
    Q_OBJECT
private slots:
    void searchFindsTitlesAndTextsTheTurkishWay()
    {
        auto db = Database::openInMemory();
        NoteBook book(*db);
        const auto add = [&book](const QDate& day, const QString& title, const QString& text) {
            return book.save(Note{0, day, title, QByteArray(), text});
        };
        add(QDate(2026, 11, 2), "Çeşme arızası", "Su İdaresi'ne bildirildi, 100% onarılacak.");
        add(QDate(2026, 12, 1), "Toplantı", "Muhtarlar toplantısı: IŞIKLAR caddesi");
        add(QDate(2026, 12, 5), "", "Başlıksız not\nikinci satır");
        QCOMPARE(titles(book.list()), (QStringList{"Başlıksız not", "Toplantı", "Çeşme arızası"})); // newest first
        QCOMPARE(titles(book.list("ÇEŞME")), QStringList{"Çeşme arızası"});
        QCOMPARE(titles(book.list("ışıklar toplantı")), QStringList{"Toplantı"}); // every word, title or text
        QCOMPARE(titles(book.list("idaresi'ne")), QStringList{"Çeşme arızası"});  // a quote is a letter
        QCOMPARE(titles(book.list("100%")), QStringList{"Çeşme arızası"});
        QVERIFY(book.list("10_%").isEmpty()); // "_" and "%" are not patterns
        QVERIFY(book.list("isiklar").isEmpty());
        // Neither a title nor a text, or no whole date: refused.
        QVERIFY_THROWS_EXCEPTION(Refused, add(QDate(2026, 12, 6), "  ", "  "));
        QVERIFY_THROWS_EXCEPTION(Refused, add(QDate(), "Başlık", ""));
        // A long pasted text is kept whole.
        const qint64 id = add(QDate(2026, 12, 7), "Uzun", QString(10000, QChar(u'ğ')));
        QCOMPARE(book.find(id)->plain.size(), 10000);
    }

    void aChangedNoteKeepsItsFormatAndIsNotDroppedUnasked()
    {
        auto db = Database::openInMemory();
        FakeServices s;
        NotebookWindow window(*db, s.services);
        window.titleBox()->setText("Aşı kampanyası");
        RichTextArea* text = window.textArea();
        text->setPlainText("Okulda aşı günü");
        QTextCursor word(text->document());
        word.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        text->setTextCursor(word);
        text->setBold(true);
        QVERIFY(window.isModified());
        QVERIFY(window.saveNote());
        const qint64 first = window.currentId();
        window.newNote();
        window.titleBox()->setText("İkinci");
        text->setPlainText("yazılıyor");
        // Leaving the changed note: Cancel stays, No drops it.
        s.prompter.answer(Answer::Cancel);
        QVERIFY(!window.openNote(first));
        QCOMPARE(window.titleBox()->text(), QStringLiteral("İkinci"));
        s.prompter.answer(Answer::No);
        QVERIFY(window.openNote(first));
        QCOMPARE(s.prompter.texts(), (QStringList{NotebookWindow::saveQuestion(), NotebookWindow::saveQuestion()}));
        QCOMPARE(window.titleBox()->text(), QStringLiteral("Aşı kampanyası"));
        QCOMPARE(text->toPlainText(), QStringLiteral("Okulda aşı günü"));
        const QTextFragment bold = text->document()->firstBlock().begin().fragment();
        QCOMPARE(bold.text(), QStringLiteral("Okulda "));
        QVERIFY(bold.charFormat().fontWeight() == QFont::Bold);
        QCOMPARE(window.noteList()->topLevelItemCount(), 1);

        window.printNote();
        QVERIFY(s.printing.printedTexts.value(0).startsWith("Aşı kampanyası\n"));
        QVERIFY(s.printing.printedTexts.value(0).endsWith("Okulda aşı günü"));
        QVERIFY(s.prompter.unexpected.isEmpty());
    }
};

ZELVAR_TEST(NotebookTest)
#include "tst_notebook.moc"
