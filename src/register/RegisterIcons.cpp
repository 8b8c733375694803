// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/RegisterIcons.h"

#include "ui/DrawnPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace zelvar::registericons {

namespace {

const QColor kInk(0, 0, 96);
const QColor kPaper(255, 255, 250);
const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);

// Draws on a 20 x 20 canvas at twice the resolution, so the icon stays
// sharp on dense screens.
QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    return drawnIcon(20, draw);
}

void page(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    const qreal fold = 4;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter& p, const QRectF& r, int count)
{
    p.setPen(QPen(QColor(140, 140, 160), 1));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + 5.5 + i * 3;
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    }
}

void plus(QPainter& p, const QPointF& c, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c, 5, 5);
    p.setBrush(color);
    p.drawEllipse(c, 4.2, 4.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(c.x() - 0.9, c.y() - 2.6, 1.8, 5.2));
    p.drawRect(QRectF(c.x() - 2.6, c.y() - 0.9, 5.2, 1.8));
}

void cross(QPainter& p, const QPointF& c, qreal half, const QColor& color, qreal width = 2.4)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(half, -half), c + QPointF(-half, half));
}

void person(QPainter& p, const QPointF& head, qreal scale, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(head, 2.6 * scale, 2.6 * scale);
    QPainterPath body;
    body.moveTo(head + QPointF(-5 * scale, 9 * scale));
    body.quadTo(head + QPointF(-5 * scale, 3.5 * scale), head + QPointF(0, 3.5 * scale));
    body.quadTo(head + QPointF(5 * scale, 3.5 * scale), head + QPointF(5 * scale, 9 * scale));
    body.closeSubpath();
    p.drawPath(body);
}

void magnifier(QPainter& p, const QPointF& c, qreal radius)
{
    p.setBrush(QColor(200, 230, 255));
    p.setPen(QPen(kInk, 1.8));
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF edge = c + QPointF(radius * 0.72, radius * 0.72);
    p.drawLine(edge, edge + QPointF(4.5, 4.5));
}

void arrow(QPainter& p, bool forward, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPolygonF shape = forward ? QPolygonF({QPointF(3, 8), QPointF(11, 8), QPointF(11, 4), QPointF(17, 10),
                                           QPointF(11, 16), QPointF(11, 12), QPointF(3, 12)})
                              : QPolygonF({QPointF(17, 8), QPointF(9, 8), QPointF(9, 4), QPointF(3, 10), QPointF(9, 16),
                                           QPointF(9, 12), QPointF(17, 12)});
    p.drawPolygon(shape);
}

void picture(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 210, 250));
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 60));
    p.drawPolygon(QPolygonF({QPointF(r.left() + 0.5, r.bottom()),
                             QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45),
                             QPointF(r.left() + r.width() * 0.7, r.bottom() - r.height() * 0.25),
                             QPointF(r.right(), r.top() + r.height() * 0.5), QPointF(r.right(), r.bottom())}));
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QPointF(r.right() - 3, r.top() + 3), 1.8, 1.8);
}

void eye(QPainter& p)
{
    QPainterPath lid;
    lid.moveTo(2, 10);
    lid.quadTo(10, 2, 18, 10);
    lid.quadTo(10, 18, 2, 10);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(Qt::white);
    p.drawPath(lid);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 100, 170));
    p.drawEllipse(QPointF(10, 10), 3.4, 3.4);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(10, 10), 1.5, 1.5);
}

} // namespace

QIcon icon(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Close:
        return drawn([](QPainter& p) {
            // A door with the way out.
            p.setPen(QPen(QColor(90, 60, 30), 1));
            p.setBrush(QColor(160, 110, 60));
            p.drawRect(QRectF(4.5, 2.5, 9, 15));
            p.setBrush(QColor(250, 220, 80));
            p.drawEllipse(QPointF(11.5, 10.5), 1, 1);
            p.setPen(Qt::NoPen);
            p.setBrush(kRed);
            p.drawPolygon(QPolygonF({QPointF(14, 8), QPointF(18.5, 11), QPointF(14, 14)}));
        });
    case Glyph::NewRecord:
        return drawn([](QPainter& p) {
            page(p, QRectF(3.5, 1.5, 11, 15));
            textLines(p, QRectF(3.5, 1.5, 11, 15), 2);
            plus(p, QPointF(14.5, 14.5), kGreen);
        });
    case Glyph::AddRecord:
        return drawn([](QPainter& p) {
            // A household member added after the first.
            person(p, QPointF(7, 5), 1.0, QColor(70, 90, 160));
            person(p, QPointF(12, 7), 0.9, QColor(40, 60, 130));
            plus(p, QPointF(15, 15), kGreen);
        });
    case Glyph::Save:
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(20, 30, 80), 1));
            p.setBrush(QColor(40, 70, 160));
            p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 2.5, 9, 6));
            p.setBrush(QColor(190, 190, 200));
            p.drawRect(QRectF(5.5, 11.5, 9, 6));
            p.setBrush(QColor(40, 70, 160));
            p.drawRect(QRectF(11, 3.5, 2, 4));
        });
    case Glyph::Delete:
        return drawn([](QPainter& p) {
            page(p, QRectF(3.5, 1.5, 11, 15));
            textLines(p, QRectF(3.5, 1.5, 11, 15), 3);
            cross(p, QPointF(14, 14), 3.5, kRed, 2.6);
        });
    case Glyph::Cancel:
        return drawn([](QPainter& p) {
            // An arrow turning back.
            QPainterPath path;
            path.moveTo(15.5, 15);
            path.cubicTo(17, 7, 11, 4.5, 6, 7.5);
            p.setPen(QPen(QColor(170, 90, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(170, 90, 0));
            p.drawPolygon(QPolygonF({QPointF(2.5, 8.5), QPointF(8, 3.5), QPointF(9, 11)}));
        });
    case Glyph::Query:
        return drawn([](QPainter& p) {
            page(p, QRectF(2.5, 1.5, 11, 15));
            textLines(p, QRectF(2.5, 1.5, 11, 15), 3);
            magnifier(p, QPointF(11.5, 11.5), 3.6);
        });
    case Glyph::Wipe:
        return drawn([](QPainter& p) {
            // The register's drum with a red stroke through it.
            p.setPen(QPen(QColor(60, 60, 90), 1));
            p.setBrush(QColor(210, 200, 150));
            p.drawRect(QRectF(4, 5, 12, 10));
            p.drawEllipse(QRectF(4, 12, 12, 5));
            p.setBrush(QColor(235, 225, 170));
            p.drawEllipse(QRectF(4, 2.5, 12, 5));
            p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2.5, 17.5), QPointF(17.5, 2.5));
        });
    case Glyph::Help:
        return drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 90, 190));
            p.drawEllipse(QPointF(10, 10), 8, 8);
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(13);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(2, 2, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        });
    case Glyph::Find:
        return drawn([](QPainter& p) { magnifier(p, QPointF(8, 8), 5); });
    case Glyph::PhotoLoad:
        return drawn([](QPainter& p) {
            picture(p, QRectF(1.5, 3.5, 13, 10));
            plus(p, QPointF(14.5, 14.5), kGreen);
        });
    case Glyph::PhotoDelete:
        return drawn([](QPainter& p) {
            picture(p, QRectF(1.5, 3.5, 13, 10));
            cross(p, QPointF(14.5, 14.5), 3.2, kRed);
        });
    case Glyph::PhotoShow:
        return drawn([](QPainter& p) { eye(p); });
    case Glyph::PhotoHide:
        return drawn([](QPainter& p) {
            eye(p);
            p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(3, 17), QPointF(17, 3));
        });
    case Glyph::Undo:
        return drawn([](QPainter& p) {
            QPainterPath path;
            path.moveTo(15, 16);
            path.cubicTo(18, 8, 12, 4, 6, 7);
            p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({QPointF(2.5, 8), QPointF(8, 3), QPointF(8.5, 11)}));
        });
    case Glyph::PageBack:
        return drawn([](QPainter& p) { arrow(p, false, QColor(0, 90, 160)); });
    case Glyph::PageForward:
        return drawn([](QPainter& p) { arrow(p, true, QColor(0, 90, 160)); });
    case Glyph::MoveOutAdd:
        return drawn([](QPainter& p) {
            person(p, QPointF(6, 5), 1.0, QColor(70, 90, 160));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 100, 0));
            p.drawPolygon(QPolygonF({QPointF(9, 12), QPointF(14, 12), QPointF(14, 9), QPointF(19, 13.5),
                                     QPointF(14, 18), QPointF(14, 15), QPointF(9, 15)}));
        });
    case Glyph::Today:
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 3.5, 15, 14));
            p.setBrush(kRed);
            p.drawRect(QRectF(2.5, 3.5, 15, 4));
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(8);
            f.setBold(true);
            p.setFont(f);
            p.setPen(kInk);
            p.drawText(QRectF(2.5, 7.5, 15, 10), Qt::AlignCenter, QStringLiteral("1"));
        });
    }
    return {};
}

QIcon certificate(const QColor& band, const QString& tag)
{
    return drawn([band, tag](QPainter& p) {
        page(p, QRectF(2.5, 1.5, 14, 17));
        p.setPen(Qt::NoPen);
        p.setBrush(band);
        p.drawRect(QRectF(3, 8, 13, 7));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 8, 13, 7), Qt::AlignCenter, tag);
        p.setPen(QPen(QColor(140, 140, 160), 1));
        p.drawLine(QPointF(5, 4.5), QPointF(12, 4.5));
        p.drawLine(QPointF(5, 17), QPointF(14, 17));
    });
}

} // namespace zelvar::registericons
