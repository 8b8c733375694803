// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything of a 3-D bar chart stands, for a given size and given
// values. Pure: the painter draws what this computes, and tests check it.
#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QVector>

namespace zelvar {

// What the mark above each bar shows.
enum class MarkStyle { Value, Percent };

struct BarChartInput {
    QSizeF size;
    QVector<double> values;
    QStringList labels;          // one per bar, shown under it and in the legend
    double barWidthPercent = 70; // bar width as a share of its slot
    double depthPercent = 15;    // 3-D depth, relative to the chart's smaller side
    MarkStyle marks = MarkStyle::Value;
    QFont font;
};

struct BarShape {
    QRectF front;    // front face; its bottom is the floor's front edge
    QPolygonF top;   // top face, going back by the depth
    QPolygonF side;  // right-hand face
    QString mark;    // the value or the percentage
    QRectF markBox;  // the mark's box above the bar
    QLineF markLine; // from the top face up to the mark's box
    QRectF labelBox; // the label under the bar
};

struct AxisTick {
    double value;
    QString text;
    QRectF textBox;  // left of the left wall
    QLineF wallLine; // grid line across the back wall
    QLineF sideLine; // grid line across the left wall
};

struct LegendEntry {
    QRectF swatch;
    QRectF textBox;
    QString text;
};

struct BarChartGeometry {
    QRectF plot;      // front plane: bars stand on its bottom edge
    double depth = 0; // how far the back wall lies behind, right and up
    QRectF backWall;  // the plot moved back by the depth
    QPolygonF floor;
    QPolygonF leftWall;
    double axisMax = 1;
    QVector<AxisTick> ticks;
    QVector<BarShape> bars;
    QRectF legend;
    QVector<LegendEntry> legendEntries;
    int labelRows = 1; // labels too wide for their slot alternate over two rows
};

BarChartGeometry layoutBarChart(const BarChartInput& input);

// The depth in pixels for a chart of this size.
double chartDepth(const QSizeF& size, double depthPercent);

// The top of the value axis and its step: a round number at or above the
// largest value, in whole steps (counts are whole numbers).
double niceAxisMax(double largest, double* step = nullptr);

// The mark text: the count, or the share of the total as "%33,33".
QString markText(double value, double total, MarkStyle style);

} // namespace zelvar
