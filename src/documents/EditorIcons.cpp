// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EditorIcons.h"

#include "ui/DrawnPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace zelvar::editoricons {

namespace {

const QColor kInk(0, 0, 96);
const QColor kPaper(255, 255, 250);
const QColor kEdge(90, 90, 90);

void page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kEdge, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void lines(QPainter& p, const QRectF& r, int count, Qt::Alignment align)
{
    p.setPen(QPen(kInk, 1.4));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + i * r.height() / (count - 1);
        const qreal width = (i % 2) ? r.width() * 0.62 : r.width();
        qreal left = r.left();
        if (align & Qt::AlignHCenter)
            left = r.center().x() - width / 2;
        else if (align & Qt::AlignRight)
            left = r.right() - width;
        p.drawLine(QPointF(left, y), QPointF(left + width, y));
    }
}

void letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline, const QColor& color = kInk)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(15);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, text);
}

void drawGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Close:
        p.setPen(QPen(QColor(192, 0, 0), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case Glyph::Open: {
        p.setPen(QPen(QColor(140, 100, 0), 1));
        p.setBrush(QColor(235, 190, 70));
        p.drawRect(QRectF(2.5, 5.5, 14, 11));
        QPainterPath flap;
        flap.moveTo(2.5, 16.5);
        flap.lineTo(6, 9.5);
        flap.lineTo(18.5, 9.5);
        flap.lineTo(15.5, 16.5);
        flap.closeSubpath();
        p.setBrush(QColor(250, 215, 110));
        p.drawPath(flap);
        break;
    }
    case Glyph::Save:
        p.setPen(QPen(QColor(20, 20, 80), 1));
        p.setBrush(QColor(60, 80, 170));
        p.drawRect(QRectF(3.5, 3.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 4, 8, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(6, 11.5, 8, 5));
        break;
    case Glyph::Print:
        page(p, QRectF(6.5, 2.5, 7, 6));
        p.setPen(QPen(kEdge, 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(2.5, 8.5, 15, 6));
        page(p, QRectF(5.5, 12.5, 9, 5));
        break;
    case Glyph::Cut:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 15), 2.6, 2.6);
        p.drawEllipse(QPointF(14, 15), 2.6, 2.6);
        p.drawLine(QPointF(7.5, 13), QPointF(13, 3));
        p.drawLine(QPointF(12.5, 13), QPointF(7, 3));
        break;
    case Glyph::Copy:
        page(p, QRectF(3.5, 2.5, 9, 11));
        page(p, QRectF(7.5, 6.5, 9, 11));
        lines(p, QRectF(9.5, 9.5, 5, 5), 3, Qt::AlignLeft);
        break;
    case Glyph::Paste:
        p.setPen(QPen(QColor(110, 70, 20), 1));
        p.setBrush(QColor(190, 140, 70));
        p.drawRect(QRectF(3.5, 3.5, 11, 14));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(6.5, 2.5, 5, 3));
        page(p, QRectF(9.5, 8.5, 8, 10));
        break;
    case Glyph::Undo: {
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(5, 8);
        arc.cubicTo(9, 4, 17, 5, 16, 12);
        arc.cubicTo(15.5, 15, 12, 16, 9, 16);
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        QPainterPath head;
        head.moveTo(2.5, 9.5);
        head.lineTo(8.5, 4.5);
        head.lineTo(8.5, 11.5);
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    case Glyph::Delete:
        page(p, QRectF(4.5, 2.5, 11, 15));
        p.setPen(QPen(QColor(192, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 7), QPointF(13, 13));
        p.drawLine(QPointF(13, 7), QPointF(7, 13));
        break;
    case Glyph::SelectAll:
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.setBrush(QColor(190, 210, 255));
        p.drawRect(QRectF(2.5, 3.5, 15, 13));
        lines(p, QRectF(5, 7, 10, 6), 3, Qt::AlignLeft);
        break;
    case Glyph::AlignLeft:
        lines(p, QRectF(3, 4, 14, 12), 5, Qt::AlignLeft);
        break;
    case Glyph::Center:
        lines(p, QRectF(3, 4, 14, 12), 5, Qt::AlignHCenter);
        break;
    case Glyph::AlignRight:
        lines(p, QRectF(3, 4, 14, 12), 5, Qt::AlignRight);
        break;
    case Glyph::Bold:
        letter(p, QStringLiteral("K"), true, false, false);
        break;
    case Glyph::Italic:
        letter(p, QStringLiteral("İ"), false, true, false);
        break;
    case Glyph::Underline:
        letter(p, QStringLiteral("A"), false, false, true);
        break;
    case Glyph::Font:
        letter(p, QStringLiteral("F"), true, false, false, QColor(170, 0, 0));
        break;
    case Glyph::Help:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 200));
        p.drawEllipse(QPointF(10, 10), 8, 8);
        letter(p, QStringLiteral("?"), true, false, false, Qt::white);
        break;
    }
}

} // namespace

QIcon icon(Glyph glyph)
{
    return drawnIcon(20, [glyph](QPainter& p) { drawGlyph(p, glyph); });
}

} // namespace zelvar::editoricons
