// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart/BarChart.h"

#include "data/Dataset.h"

#include <QLinearGradient>
#include <QPainter>

namespace zelvar {

namespace {

const QColor kWallColor(236, 236, 236);
const QColor kLineColor(128, 128, 128);
const QColor kMarkFill(255, 255, 225);

} // namespace

BarChart::BarChart(QWidget* parent)
    : QWidget(parent)
{
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarChart::setTable(Dataset* table)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        // Closing empties the chart; opening (rowsReset follows activeChanged)
        // reads the table afresh.
        connect(table, &Dataset::rowsReset, this, &BarChart::reload);
    }
    reload();
}

void BarChart::reload()
{
    m_values.clear();
    m_labels.clear();
    if (m_table && m_table->isActive()) {
        const int label = m_table->fieldIndex(QStringLiteral("Grup"));
        const int count = m_table->fieldIndex(QStringLiteral("Sayi"));
        for (int row = 0; row < m_table->recordCount(); ++row) {
            m_labels << (label >= 0 ? m_table->valueAt(row, label).toString() : QString());
            m_values << (count >= 0 ? m_table->valueAt(row, count).toDouble() : 0.0);
        }
    }
    update();
}

void BarChart::setBarWidthPercent(double percent)
{
    m_barWidthPercent = percent;
    update();
}

void BarChart::setDepthPercent(double percent)
{
    m_depthPercent = percent;
    update();
}

void BarChart::setGradient(bool on)
{
    m_gradient = on;
    update();
}

void BarChart::setMarkStyle(MarkStyle style)
{
    m_marks = style;
    update();
}

BarChartGeometry BarChart::chartGeometry() const
{
    BarChartInput in;
    in.size = size();
    in.values = m_values;
    in.labels = m_labels;
    in.barWidthPercent = m_barWidthPercent;
    in.depthPercent = m_depthPercent;
    in.marks = m_marks;
    in.font = font();
    return layoutBarChart(in);
}

QColor BarChart::barColor(int index)
{
    static const QColor palette[] = {
        QColor(220, 40, 40),   QColor(40, 150, 60),  QColor(240, 200, 30), QColor(40, 80, 200),
        QColor(230, 120, 30),  QColor(140, 60, 170), QColor(30, 170, 180), QColor(200, 60, 140),
        QColor(120, 120, 120), QColor(130, 90, 40),  QColor(110, 190, 40), QColor(0, 0, 110),
    };
    return palette[index % int(std::size(palette))];
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(kLineColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const BarChartGeometry g = chartGeometry();
    p.setRenderHint(QPainter::Antialiasing);
    paintFrame(p, g);
    paintBars(p, g);
    paintMarks(p, g);
    if (!m_labels.isEmpty())
        paintLegend(p, g);
}

// The floor and left wall in light grey, the back wall clear with its grid.
void BarChart::paintFrame(QPainter& p, const BarChartGeometry& g) const
{
    p.setPen(QPen(kLineColor, 1));
    p.setBrush(kWallColor);
    p.drawPolygon(g.leftWall);
    p.drawPolygon(g.floor);
    p.setBrush(Qt::NoBrush);
    p.drawRect(g.backWall);

    QPen grid(QColor(180, 180, 180), 1, Qt::DotLine);
    for (const AxisTick& t : g.ticks) {
        p.setPen(grid);
        if (t.value > 0) {
            p.drawLine(t.wallLine);
            p.drawLine(t.sideLine);
        }
        p.setPen(Qt::black);
        p.drawText(t.textBox, Qt::AlignRight | Qt::AlignVCenter, t.text);
    }
}

void BarChart::paintBars(QPainter& p, const BarChartGeometry& g) const
{
    for (int i = 0; i < g.bars.size(); ++i) {
        const BarShape& b = g.bars[i];
        const QColor c = barColor(i);
        p.setPen(QPen(c.darker(170), 1));
        p.setBrush(c.darker(135));
        p.drawPolygon(b.side);
        p.setBrush(c.lighter(125));
        p.drawPolygon(b.top);
        if (m_gradient) {
            QLinearGradient fill(b.front.topLeft(), b.front.bottomLeft());
            fill.setColorAt(0, c.lighter(165));
            fill.setColorAt(1, c.darker(110));
            p.setBrush(fill);
        } else {
            p.setBrush(c);
        }
        p.drawRect(b.front);

        p.setPen(Qt::black);
        p.drawText(b.labelBox, Qt::AlignCenter, i < m_labels.size() ? m_labels[i] : QString());
    }
}

void BarChart::paintMarks(QPainter& p, const BarChartGeometry& g) const
{
    for (const BarShape& b : g.bars) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(b.markLine);
        p.setBrush(kMarkFill);
        p.drawRect(b.markBox);
        p.drawText(b.markBox, Qt::AlignCenter, b.mark);
    }
}

void BarChart::paintLegend(QPainter& p, const BarChartGeometry& g) const
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(g.legend.translated(2, 2));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(g.legend);
    for (int i = 0; i < g.legendEntries.size(); ++i) {
        const LegendEntry& e = g.legendEntries[i];
        p.setPen(QPen(barColor(i).darker(170), 1));
        p.setBrush(barColor(i));
        p.drawRect(e.swatch);
        p.setPen(Qt::black);
        p.drawText(e.textBox, Qt::AlignLeft | Qt::AlignVCenter, e.text);
    }
}

} // namespace zelvar
