// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ListIcons.h"

#include "ui/DrawnPicture.h"

#include <QPainter>

namespace zelvar::listicons {

namespace {

constexpr int kSize = 32;

// A white sheet with a folded corner.
void sheet(QPainter& p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{5.5, 1.5}, {21.5, 1.5}, {27.5, 7.5}, {27.5, 30.5}, {5.5, 30.5}}));
    p.drawPolyline(QPolygonF({{21.5, 1.5}, {21.5, 7.5}, {27.5, 7.5}}));
}

void textLine(QPainter& p, double left, double right, double y, const QColor& colour)
{
    p.setPen(QPen(colour, 1.6));
    p.drawLine(QPointF(left, y), QPointF(right, y));
}

} // namespace

QIcon nameList()
{
    return drawnIcon(kSize, [](QPainter& p) {
        sheet(p);
        textLine(p, 8, 24, 6, QColor(40, 40, 160));
        for (int line = 0; line < 5; ++line) {
            const double y = 11 + 4 * line;
            textLine(p, 8, 16, y, QColor(60, 60, 60));
            textLine(p, 18, 25, y, QColor(150, 150, 150));
        }
    });
}

QIcon labels()
{
    return drawnIcon(kSize, [](QPainter& p) {
        // Two columns of labels on a sheet.
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(245, 245, 245));
        p.drawRect(QRectF(2.5, 2.5, 27, 27));
        for (int column = 0; column < 2; ++column) {
            for (int row = 0; row < 3; ++row) {
                const QRectF label(4.5 + column * 13, 4.5 + row * 8.5, 11, 7);
                p.setPen(QPen(QColor(120, 120, 120), 1));
                p.setBrush(QColor(255, 250, 205));
                p.drawRoundedRect(label, 1.5, 1.5);
                textLine(p, label.left() + 2, label.right() - 2, label.top() + 2.5, QColor(40, 40, 160));
                textLine(p, label.left() + 2, label.right() - 4, label.top() + 5, QColor(90, 90, 90));
            }
        }
    });
}

QIcon detailedList()
{
    return drawnIcon(kSize, [](QPainter& p) {
        sheet(p);
        // A photograph beside lines of text, twice.
        for (double top : {4.0, 17.0}) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(QColor(180, 200, 230));
            p.drawRect(QRectF(8.5, top + 0.5, 6, 8));
            p.setBrush(QColor(230, 190, 150));
            p.drawEllipse(QRectF(10, top + 1.5, 3, 3));
            for (int line = 0; line < 3; ++line)
                textLine(p, 16.5, 25, top + 1.5 + 2.5 * line, QColor(70, 70, 70));
        }
    });
}

} // namespace zelvar::listicons
