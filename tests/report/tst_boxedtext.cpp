// SPDX-License-Identifier: GPL-3.0-or-later
// Texts in fixed boxes: one that fits is painted exactly as the same text
// at the same place without a box; one too long stays on one line in a box
// of one line, and wraps inside a taller one.
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

// The pixels holding ink; null when none.
QRect ink(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
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

        // A 50-letter name in the name list's box of one line (4.5 mm): one
        // line, inside the box, never a second line clipped in half. The
        // box stands at 12.7 + 10 mm left, 12.7 + 5 mm top, in tenths of mm.
        const QString name = QStringLiteral("Abdurrahman Şerafettin Kemalpaşaoğlu Gökçeören Nurşen");
        const QRect box(227, 177, 200, 45);
        const QRect oneLine = ink(paintedBand(Item::label(name, font).inBox(5, 10, 20, 4.5)));
        QVERIFY(box.contains(oneLine));
        QVERIFY(oneLine.height() < 40); // a line of 9 pt is 37 tenths of a mm high

        // A box of three lines wraps the same name inside it.
        const QRect wrapped = ink(paintedBand(Item::label(name, font).inBox(5, 10, 20, 12)));
        QVERIFY(wrapped.height() > 2 * oneLine.height());
        QVERIFY(wrapped.bottom() < 177 + 120 && wrapped.right() < 227 + 200);
    }
};

ZELVAR_TEST(TstBoxedText)
#include "tst_boxedtext.moc"
