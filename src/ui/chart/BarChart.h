// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 3-D bar chart over a two-column table: one bar per row, its label from
// `Grup`, its height from `Sayi`. It reads the table whenever the table is
// opened again, so closing and reopening the table redraws it.
#include "ui/chart/BarChartGeometry.h"

#include <QPointer>
#include <QWidget>

namespace zelvar {

class Dataset;

class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    // The table the bars come from; read at once if it is open.
    void setTable(Dataset* table);
    // Reads the rows of the table again.
    void reload();

    void setBarWidthPercent(double percent);
    void setDepthPercent(double percent);
    void setGradient(bool on);
    void setMarkStyle(MarkStyle style);
    MarkStyle markStyle() const { return m_marks; }

    QVector<double> values() const { return m_values; }
    QStringList labels() const { return m_labels; }
    // The layout for the widget's present size.
    BarChartGeometry chartGeometry() const;

    // Each bar has a colour of its own.
    static QColor barColor(int index);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void paintFrame(QPainter& p, const BarChartGeometry& g) const;
    void paintBars(QPainter& p, const BarChartGeometry& g) const;
    void paintMarks(QPainter& p, const BarChartGeometry& g) const;
    void paintLegend(QPainter& p, const BarChartGeometry& g) const;

    QPointer<Dataset> m_table;
    QVector<double> m_values;
    QStringList m_labels;
    double m_barWidthPercent = 70;
    double m_depthPercent = 15;
    bool m_gradient = false;
    MarkStyle m_marks = MarkStyle::Value;
};

} // namespace zelvar
