// The four documents written as PDF and read back with pdftotext: every
// text of the laid-out page is in the PDF as real text, at its place. Set
// ZELVAR_PDF_DIR to keep the files for a look.
#include "CertificateFixture.h"
#include "TestRegistry.h"
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

void checkPdf(report::PagedReport& report, const QString& name)
{
    QTemporaryDir dir;
    QString folder = qEnvironmentVariable("ZELVAR_PDF_DIR");
    if (folder.isEmpty())
        folder = dir.path();
    const QString pdf = QDir(folder).filePath(name);
    QVERIFY(report.writePdf(pdf));
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
};

ZELVAR_TEST(TstDocumentPdfs)
#include "tst_pdfs.moc"
