// SPDX-License-Identifier: GPL-3.0-or-later
// The four text certificates composed into the editor: every line's text,
// size and bold flag for a resident with full data and one with empty
// fields, the captions, the base-font rule and DocumentKind after each.
#include "DeskFixture.h"
#include "TestRegistry.h"
#include "documents/CertificateTemplates.h"
#include "platform/QtPrinting.h"

#include <QPrinter>
#include <QTextBlock>
#include <QTextEdit>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

QString S(int n)
{
    return QString(n, QLatin1Char(' '));
}

// The values a line table is written with.
struct V {
    QHash<QString, QString> r; // resident, as the register shows it
    QHash<QString, QString> o; // office
    QString today;
    QString R(const char* f) const { return r.value(QLatin1String(f)); }
    QString O(const char* f) const { return o.value(QLatin1String(f)); }
};

V fullValues()
{
    V v;
    const QVariantMap fields = Desk::fullFields();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        v.r.insert(it.key(), it.value().toString());
    v.r.insert(QStringLiteral("Adi"), QStringLiteral("Ayşe Yılmaz"));
    v.r.insert(QStringLiteral("DogTar"), QStringLiteral("05.03.1980")); // as the date box shows it
    v.o = {{"Il", QStringLiteral("Ankara")},
           {"Ilce", QStringLiteral("Çankaya")},
           {"Mahalle", QStringLiteral("Kocatepe")},
           {"Zelvar", QStringLiteral("Ömer Şahin")}};
    v.today = QStringLiteral("09.12.2026");
    return v;
}

V emptyValues()
{
    V v = fullValues();
    v.r.clear();
    v.r.insert(QStringLiteral("Adi"), QStringLiteral("Mehmet Öztürk"));
    return v;
}

// Line tables as the certificates are printed; base lines show 10 points.
QVector<ShownLine> moveOut(const V& v)
{
    const QString L = S(6);
    return {
        {S(1), 10, false},
        {S(27) + "T.C.", 10, false},
        {S(22) + v.O("Il") + " İli", 10, false},
        {S(21) + v.O("Ilce") + " İlçesi", 10, false},
        {S(15) + v.O("Mahalle") + " Zelvarlığı", 10, false},
        {S(1), 16, true},
        {S(1), 16, true},
        {S(11) + "NAKİL BELGESİ" + S(2), 16, true},
        {S(1), 10, false},
        {L + "İl..................: " + v.O("Il"), 10, false},
        {L + "İlçe................: " + v.O("Ilce"), 10, false},
        {L + "Mahalle.............: " + v.O("Mahalle"), 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {L + "Adı Soyadı..........: " + v.R("Adi"), 10, false},
        {L + "Babasının Adı.......: " + v.R("BabaAdi"), 10, false},
        {L + "Anasının Adı........: " + v.R("AnaAdi"), 10, false},
        {L + "Doğum Yeri..........: " + v.R("DogYeri"), 10, false},
        {L + "Doğum Tarihi........: " + v.R("DogTar"), 10, false},
        {L + "Medeni Hali.........: " + v.R("Medeni"), 10, false},
        {L + "Tabiyeti............: " + v.R("Tabiyeti"), 10, false},
        {L + "İşi.................: " + v.R("Meslek"), 10, false},
        {L + "Nüfus kaydı.........: " + v.R("Vilayeti") + " - " + v.R("Kazasi"), 10, false},
        {S(28) + v.R("MahalleKoyu"), 10, false},
        {L + "Cilt No.............: " + v.R("Cilt"), 10, false},
        {L + "Aile Sıra No(Kütük).: " + v.R("Hane"), 10, false},
        {L + "Sıra No (Sahife)....: " + v.R("Sayfa"), 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {L + "Mahallemiz " + v.R("Sokak") + " " + v.R("Apartman") + " " + v.R("EvNo") + " No'da", 10, false},
        {L + "ikamet etmekte bulunan yukarıda kimliği yazılı ", 10, false},
        {L + v.R("Adi") + " yalnız/eşi ve.......çocuğu ile", 10, false},
        {L + "............İli............ilçesi,.............", 10, false},
        {L + "mahallesinde...............No,ya taşınmış olup,", 10, false},
        {L + "mahallemizdeki kaydı kapatılmıştır.", 10, false},
        {S(5) + v.today, 12, true},
        {S(1), 12, true},
        {S(31) + v.O("Zelvar"), 12, true},
        {S(24) + v.O("Mahalle") + " Zelvarı", 12, false},
        {S(40) + v.O("Ilce"), 12, true},
    };
}

QVector<ShownLine> poverty(const V& v)
{
    const QString L = S(6);
    return {
        {S(1), 10, false},
        {S(1), 10, false},
        {S(27) + "T.C.", 10, false},
        {S(22) + v.O("Il") + " İli", 10, false},
        {S(21) + v.O("Ilce") + " İlçesi", 10, false},
        {S(15) + v.O("Mahalle") + " Zelvarlığı", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(10) + "FAKİRLİK BELGESİ" + S(2), 16, true},
        {S(1), 10, false},
        {S(1), 10, false},
        {L + "Adı Soyadı..........: " + v.R("Adi"), 10, false},
        {L + "Babasının Adı.......: " + v.R("BabaAdi"), 10, false},
        {L + "Anasının Adı........: " + v.R("AnaAdi"), 10, false},
        {L + "Doğum Yeri..........: " + v.R("DogYeri"), 10, false},
        {L + "Doğum Tarihi........: " + v.R("DogTar"), 10, false},
        {L + "Medeni Hali.........: " + v.R("Medeni"), 10, false},
        {L + "Tabiyeti............: " + v.R("Tabiyeti"), 10, false},
        {L + "İşi.................: " + v.R("Meslek"), 10, false},
        {S(4), 10, false},
        {L + "Mahallemiz " + v.R("Sokak") + " " + v.R("Apartman") + " " + v.R("EvNo") + " No da", 10, false},
        {L + "ikamet etmekte bulunan yukarıda kimliği yazılı ", 10, false},
        {L + v.R("Adi") + " nin mahallemizde menkul ve", 10, false},
        {L + "gayrımenkul malı olmadığını ve kendisine ", 10, false},
        {L + "bağlanmış maaşı bulunmadığını, geçimini ", 10, false},
        {L + ".............suretiyle sağladığını, fakir ve ", 10, false},
        {L + "yardıma muhtaç olduğunu bildiren bu belge ", 10, false},
        {L + "isteği üzerine kendisine verilmiştir.", 10, false},
        {S(6) + v.today, 12, true},
        {S(1), 12, true},
        {S(27) + v.O("Zelvar"), 12, true},
        {S(25) + v.O("Mahalle") + " Zelvarı" + S(2), 10, false},
        {S(33) + v.O("Ilce"), 12, true},
    };
}

QVector<ShownLine> status(const V& v)
{
    const QString L = S(6);
    return {
        {S(1), 10, false},
        {S(1), 10, false},
        {S(27) + "T.C.", 10, false},
        {S(22) + v.O("Il") + " İli", 10, false},
        {S(21) + v.O("Ilce") + " İlçesi", 10, false},
        {S(15) + v.O("Mahalle") + " Zelvarlığı", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(10) + "İLMUHABER(BELGE)" + S(2), 16, true},
        {S(1), 10, false},
        {S(1), 10, false},
        {L + "Mahallemiz " + v.R("Sokak") + " " + v.R("Apartman") + " " + v.R("EvNo") + " No da", 10, false},
        {L + "ikamet etmekte bulunan yukarıda kimliği yazılı ", 10, false},
        {L + v.R("Adi") + " nın sağ veya dul olduğunu tasdik ", 10, false},
        {L + "ederim.", 10, false},
        {S(1), 10, false},
        {L + "Vekil-Vasi ", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(5) + v.today, 12, true},
        {S(24) + v.O("Zelvar"), 12, true},
        {S(23) + v.O("Mahalle") + " Zelvarı", 10, false},
        {S(32) + v.O("Ilce"), 12, true},
    };
}

QVector<ShownLine> backPage(const V& v)
{
    const QString L = S(5);
    return {
        {S(1), 10, false},
        {S(1), 10, false},
        {S(13) + "( NÜFUS İDARELERİNCE DOLDURULUR )", 10, true},
        {S(1), 10, false},
        {S(1), 10, false},
        {L + "Gönderilen Nüfus Başmemurluğu:", 10, false},
        {L + QString(49, '.'), 10, false},
        {L + "Gönderen Nüfus Başmemurluğu..:", 10, false},
        {L + QString(49, '.'), 10, false},
        {L + "Kayıt Tarihi........:", 10, false},
        {L + "Kayıt No............:", 10, false},
        {S(32) + "Başmemurun İmzası", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(19) + "NÜFUS KAYIT ÖRNEĞİ", 10, true},
        {S(1), 10, false},
        {L + "İl..................: " + v.R("Vilayeti"), 10, false},
        {L + "İlçe................: " + v.R("Kazasi"), 10, false},
        {L + "Mahalle/Köy.........: " + v.R("MahalleKoyu"), 10, false},
        {L + "Cilt No.............: " + v.R("Cilt"), 10, false},
        {L + "Sıra No (Sahife)....: " + v.R("Sayfa"), 10, false},
        {L + "Aile Sıra No(Kütük).: " + v.R("Hane"), 10, false},
        {L + "Adı ve Soyadı.......: " + v.R("Adi"), 10, false},
        {L + "Baba Adı............: " + v.R("BabaAdi"), 10, false},
        {L + "Ana Adı............ : " + v.R("AnaAdi"), 10, false},
        {L + "Doğum Yeri..........: " + v.R("DogYeri"), 10, false},
        {L + "Doğum Tarihi........: " + v.R("DogTar"), 10, false},
        {L + "Medeni Hali.........: " + v.R("Medeni"), 10, false},
        {L + "Dini................: " + v.R("Dini"), 10, false},
        {S(1), 10, false},
        {L + "Belge ile Kayıt Arasında Farklılık ve Açıklamalar:", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(29) + "Kütüğe Uygundur. ../../....", 10, false},
        {S(29) + "..............Nüfus Başmemuru", 10, false},
        {S(1), 10, false},
        {S(1), 10, false},
        {S(6) + "Gönderilen Nüfus Başmemurluğu", 10, false},
        {S(6) + QString(50, '.'), 10, false},
        {S(6) + "Düzenlenen Nüfus Cüzdanının:", 10, false},
        {S(6) + "Tarihi.............:", 10, false},
        {S(6) + "Seri No............:", 10, false},
        {S(1), 10, false},
        {S(34) + "Memurun İmzası", 10, false},
        {S(2), 10, false},
    };
}

// What the editor shows: each paragraph's text, size and bold, every
// fragment of a line formatted alike.
QVector<ShownLine> shown(const TEditor& editor)
{
    QVector<ShownLine> lines;
    const QTextDocument* doc = editor.textArea()->document();
    const QFont base = doc->defaultFont();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        QTextCharFormat format = b.charFormat();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it == b.begin())
                format = it.fragment().charFormat();
            else if (it.fragment().charFormat() != format)
                lines.append({QStringLiteral("<mixed formats> ") + b.text(), 0, false});
        }
        const QFont font = format.font().resolve(base);
        lines.append({b.text(), font.pointSize(), font.bold()});
    }
    return lines;
}

void compareLines(const QVector<ShownLine>& got, const QVector<ShownLine>& expected)
{
    for (int i = 0; i < std::min(got.size(), expected.size()); ++i) {
        const QByteArray where = QByteArray("line ") + QByteArray::number(i + 1);
        QVERIFY2(got[i].text == expected[i].text,
                 where + ": \"" + got[i].text.toUtf8() + "\" != \"" + expected[i].text.toUtf8() + '"');
        QVERIFY2(got[i].size == expected[i].size, where + " size " + QByteArray::number(got[i].size));
        QVERIFY2(got[i].bold == expected[i].bold, where + " bold");
    }
    QCOMPARE(got.size(), expected.size());
}

} // namespace

class TemplatesTest : public QObject {
    Q_OBJECT
private slots:
    void eachTemplateLineByLineForFullAndEmptyResidents()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        TForm2& reg = desk.registerWindow();
        struct Case {
            const char* button;
            QVector<ShownLine> (*lines)(const V&);
            QString caption;
            int kind;
        };
        const QList<Case> cases = {
            {"moveOutCertificate", moveOut, QStringLiteral("Editor [Nakil Belgesi]"), 3},
            {"povertyCertificate", poverty, QStringLiteral("Editor [Fakirlik Belgesi]"), 5},
            {"statusCertificate", status, QStringLiteral("Editor [İlmuhaber]"), 6},
            {"idCardChangeBack", backPage, QStringLiteral("Editor [Nüfus Cüzdanı Değiştirme Belgesi-Arka]"), 0},
        };
        for (int number : {Desk::kFull, Desk::kEmpty}) {
            desk.goTo(number);
            const V values = number == Desk::kFull ? fullValues() : emptyValues();
            for (const Case& c : cases) {
                DocumentKind = 99;
                child<QAction>(reg, c.button)->trigger();
                TEditor* editor = desk.editor();
                QVERIFY(editor);
                QCOMPARE(editor->windowTitle(), c.caption);
                QCOMPARE(DocumentKind, c.kind);
                compareLines(shown(*editor), c.lines(values));
                if (QTest::currentTestFailed())
                    return;
                // The caret stands after the first character; the text shows from its top.
                QCOMPARE(editor->textArea()->textCursor().position(), 1);
                QCOMPARE(desk.editorWindows(), 1);
            }
        }
        QVERIFY(desk.fakes.prompter.shown.isEmpty());
    }

    void labelsLineUpTheValues()
    {
        // Labels padded by dots end in the same column: 28 on the move-out
        // certificate, 27 on the back page.
        const V v = fullValues();
        const QVector<ShownLine> m = moveOut(v);
        for (int line = 10; line <= 27; ++line) {
            if (line == 13 || line == 14 || line == 24)
                continue;
            QCOMPARE(m[line - 1].text.indexOf(QStringLiteral(": ")) + 2, 28);
        }
        QCOMPARE(m[23].text.indexOf(QStringLiteral("Kemalli")), 28);
        const QVector<ShownLine> b = backPage(v);
        for (int line = 17; line <= 29; ++line)
            QCOMPARE(b[line - 1].text.indexOf(QStringLiteral(": ")) + 2, 27);
    }

    void todayFollowsTheLocaleSeparator()
    {
        const QDate d(2002, 3, 5);
        QCOMPARE(templateDate(d, QLocale(QLocale::Turkish, QLocale::Turkey)), QStringLiteral("05.03.2002"));
        QCOMPARE(templateDate(d, QLocale(QLocale::English, QLocale::UnitedKingdom)), QStringLiteral("05/03/2002"));
        QCOMPARE(templateDate(d, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("05/03/2002"));
    }

    void baseFontRuleAndUnsavedTextReplaced()
    {
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        TEditor* editor = qobject_cast<TEditor*>(desk.main->editorCommand());
        QVERIFY(editor);
        editor->textArea()->setPlainText(QStringLiteral("kaydedilmemiş mektup"));
        editor->fontNameBox()->setEditText(QStringLiteral("DejaVu Sans"));
        QCOMPARE(editor->baseFont().family(), QStringLiteral("DejaVu Sans"));

        desk.press("povertyCertificate");
        QCOMPARE(desk.editor(), editor);
        QCOMPARE(desk.editorWindows(), 1);
        QVERIFY(!editor->textArea()->toPlainText().contains(QStringLiteral("mektup")));
        QCOMPARE(editor->baseFont().family(), QStringLiteral("DejaVu Sans"));
        desk.press("statusCertificate");
        desk.press("idCardChangeBack");
        QCOMPARE(editor->baseFont().family(), QStringLiteral("DejaVu Sans"));
        // Template lines carry no font name of their own: they show the base font.
        QCOMPARE(editor->textArea()->document()->begin().charFormat().font().resolve(editor->baseFont()).family(),
                 QStringLiteral("DejaVu Sans"));

        desk.press("moveOutCertificate");
        QCOMPARE(editor->baseFont().family(), QStringLiteral("Courier New"));
        QCOMPARE(editor->fontNameBox()->currentText(), QStringLiteral("Courier New"));
        QVERIFY(desk.fakes.prompter.shown.isEmpty());
    }

    void emptyRegisterComposesNothing()
    {
        Desk desk;
        desk.addOffice();
        desk.registerWindow();
        DocumentKind = 5;
        for (auto item : {"moveOutCertificate", "povertyCertificate", "statusCertificate", "idCardChangeBack"}) {
            QVERIFY(child<QAction>(desk.registerWindow(), item)->isEnabled());
            desk.press(item);
        }
        QVERIFY(!desk.editor());
        QCOMPARE(DocumentKind, 5);
    }

    void pictures()
    {
        // For looking at by eye: ZELVAR_LOOK_DIR=folder writes each template
        // as the editor shows it (PNG), as printed (PDF) and as saved (RTF).
        const QString folder = qEnvironmentVariable("ZELVAR_LOOK_DIR");
        if (folder.isEmpty())
            QSKIP("set ZELVAR_LOOK_DIR to write the pictures");
        Desk desk;
        desk.addOffice();
        desk.addResidents();
        desk.registerWindow();
        desk.goTo(Desk::kFull);
        const QList<std::pair<const char*, QString>> items = {{"moveOutCertificate", "nakil"},
                                                              {"povertyCertificate", "fakirlik"},
                                                              {"statusCertificate", "ilmuhaber"},
                                                              {"idCardChangeBack", "arka"}};
        for (const auto& [item, name] : items) {
            desk.press(item);
            TEditor* editor = desk.editor();
            QVERIFY(editor->grab().save(folder + "/" + name + ".png"));
            desk.fakes.prompter.printerChoice(
                [path = folder + "/" + name + ".pdf"](QPrinter& printer) { printer.setOutputFileName(path); });
            QtPrinting(desk.fakes.prompter).printText(*editor->textArea()->document());
            desk.fakes.prompter.file(folder + "/" + name + ".rtf");
            editor->saveFile();
        }
        QVERIFY(desk.main->grab().save(folder + "/main.png"));
    }

    void emptyOfficeLeavesTheFixedParts()
    {
        Desk desk;
        desk.addResidents();
        desk.registerWindow();
        desk.goTo(Desk::kFull);
        desk.press("moveOutCertificate");
        V v = fullValues();
        v.o.clear();
        compareLines(shown(*desk.editor()), moveOut(v));
    }
};

ZELVAR_TEST(TemplatesTest)
#include "tst_templates.moc"
