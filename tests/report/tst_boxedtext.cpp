// Texts in fixed boxes: one that fits is painted exactly as the same text
// at the same place without a box; one too long wraps and stays inside.
#include "TestRegistry.h"
#include "report/PagedReport.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace zelvar::report;

namespace {

QImage paintedBand(const Item& item)
{
    ReportDefinition d;
    d.paper = QPageSize::A5;
    d.detail.height = 30;
    d.detail.items << item;
    auto rows = std::make_shared<TableRows>(QStringList{"x"});
    rows->addRow(QVariantList{1});
    PagedReport report(d, rows);
    const QSizeF mm = d.pageSizeMm();
    QImage image(qRound(mm.width() * 10), qRound(mm.height() * 10), QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QPainter painter(&image);
    report.paintPage(0, painter);
    return image;
}

// Lowest row (in pixels) holding ink, -1 when none.
int lowestInk(const QImage& image)
{
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return y;
    return -1;
}

} // namespace

class TstBoxedText : public QObject {
    Q_OBJECT
private slots:
    void fittingAndWrappedBoxes()
    {
        const FontSpec font("Arial", 9);
        const QImage boxed = paintedBand(Item::label(QStringLiteral("Şükrü Öz"), font).inBox(5, 10, 40, 4.5));
        const QImage free = paintedBand(Item::label(QStringLiteral("Şükrü Öz"), font).at(5, 10));
        QCOMPARE(boxed, free);

        // Too long for one line: wrapped, and nothing below the box's bottom
        // edge at 12.7 + 5 + 4.5 mm.
        const QImage wrapped = paintedBand(
            Item::label(QStringLiteral("bir iki üç dört beş altı yedi sekiz dokuz"), font).inBox(5, 10, 20, 4.5));
        const int lowest = lowestInk(wrapped);
        QVERIFY(lowest > 0);
        QVERIFY(lowest < qRound((12.7 + 5 + 4.5) * 10) + 1);
    }
};

ZELVAR_TEST(TstBoxedText)
#include "tst_boxedtext.moc"
