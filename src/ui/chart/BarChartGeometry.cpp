// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart/BarChartGeometry.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QtMath>
#include <algorithm>

namespace zelvar {

namespace {

constexpr double kMargin = 6;
constexpr double kSwatch = 10;
constexpr double kMarkGap = 5;  // length of the line from a bar to its mark
constexpr double kLabelGap = 3; // between the floor and the labels
constexpr double kAxisGap = 4;  // between the tick texts and the left wall
constexpr int kMarkRows = 2;    // marks of neighbouring bars may stand in two rows

QString tickText(double value)
{
    return QString::number(qRound64(value));
}

// The legend at the right, vertically centred.
void layoutLegend(const BarChartInput& in, const QFontMetricsF& fm, BarChartGeometry& g)
{
    double textWidth = 0;
    for (const QString& label : in.labels)
        textWidth = std::max(textWidth, fm.horizontalAdvance(label));
    const double lineHeight = fm.height() + 2;
    const double width = 6 + kSwatch + 5 + textWidth + 7;
    const double height = in.labels.size() * lineHeight + 8;
    const double top = std::max(kMargin, (in.size.height() - height) / 2);
    g.legend = QRectF(in.size.width() - kMargin - width, top, width, height);
    for (int i = 0; i < in.labels.size(); ++i) {
        const double y = top + 4 + i * lineHeight;
        LegendEntry e;
        e.swatch = QRectF(g.legend.left() + 6, y + (lineHeight - kSwatch) / 2, kSwatch, kSwatch);
        e.textBox = QRectF(e.swatch.right() + 5, y, textWidth + 2, lineHeight);
        e.text = in.labels[i];
        g.legendEntries << e;
    }
}

// The values the axis is marked at: 0, step, 2 step ... up to the top,
// counted in whole steps so that no rounding error adds up along the axis.
QList<double> tickValues(double axisMax, double step)
{
    QList<double> values;
    const qint64 steps = qRound64(axisMax / step);
    for (qint64 i = 0; i <= steps; ++i)
        values << double(i) * step;
    return values;
}

} // namespace

double chartDepth(const QSizeF& size, double depthPercent)
{
    return std::round(std::min(size.width(), size.height()) * 0.2 * depthPercent / 100.0);
}

double niceAxisMax(double largest, double* step)
{
    double s = 1;
    if (largest > 0) {
        const double raw = largest / 5;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        for (double f : {1.0, 2.0, 5.0, 10.0}) {
            s = f * magnitude;
            if (s >= raw)
                break;
        }
        s = std::max(s, 1.0);
    }
    if (step)
        *step = s;
    const double top = largest > 0 ? std::ceil(largest / s) * s : 5 * s;
    return top;
}

QString markText(double value, double total, MarkStyle style)
{
    if (style == MarkStyle::Value)
        return QString::number(qRound64(value));
    const double share = total > 0 ? value / total * 100.0 : 0.0;
    QString text = QLocale(QLocale::Turkish, QLocale::Turkey).toString(share, 'f', 2);
    const QChar point = QLocale(QLocale::Turkish, QLocale::Turkey).decimalPoint().at(0);
    if (text.contains(point)) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(1);
    }
    return QLatin1Char('%') + text;
}

BarChartGeometry layoutBarChart(const BarChartInput& in)
{
    BarChartGeometry g;
    const QFontMetricsF fm(in.font);
    const double lineHeight = fm.height();
    const int n = int(in.values.size());

    layoutLegend(in, fm, g);

    double largest = 0;
    double total = 0;
    for (double v : in.values) {
        largest = std::max(largest, v);
        total += v;
    }
    double step = 1;
    g.axisMax = niceAxisMax(largest, &step);

    const QList<double> ticks = tickValues(g.axisMax, step);
    double tickWidth = 0;
    for (double v : ticks)
        tickWidth = std::max(tickWidth, fm.horizontalAdvance(tickText(v)));

    // The front plane: room for the tick texts on the left, the depth and the
    // legend on the right, the marks above and the labels below.
    g.depth = chartDepth(in.size, in.depthPercent);
    const double d = g.depth;
    const double markHeight = lineHeight + 2;
    const double left = kMargin + tickWidth + kAxisGap;
    const double right = (n > 0 && !g.legendEntries.isEmpty() ? g.legend.left() - 8 : in.size.width() - kMargin) - d;
    const double slot = n > 0 ? (right - left) / n : right - left;
    double widestLabel = 0;
    for (const QString& label : in.labels)
        widestLabel = std::max(widestLabel, fm.horizontalAdvance(label));
    g.labelRows = widestLabel > slot - 4 ? 2 : 1;
    // Room above the tallest bar for its mark, and for a second row of marks
    // where neighbouring marks would overlap.
    const double top = kMargin + kMarkRows * (markHeight + 1) + kMarkGap + d;
    const double bottom = in.size.height() - kMargin - g.labelRows * lineHeight - kLabelGap;
    g.plot = QRectF(QPointF(left, top), QPointF(right, bottom));

    const QPointF back(d, -d);
    g.backWall = g.plot.translated(back);
    g.floor =
        QPolygonF({g.plot.bottomLeft(), g.plot.bottomRight(), g.plot.bottomRight() + back, g.plot.bottomLeft() + back});
    g.leftWall =
        QPolygonF({g.plot.bottomLeft(), g.plot.bottomLeft() + back, g.plot.topLeft() + back, g.plot.topLeft()});

    auto yOf = [&](double value) { return bottom - value / g.axisMax * g.plot.height(); };

    for (double v : ticks) {
        AxisTick t;
        t.value = v;
        t.text = tickText(v);
        const double y = yOf(v);
        t.textBox = QRectF(kMargin, y - lineHeight / 2, tickWidth, lineHeight);
        t.wallLine = QLineF(QPointF(left, y) + back, QPointF(right, y) + back);
        t.sideLine = QLineF(QPointF(left, y), QPointF(left, y) + back);
        g.ticks << t;
    }

    const double barWidth = slot * in.barWidthPercent / 100.0;
    for (int i = 0; i < n; ++i) {
        BarShape b;
        const double x = left + i * slot + (slot - barWidth) / 2;
        const double y = yOf(std::max(0.0, in.values[i]));
        b.front = QRectF(QPointF(x, y), QPointF(x + barWidth, bottom));
        b.top = QPolygonF({b.front.topLeft(), b.front.topRight(), b.front.topRight() + back, b.front.topLeft() + back});
        b.side = QPolygonF(
            {b.front.topRight(), b.front.topRight() + back, b.front.bottomRight() + back, b.front.bottomRight()});

        b.mark = markText(in.values[i], total, in.marks);
        const double centre = x + barWidth / 2 + d / 2;
        const double markWidth = fm.horizontalAdvance(b.mark) + 6;
        const double markBottom = y - d - kMarkGap;
        b.markBox = QRectF(centre - markWidth / 2, markBottom - markHeight, markWidth, markHeight);
        // A mark that would cover its left neighbour's goes up a row.
        for (int level = 1; level < kMarkRows && i > 0 && b.markBox.intersects(g.bars[i - 1].markBox); ++level)
            b.markBox.translate(0, -(markHeight + 1));
        b.markLine = QLineF(QPointF(centre, y - d / 2), QPointF(centre, b.markBox.bottom()));

        const QString label = i < in.labels.size() ? in.labels[i] : QString();
        const double labelWidth = fm.horizontalAdvance(label) + 2;
        const double row = i % g.labelRows;
        b.labelBox =
            QRectF(x + barWidth / 2 - labelWidth / 2, bottom + kLabelGap + row * lineHeight, labelWidth, lineHeight);
        g.bars << b;
    }
    return g;
}

} // namespace zelvar
