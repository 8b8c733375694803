// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionIcons.h"

#include "ui/DrawnPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace zelvar::companionicons {

namespace {

const QColor kInk(0, 0, 96);
const QColor kPaper(255, 255, 240);

// A sheet of paper with its corner turned.
void sheet(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void lines(QPainter& p, double left, double right, double top, int count)
{
    p.setPen(QPen(QColor(110, 110, 150), 1.0));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * 3), QPointF(right, top + i * 3));
}

// An arrow from `from` to `to`, thick, with its head at `to`.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to + d * 2.5, to - d * 3.5 + n * 4, to - d * 3.5 - n * 4}));
}

} // namespace

QIcon icon(Glyph glyph)
{
    return drawnIcon(24, [glyph](QPainter& p) {
        switch (glyph) {
        case Glyph::New:
            sheet(p, QRectF(4.5, 2.5, 14, 19));
            lines(p, 7, 14, 9, 3);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 140, 0));
            p.drawRect(QRectF(15, 11, 3, 11));
            p.drawRect(QRectF(11, 15, 11, 3));
            break;
        case Glyph::Edit:
            sheet(p, QRectF(3.5, 2.5, 14, 19));
            lines(p, 6, 13, 8, 4);
            p.setPen(QPen(QColor(150, 90, 0), 3.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(20, 8), QPointF(11, 18));
            p.setPen(QPen(kInk, 1.2));
            p.drawLine(QPointF(11, 18), QPointF(9.5, 20.5));
            break;
        case Glyph::Delete:
            sheet(p, QRectF(3.5, 2.5, 14, 19));
            p.setPen(QPen(QColor(190, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(11, 11), QPointF(20, 20));
            p.drawLine(QPointF(20, 11), QPointF(11, 20));
            break;
        case Glyph::Print:
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(kPaper);
            p.drawRect(QRectF(6.5, 2.5, 11, 8));
            p.setBrush(QColor(190, 190, 205));
            p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(6.5, 15.5, 11, 6));
            lines(p, 8, 16, 18, 2);
            break;
        case Glyph::Labels:
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(kPaper);
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 2; ++col)
                    p.drawRoundedRect(QRectF(2.5 + col * 10, 2.5 + row * 7, 8.5, 5.5), 1.2, 1.2);
            break;
        case Glyph::Export:
            sheet(p, QRectF(2.5, 2.5, 13, 19));
            lines(p, 5, 12, 8, 4);
            arrow(p, QPointF(10, 14), QPointF(20, 14), QColor(0, 120, 0));
            break;
        case Glyph::Import:
            sheet(p, QRectF(8.5, 2.5, 13, 19));
            lines(p, 11, 18, 8, 4);
            arrow(p, QPointF(2, 14), QPointF(12, 14), QColor(0, 90, 170));
            break;
        case Glyph::Today:
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(kPaper);
            p.drawRect(QRectF(3.5, 4.5, 17, 16));
            p.setBrush(QColor(190, 0, 0));
            p.drawRect(QRectF(3.5, 4.5, 17, 5));
            p.setPen(QPen(kInk, 1.6));
            p.drawLine(QPointF(8, 2.5), QPointF(8, 6.5));
            p.drawLine(QPointF(16, 2.5), QPointF(16, 6.5));
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(10, 12, 4, 4));
            break;
        case Glyph::Save:
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(QColor(60, 80, 160));
            p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
            p.setBrush(kPaper);
            p.drawRect(QRectF(7.5, 3.5, 9, 7));
            p.setBrush(QColor(200, 200, 215));
            p.drawRect(QRectF(6.5, 13.5, 11, 7));
            break;
        }
    });
}

} // namespace zelvar::companionicons
