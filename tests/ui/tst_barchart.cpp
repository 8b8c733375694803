// SPDX-License-Identifier: GPL-3.0-or-later
// The bar chart's layout and the chart widget's reading of its table.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "ui/chart/BarChart.h"
#include "ui/chart/BarChartGeometry.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

BarChartInput chart(const QVector<double>& values, double widthPercent, double depthPercent)
{
    BarChartInput in;
    in.size = QSizeF(593, 221);
    in.values = values;
    for (int i = 0; i < values.size(); ++i)
        in.labels << QStringLiteral("Grup %1").arg(i + 1);
    in.barWidthPercent = widthPercent;
    in.depthPercent = depthPercent;
    in.font.setPixelSize(11);
    return in;
}

bool inside(const QRectF& outer, const QRectF& inner)
{
    return outer.adjusted(-0.01, -0.01, 0.01, 0.01).contains(inner);
}

} // namespace

class BarChartTest : public QObject {
    Q_OBJECT
private slots:
    void barsShareTheirSlotsAndScaleWithTheirValues()
    {
        for (double percent : {60.0, 75.0}) {
            const BarChartGeometry g = layoutBarChart(chart({40, 10, 0, 25, 20, 5}, percent, 25));
            QCOMPARE(g.bars.size(), 6);
            const double slot = g.plot.width() / 6;
            for (int i = 0; i < 6; ++i) {
                const BarShape& b = g.bars[i];
                QVERIFY(qFuzzyCompare(b.front.width(), slot * percent / 100));
                // Centred in its slot, standing on the floor.
                QVERIFY(qFuzzyCompare(b.front.center().x(), g.plot.left() + (i + 0.5) * slot));
                QVERIFY(qFuzzyCompare(b.front.bottom(), g.plot.bottom()));
            }
            // Heights in proportion to the values, the tallest within the plot.
            QVERIFY(qFuzzyCompare(g.bars[0].front.height() / g.bars[1].front.height(), 4.0));
            QVERIFY(qFuzzyCompare(g.bars[3].front.height() / g.bars[4].front.height(), 1.25));
            QCOMPARE(g.bars[2].front.height(), 0.0);
            QVERIFY(g.bars[0].front.top() >= g.plot.top() - 0.01);
            QCOMPARE(g.axisMax, 40.0);
        }
    }

    void depthMovesTheBackWallAndTheFaces()
    {
        const BarChartGeometry shallow = layoutBarChart(chart({3, 6}, 60, 25));
        const BarChartGeometry deep = layoutBarChart(chart({3, 6}, 60, 35));
        QVERIFY(shallow.depth > 0);
        QVERIFY(deep.depth > shallow.depth);
        QCOMPARE(deep.depth, chartDepth(QSizeF(593, 221), 35));
        for (const BarChartGeometry* g : {&shallow, &deep}) {
            const double d = g->depth;
            QCOMPARE(g->backWall, g->plot.translated(d, -d));
            const BarShape& b = g->bars[1];
            QCOMPARE(b.top.at(2), b.front.topRight() + QPointF(d, -d));
            QCOMPARE(b.side.at(2), b.front.bottomRight() + QPointF(d, -d));
            // The mark sits above the back edge of the top face.
            QVERIFY(b.markBox.bottom() < b.front.top() - d);
        }
    }

    void marksShowValuesOrShares()
    {
        QCOMPARE(markText(12, 48, MarkStyle::Value), QString("12"));
        QCOMPARE(markText(12, 48, MarkStyle::Percent), QString("%25"));
        QCOMPARE(markText(1, 3, MarkStyle::Percent), QString("%33,33"));
        QCOMPARE(markText(1, 8, MarkStyle::Percent), QString("%12,5"));
        QCOMPARE(markText(0, 0, MarkStyle::Percent), QString("%0"));
        QCOMPARE(markText(1234567, 0, MarkStyle::Value), QString("1234567"));

        BarChartInput in = chart({1, 2, 1}, 75, 35);
        QStringList marks;
        for (const BarShape& b : layoutBarChart(in).bars)
            marks << b.mark;
        QCOMPARE(marks, (QStringList{"1", "2", "1"}));
        in.marks = MarkStyle::Percent;
        marks.clear();
        for (const BarShape& b : layoutBarChart(in).bars)
            marks << b.mark;
        QCOMPARE(marks, (QStringList{"%25", "%50", "%25"}));
    }

    void axisTicks()
    {
        double step = 0;
        QCOMPARE(niceAxisMax(0, &step), 5.0);
        QCOMPARE(step, 1.0);
        QCOMPARE(niceAxisMax(3, &step), 3.0);
        QCOMPARE(niceAxisMax(49, &step), 50.0);
        QCOMPARE(step, 10.0);
        QCOMPARE(niceAxisMax(99999, &step), 100000.0);

        const BarChartGeometry g = layoutBarChart(chart({49, 12}, 60, 25));
        QCOMPARE(g.ticks.first().text, QString("0"));
        QCOMPARE(g.ticks.last().text, QString("50"));
        QCOMPARE(g.ticks.size(), 6);
        QVERIFY(qFuzzyCompare(g.ticks.first().wallLine.y1(), g.plot.bottom() - g.depth));
        QVERIFY(qFuzzyCompare(g.ticks.last().wallLine.y1(), g.plot.top() - g.depth));

        // Nothing counted yet: a flat chart, not a division by zero.
        const BarChartGeometry empty = layoutBarChart(chart({0, 0, 0}, 60, 25));
        for (const BarShape& b : empty.bars)
            QCOMPARE(b.front.height(), 0.0);
    }

    void everythingStaysInsideTheChart()
    {
        // The headcount chart's long labels and large counts.
        BarChartInput in = chart({52000, 48000, 90000, 10000, 70000, 30000, 45000, 55000, 8000, 900}, 60, 25);
        in.labels = headcountLabels();
        const BarChartGeometry g = layoutBarChart(in);
        const QRectF whole(QPointF(0, 0), in.size);
        QCOMPARE(g.labelRows, 2);
        QCOMPARE(g.legendEntries.size(), 10);
        QVERIFY(inside(whole, g.legend));
        QVERIFY(g.backWall.right() < g.legend.left());
        for (const BarShape& b : g.bars) {
            QVERIFY(inside(whole, b.markBox));
            QVERIFY(inside(whole, b.labelBox));
            QVERIFY(b.labelBox.top() > g.plot.bottom());
        }
        for (const AxisTick& t : g.ticks)
            QVERIFY(t.textBox.right() < g.plot.left());
        // Neighbouring labels of one row do not overlap.
        for (int i = 2; i < g.bars.size(); ++i)
            QVERIFY(g.bars[i - 2].labelBox.right() <= g.bars[i].labelBox.left());

        // Long percentages over bars of nearly one height go up a row rather
        // than cover each other, and stay inside.
        in.values = {9999, 9998, 9997, 9996, 9995, 9994, 9993, 9992, 9991, 9990};
        in.marks = MarkStyle::Percent;
        const BarChartGeometry p = layoutBarChart(in);
        for (int i = 0; i < p.bars.size(); ++i) {
            QVERIFY(inside(whole, p.bars[i].markBox));
            QCOMPARE(p.bars[i].markLine.y2(), p.bars[i].markBox.bottom());
            if (i > 0)
                QVERIFY(!p.bars[i].markBox.intersects(p.bars[i - 1].markBox));
        }
    }

    void chartReadsItsTableWhenReopened()
    {
        DataFixture f;
        Dataset table(&f.dm().database(), "tbYaslar");
        table.setTableName("YASLAR");
        table.open();
        BarChart c;
        c.resize(593, 220);
        c.setTable(&table);
        QCOMPARE(c.labels(), ageBracketLabels());
        QCOMPARE(c.values(), QVector<double>(6, 0.0));

        f.dm().database().exec("update YASLAR set Sayi = rowid * 2");
        QCOMPARE(c.values(), QVector<double>(6, 0.0));
        table.close();
        QVERIFY(c.values().isEmpty());
        table.open();
        QCOMPARE(c.values(), (QVector<double>{2, 4, 6, 8, 10, 12}));
        // The widget paints what the layout says, without trouble.
        QCOMPARE(c.chartGeometry().bars.size(), 6);
        QVERIFY(!c.grab().isNull());
    }
};

ZELVAR_TEST(BarChartTest)
#include "tst_barchart.moc"
