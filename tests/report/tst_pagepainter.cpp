// SPDX-License-Identifier: GPL-3.0-or-later
// Painting a laid-out page: on an image at a known resolution and into a PDF
// whose own text is read back.
#include "TestRegistry.h"
#include "report/PagedReport.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar::report;

namespace {

ReportDefinition sample()
{
    ReportDefinition d;
    d.title = QStringLiteral("Deneme Raporu");
    d.paper = QPageSize::A5;
    d.detail.height = 100;
    d.detail.items << Item::fill(QColor(234, 234, 255), 0, 0, 0, 10) << Item::frame(0, 0, 0, 10, AllSides)
                   << Item::label(QStringLiteral("Çağrı İŞÖĞÜ"), {"Arial", 14, true}).at(2.1, 10)
                   << Item::value(QStringLiteral("Adi"), {"Courier New", 10}).centredOn(40, 60)
                   << Item::image(QImage(), 0, 0, 0, 0) << Item::imageField(QStringLiteral("Foto"), 50, 10, 30, 36);
    return d;
}

std::shared_ptr<TableRows> sampleRows(const QImage& photo)
{
    auto rows = std::make_shared<TableRows>(QStringList{"Adi", "Foto"});
    rows->addRow(QVariantList{QStringLiteral("Şükrü Öztürk"), photo});
    return rows;
}

// The image of a page at 10 pixels per millimetre.
QImage pageImage(PagedReport& report)
{
    const QSizeF mm = report.definition().pageSizeMm();
    QImage image(qRound(mm.width() * 10), qRound(mm.height() * 10), QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QPainter painter(&image);
    report.paintPage(0, painter);
    return image;
}

struct PdfWord {
    QString text;
    QRectF mm;
};

// The words of a PDF with their boxes in mm, as pdftotext -bbox reads them.
QList<PdfWord> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> out;
    const double mmPerPt = 25.4 / 72;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out << PdfWord{m.captured(5),
                       QRectF(QPointF(m.captured(1).toDouble() * mmPerPt, m.captured(2).toDouble() * mmPerPt),
                              QPointF(m.captured(3).toDouble() * mmPerPt, m.captured(4).toDouble() * mmPerPt))};
    }
    return out;
}

} // namespace

class TstPagePainter : public QObject {
    Q_OBJECT
private slots:
    void paintsAtTheDevicesResolution()
    {
        QImage photo(30, 36, QImage::Format_RGB32);
        photo.fill(Qt::red);
        PagedReport report(sample(), sampleRows(photo));
        const QImage image = pageImage(report);
        // The fill of the top 10 mm, inside the frame: lavender.
        QCOMPARE(image.pixelColor(127 + 1000, 127 + 80), QColor(234, 234, 255));
        // The frame's left side at 12.7 mm.
        QVERIFY(qGray(image.pixel(127, 127 + 50)) < 128);
        // The stretched photo fills 10..40 x 50..86 mm of the band.
        QCOMPARE(image.pixelColor(127 + 100 + 150, 127 + 500 + 180), QColor(Qt::red));
        QCOMPARE(image.pixelColor(127 + 100 + 150, 127 + 500 + 370), QColor(Qt::white));
        // Some ink where the title stands, none far right of it.
        int ink = 0;
        for (int x = 127 + 100; x < 127 + 400; ++x)
            for (int y = 127 + 21; y < 127 + 80; ++y)
                ink += qGray(image.pixel(x, y)) < 100;
        QVERIFY(ink > 100);
    }

    void pdfCarriesSelectableTextAtItsPlaceWithEmbeddedFonts()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("deneme.pdf"));
        PagedReport report(sample(), sampleRows(QImage()));
        QVERIFY(report.writePdf(pdf));
        const QList<PdfWord> words = pdfWords(pdf);
        QStringList texts;
        for (const PdfWord& w : words)
            texts << w.text;
        QCOMPARE(texts, QStringList({"Çağrı", "İŞÖĞÜ", "Şükrü", "Öztürk"}));
        // Left edges to within half a millimetre of the layout.
        QVERIFY(std::abs(words[0].mm.left() - (12.7 + 10)) < 0.5);
        const double centre = (words[2].mm.left() + words[3].mm.right()) / 2;
        QVERIFY2(std::abs(centre - (12.7 + 60)) < 0.5, qPrintable(QString::number(centre)));

        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {pdf});
        fonts.waitForFinished();
        const QString list = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(list.contains(QStringLiteral("LiberationSans-Bold")), qPrintable(list));
        QVERIFY(list.contains(QStringLiteral("LiberationMono")));
        QVERIFY(!list.contains(QRegularExpression(QStringLiteral(" no +(yes|no) +(yes|no) +\\d+ +\\d+\\s*$"),
                                                  QRegularExpression::MultilineOption)));
        // The PDF is titled after the report and its page is A5.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished();
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY(meta.contains(QStringLiteral("Deneme Raporu")));
        QVERIFY2(meta.contains(QStringLiteral("419.53 x 595.276")) || meta.contains(QStringLiteral("420 x 595")),
                 qPrintable(meta));
    }
};

ZELVAR_TEST(TstPagePainter)
#include "tst_pagepainter.moc"
