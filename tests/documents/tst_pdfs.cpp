// SPDX-License-Identifier: GPL-3.0-or-later
// The four documents written as PDF and read back with pdftotext: every
// text of the laid-out page is in the PDF as real text, at its place. Set
// ZELVAR_PDF_DIR to keep the files for a look.
#include "CertificateFixture.h"
#include "TestRegistry.h"
#include "data/FieldDefs.h"
#include "documents/TForm5.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

struct PdfWord {
    int page;
    QString text;
    QRectF mm;
};

QList<PdfWord> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression token(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const double mm = 25.4 / 72;
    QList<PdfWord> out;
    int page = -1;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace(QLatin1String("&amp;"), QLatin1String("&")).replace(QLatin1String("&quot;"), QLatin1String("\""));
        out << PdfWord{page, text,
                       QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                              QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm))};
    }
    return out;
}

// Every text item of every page is in the PDF as real text: a word on the
// same page and line whose box begins at the item's left edge (to half a
// millimetre; texts that run into their neighbour, as the layouts let them,
// come back as one word) and holds its first word. Letter for letter, the
// page's text is the items' text: nothing missing, nothing stray.
QStringList compare(report::PagedReport& report, const QList<PdfWord>& words)
{
    QStringList failures;
    for (int p = 0; p < report.pageCount(); ++p) {
        QString expectedLetters;
        QString pdfLetters;
        for (const PdfWord& w : words)
            if (w.page == p)
                pdfLetters += w.text;
        for (const report::PlacedItem& item : report.page(p).items) {
            if (item.kind != report::ItemKind::Text)
                continue;
            QString letters = item.text;
            letters.remove(QLatin1Char(' '));
            expectedLetters += letters;
            const QString first = item.text.split(QLatin1Char(' '), Qt::SkipEmptyParts).first();
            const bool leadingBlanks = item.text.startsWith(QLatin1Char(' '));
            const auto holds = [&](const PdfWord& w) {
                if (w.page != p || std::abs(w.mm.top() - item.rect.top()) > 0.5 || !w.text.contains(first))
                    return false;
                if (leadingBlanks)
                    return w.mm.left() > item.rect.left();
                return std::abs(w.mm.left() - item.rect.left()) < 0.5 ||
                       (w.mm.left() < item.rect.left() && w.mm.right() > item.rect.left() && w.text.indexOf(first) > 0);
            };
            if (std::none_of(words.begin(), words.end(), holds))
                failures << QStringLiteral("page %1: \"%2\" at %3/%4 not in the PDF")
                                .arg(p + 1)
                                .arg(item.text)
                                .arg(item.rect.top())
                                .arg(item.rect.left());
        }
        std::sort(expectedLetters.begin(), expectedLetters.end());
        std::sort(pdfLetters.begin(), pdfLetters.end());
        if (expectedLetters != pdfLetters)
            failures << QStringLiteral("page %1: letters differ:\n%2\n%3").arg(p + 1).arg(expectedLetters, pdfLetters);
    }
    return failures;
}

// Words of one page that overlap each other or the photo, or stand outside
// the printable area. Word boxes touch where lines meet, so they count as
// overlapping only beyond a tenth of a millimetre each way.
QStringList collisions(report::PagedReport& report, const QList<PdfWord>& words)
{
    QStringList failures;
    const QRectF printable = report.definition().printableMm().adjusted(-0.1, -0.1, 0.1, 0.1);
    const auto overlap = [](const QRectF& a, const QRectF& b) {
        const QRectF both = a.intersected(b);
        return both.width() > 0.1 && both.height() > 0.1;
    };
    const auto describe = [](const PdfWord& w) {
        return QStringLiteral("\"%1\" %2/%3-%4/%5")
            .arg(w.text)
            .arg(w.mm.left(), 0, 'f', 1)
            .arg(w.mm.top(), 0, 'f', 1)
            .arg(w.mm.right(), 0, 'f', 1)
            .arg(w.mm.bottom(), 0, 'f', 1);
    };
    for (qsizetype i = 0; i < words.size(); ++i) {
        const PdfWord& a = words[i];
        if (!printable.contains(a.mm))
            failures << QStringLiteral("page %1: %2 leaves the printable area").arg(a.page + 1).arg(describe(a));
        for (const report::PlacedItem& item : report.page(a.page).items)
            if (item.kind == report::ItemKind::Picture && overlap(a.mm, item.rect))
                failures << QStringLiteral("page %1: %2 over the photo").arg(a.page + 1).arg(describe(a));
        for (qsizetype j = i + 1; j < words.size(); ++j)
            if (words[j].page == a.page && overlap(a.mm, words[j].mm))
                failures
                    << QStringLiteral("page %1: %2 runs into %3").arg(a.page + 1).arg(describe(a), describe(words[j]));
    }
    return failures;
}

QString writtenPdf(report::PagedReport& report, const QString& name, QTemporaryDir& dir)
{
    QString folder = qEnvironmentVariable("ZELVAR_PDF_DIR");
    if (folder.isEmpty())
        folder = dir.path();
    const QString pdf = QDir(folder).filePath(name);
    return report.writePdf(pdf) ? pdf : QString();
}

void checkPdf(report::PagedReport& report, const QString& name)
{
    QTemporaryDir dir;
    const QString pdf = writtenPdf(report, name, dir);
    QVERIFY(!pdf.isEmpty());
    const QStringList failures = compare(report, pdfWords(pdf));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));

    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    fonts.waitForFinished();
    const QStringList lines = QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!lines.isEmpty());
    for (const QString& line : lines) {
        QVERIFY2(line.contains(QLatin1String("Liberation")), qPrintable(line));
        QVERIFY2(line.contains(QRegularExpression(QStringLiteral("\\byes\\s+(yes|no)\\s+yes\\b"))),
                 qPrintable(line)); // embedded, unicode
    }
}

// Long Turkish words in capitals, the widest letters there are, up to the
// given number of characters.
QString wideText(int width)
{
    static const QStringList words{QStringLiteral("KEMALPAŞAOĞLU"), QStringLiteral("MÜDÜRLÜĞÜ"),
                                   QStringLiteral("ŞEMSETTİN"), QStringLiteral("GÖKÇEÖREN"), QStringLiteral("MAŞUK")};
    QString text;
    for (int i = 0; text.size() < width; ++i)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + words[i % words.size()];
    return text.left(width).trimmed();
}

// Every text field of the table filled to its full width.
QVariantMap fullWidthFields(const QString& table)
{
    QVariantMap fields;
    for (const FieldDef& f : findTable(table)->fields)
        if (f.isText() && f.width > 1)
            fields[f.name] = wideText(f.width);
    return fields;
}

} // namespace

class TstDocumentPdfs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void certificatesReadBackAtTheirPlaces()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        f.addPhoto(7);
        f.standOn(7);
        f.command().residence(f.forms.residence);
        checkPdf(*f.fakes.printing.lastReport(), QStringLiteral("ikametgah.pdf"));
        f.fakes.prompter.input(QStringLiteral("Kayıp"));
        f.command().idCardChange(f.forms.idCardChange);
        checkPdf(*f.fakes.printing.lastReport(), QStringLiteral("cuzdan-degistirme.pdf"));
        f.command().idCardCopy(f.forms.idCardCopy);
        checkPdf(*f.fakes.printing.lastReport(), QStringLiteral("cuzdan-sureti.pdf"));
    }

    void declarationReadsBackAtItsPlaces()
    {
        CertificateFixture f;
        f.setOffice();
        QVariantMap r = CertificateFixture::fullResident();
        r[QStringLiteral("Telefon")] = QStringLiteral("232 555 12 12");
        r[QStringLiteral("Konuturu")] = QStringLiteral("E");
        for (int i = 1; i <= 9; ++i)
            f.data.addResident(QStringLiteral("Kişi %1 Yılmaz").arg(i), i, r);
        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.streetBox()->setText(QStringLiteral("Gül Sokak"));
        w.numberBox()->setText(QStringLiteral("12/3"));
        w.search();
        f.fakes.prompter.answer(Answer::Yes);
        w.printReport();
        checkPdf(*f.fakes.printing.lastReport(), QStringLiteral("konutta-kalanlar.pdf"));
    }

    // Every page printed for a resident and an office whose fields are all
    // at full width: no text runs into another, over the photo or off the
    // printable area.
    void fullWidthValuesNeverCollide()
    {
        CertificateFixture f;
        f.dm().database().exec(QStringLiteral("delete from Mahalle"));
        const QVariantMap o = fullWidthFields(QStringLiteral("Mahalle"));
        f.dm().database().exec(
            QStringLiteral("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, '1')"),
            {o["Il"], o["Ilce"], o["Mahalle"], o["Zelvar"]});
        f.dm().tbMah->refresh();
        QVariantMap r = fullWidthFields(QStringLiteral("zelvarx"));
        r.remove(QStringLiteral("Adi"));
        r[QStringLiteral("DogTar")] = QStringLiteral("1964-08-01");
        r[QStringLiteral("NC_Tarihi")] = QStringLiteral("1990-05-15");
        r[QStringLiteral("YokTar")] = QStringLiteral("2001-12-31");
        r[QStringLiteral("IsAdresi")] = QStringList(4, wideText(60)).join('\n');
        const QString name = wideText(25);
        for (int i = 1; i <= 3; ++i)
            f.data.addResident(name, 999990 + i, r);
        f.addPhoto(999991);
        f.standOn(999991);

        QTemporaryDir dir;
        const auto check = [&](const QString& file) {
            report::PagedReport& report = *f.fakes.printing.lastReport();
            const QString pdf = writtenPdf(report, file, dir);
            QVERIFY(!pdf.isEmpty());
            const QStringList failures = collisions(report, pdfWords(pdf));
            QVERIFY2(failures.isEmpty(), qPrintable(file + QLatin1Char('\n') + failures.join('\n')));
        };
        f.command(wideText(20), wideText(60)).residence(f.forms.residence);
        check(QStringLiteral("dolu-ikametgah.pdf"));
        f.fakes.prompter.input(wideText(60));
        f.command().idCardChange(f.forms.idCardChange);
        check(QStringLiteral("dolu-cuzdan-degistirme.pdf"));
        f.command().idCardCopy(f.forms.idCardCopy);
        check(QStringLiteral("dolu-cuzdan-sureti.pdf"));

        TForm5 w(f.dm(), f.fakes.services, f.forms.declaration);
        w.streetBox()->setText(r.value(QStringLiteral("Sokak")).toString());
        w.numberBox()->setText(r.value(QStringLiteral("EvNo")).toString());
        w.search();
        f.fakes.prompter.answer(Answer::Yes);
        w.printReport();
        check(QStringLiteral("dolu-konutta-kalanlar.pdf"));
    }
};

ZELVAR_TEST(TstDocumentPdfs)
#include "tst_pdfs.moc"
