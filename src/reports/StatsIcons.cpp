// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/StatsIcons.h"

#include "ui/DrawnPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace zelvar::statsicons {

namespace {

constexpr int kSize = 20;

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    return drawnIcon(kSize, draw, 1.0);
}

// Three small bars on a base line, as on the charts.
void miniBars(QPainter& p, int top)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(220, 40, 40));
    p.drawRect(QRectF(2.5, top + 7.5, 4, 19 - top - 7.5 - 1));
    p.setBrush(QColor(40, 150, 60));
    p.drawRect(QRectF(7.5, top + 2.5, 4, 19 - top - 2.5 - 1));
    p.setBrush(QColor(40, 80, 200));
    p.drawRect(QRectF(12.5, top + 5.5, 4, 19 - top - 5.5 - 1));
}

} // namespace

QIcon exit()
{
    return drawn([](QPainter& p) {
        // An open door with an arrow leaving it.
        p.setPen(QPen(QColor(90, 50, 20), 1));
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(2.5, 2.5, 9, 15));
        p.setBrush(QColor(120, 70, 30));
        p.drawPolygon(QPolygonF({{2.5, 2.5}, {7.5, 4.5}, {7.5, 19.5}, {2.5, 17.5}}));
        p.setPen(QPen(QColor(200, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(10, 10), QPointF(18, 10));
        p.drawPolyline(QPolygonF({{15, 7}, {18, 10}, {15, 13}}));
    });
}

QIcon updateChart()
{
    return drawn([](QPainter& p) {
        miniBars(p, 4);
        // A circling arrow over the bars.
        p.setPen(QPen(QColor(0, 110, 0), 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 1, 10, 10), 30 * 16, 270 * 16);
        p.setBrush(QColor(0, 110, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{15.5, 0.5}, {19.5, 3.5}, {15, 6}}));
    });
}

QIcon values()
{
    return drawn([](QPainter& p) {
        miniBars(p, 8);
        QFont f;
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0, 0, 120));
        p.drawText(QRectF(0, 0, kSize, 9), Qt::AlignCenter, QStringLiteral("123"));
    });
}

QIcon percent()
{
    return drawn([](QPainter& p) {
        miniBars(p, 8);
        QFont f;
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0, 0, 120));
        p.drawText(QRectF(0, 0, kSize, 9), Qt::AlignCenter, QStringLiteral("%"));
    });
}

QIcon help()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(0, 40, 140), 1));
        p.setBrush(QColor(60, 110, 220));
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        QFont f;
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
    });
}

} // namespace zelvar::statsicons
