// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <functional>

namespace zelvar::artwork {

namespace {

const QColor kNavy(0, 0, 64);
const QColor kGold(232, 196, 96);

// ------------------------------------------------------------ background

// A quiet lattice of rings on deep blue. Every motif that crosses an edge is
// drawn again on the opposite edge, so the tiles join without a seam.
void drawWrapped(QPainter&, const QSize& size, const std::function<void(QPointF)>& draw, QPointF at)
{
    for (int dx : {-1, 0, 1})
        for (int dy : {-1, 0, 1})
            draw(at + QPointF(dx * size.width(), dy * size.height()));
}

} // namespace

QPixmap backgroundTile()
{
    const QSize size(200, 201);
    QPixmap tile(size);
    tile.fill(QColor(28, 40, 82));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);

    const auto ring = [&p](QPointF c) {
        p.setPen(QPen(QColor(60, 78, 130), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 46, 46);
        p.setPen(QPen(QColor(48, 64, 112), 1));
        p.drawEllipse(c, 34, 34);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 90, 146));
        p.drawEllipse(c, 4, 4);
    };
    const auto star = [&p](QPointF c) {
        QPainterPath path;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2) ? 4.0 : 10.0;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt = c + QPointF(r * qCos(a), r * qSin(a));
            i == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(54, 70, 120));
        p.drawPath(path);
    };
    drawWrapped(p, size, ring, QPointF(0, 0));
    drawWrapped(p, size, ring, QPointF(100, 100.5));
    drawWrapped(p, size, star, QPointF(100, 0));
    drawWrapped(p, size, star, QPointF(0, 100.5));
    return tile;
}

// ----------------------------------------------------------------- splash

QPixmap splashPicture()
{
    QPixmap pic(371, 262);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 262);
    sky.setColorAt(0, QColor(16, 24, 96));
    sky.setColorAt(1, kNavy);
    p.fillRect(pic.rect(), sky);

    // A thin gold frame.
    p.setPen(QPen(kGold, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 359, 250));
    p.setPen(QPen(QColor(232, 196, 96, 110), 1));
    p.drawRect(QRectF(11, 11, 349, 240));

    // The emblem: a small office building under a crescent and star.
    const QPointF e(68, 92);
    QRadialGradient glow(e, 52);
    glow.setColorAt(0, QColor(70, 90, 180));
    glow.setColorAt(1, QColor(16, 24, 96, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(e, 52, 52);
    p.setBrush(QColor(236, 236, 246));
    p.drawRect(QRectF(e.x() - 26, e.y() - 4, 52, 34));
    QPolygonF roof;
    roof << QPointF(e.x() - 32, e.y() - 4) << QPointF(e.x(), e.y() - 26) << QPointF(e.x() + 32, e.y() - 4);
    p.setBrush(QColor(190, 40, 40));
    p.drawPolygon(roof);
    p.setBrush(kNavy);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(e.x() - 20 + i * 15, e.y() + 4, 9, 10));
    p.drawRect(QRectF(e.x() - 5, e.y() + 18, 10, 12));
    // Crescent and star above the roof.
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(e.x() - 4, e.y() - 42), 9, 9);
    p.setBrush(QColor(16, 24, 96));
    p.drawEllipse(QPointF(e.x() - 1, e.y() - 42), 7.5, 7.5);
    QPainterPath star;
    const QPointF sc(e.x() + 11, e.y() - 42);
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? 1.6 : 4.2;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt = sc + QPointF(r * qCos(a), r * qSin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    p.setBrush(Qt::white);
    p.drawPath(star);

    // The title.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRectF(132, 52, 230, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zelvar"));
    p.setPen(kGold);
    p.drawText(QRectF(130, 50, 230, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zelvar"));
    title.setPixelSize(28);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(130, 98, 230, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2001"));

    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPixelSize(13);
    p.setFont(text);
    p.setPen(QColor(210, 216, 255));
    p.drawText(QRectF(20, 160, 331, 20), Qt::AlignCenter, QStringLiteral("Muhtarlık Kayıt ve Belge Programı"));
    text.setPixelSize(11);
    p.setFont(text);
    p.setPen(QColor(170, 180, 230));
    p.drawText(QRectF(20, 182, 331, 18), Qt::AlignCenter, QStringLiteral("Mahalle ve köy muhtarlıkları için"));
    p.setPen(QPen(QColor(232, 196, 96, 150), 1));
    p.drawLine(QPointF(70, 210), QPointF(301, 210));
    p.setPen(kGold);
    p.drawText(QRectF(20, 218, 331, 18), Qt::AlignCenter, QStringLiteral("sürüm s.5.01"));
    return pic;
}

// ------------------------------------------------------------------ icons

namespace {

// Icons are drawn on a 24 × 24 grid, twice over for sharp edges.
constexpr int kGrid = 24;
constexpr int kScale = 2;

QPen outline(const QColor& c = QColor(30, 30, 40), double w = 1.2)
{
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void page(QPainter& p, const QRectF& r, const QColor& fill = Qt::white)
{
    p.setPen(outline());
    p.setBrush(fill);
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.drawPath(path);
}

void lines(QPainter& p, double x0, double x1, double y0, int count, double step, const QColor& c)
{
    p.setPen(outline(c, 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x0, y0 + i * step), QPointF(x1, y0 + i * step));
}

void letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, int pixel, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixel);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void bulb(QPainter& p, bool lit)
{
    if (lit) {
        QRadialGradient g(QPointF(12, 9), 10);
        g.setColorAt(0, QColor(255, 255, 200));
        g.setColorAt(1, QColor(255, 210, 40));
        p.setBrush(g);
    } else {
        p.setBrush(QColor(200, 200, 205));
    }
    p.setPen(outline());
    QPainterPath glass;
    glass.addEllipse(QPointF(12, 9), 6.5, 6.5);
    p.drawPath(glass);
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(9, 15, 6, 5));
    p.drawLine(QPointF(9, 17.5), QPointF(15, 17.5));
    if (lit) {
        p.setPen(outline(QColor(230, 170, 0), 1.2));
        p.drawLine(QPointF(2, 9), QPointF(4, 9));
        p.drawLine(QPointF(20, 9), QPointF(22, 9));
        p.drawLine(QPointF(5, 2.5), QPointF(6.5, 4));
        p.drawLine(QPointF(19, 2.5), QPointF(17.5, 4));
    }
}

void draw(QPainter& p, Icon which)
{
    switch (which) {
    case Icon::Exit: {
        p.setPen(outline());
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(4, 3, 10, 18));
        p.setBrush(QColor(230, 200, 120));
        p.drawEllipse(QPointF(11.5, 12), 1, 1);
        p.setPen(outline(QColor(200, 30, 30), 2.4));
        p.drawLine(QPointF(13, 12), QPointF(21, 12));
        p.drawLine(QPointF(18, 8.5), QPointF(21.5, 12));
        p.drawLine(QPointF(18, 15.5), QPointF(21.5, 12));
        break;
    }
    case Icon::Register: {
        // A card-index box with a resident's card.
        p.setPen(outline());
        p.setBrush(QColor(180, 140, 90));
        p.drawRect(QRectF(2, 12, 20, 9));
        p.setBrush(QColor(250, 250, 235));
        p.drawRect(QRectF(5, 3, 15, 12));
        p.setBrush(QColor(60, 90, 170));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(9, 7), 2, 2);
        p.drawChord(QRectF(5.5, 8.5, 7, 7), 0, 180 * 16);
        lines(p, 13, 18, 6, 3, 2.5, QColor(120, 120, 140));
        p.setPen(outline());
        p.setBrush(QColor(150, 110, 60));
        p.drawRect(QRectF(9, 15.5, 6, 2));
        break;
    }
    case Icon::Statistics: {
        p.setPen(outline());
        p.drawLine(QPointF(3, 3), QPointF(3, 21));
        p.drawLine(QPointF(3, 21), QPointF(22, 21));
        const QColor colours[] = {QColor(220, 60, 60), QColor(60, 160, 60), QColor(60, 100, 210)};
        const double heights[] = {8, 15, 11};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(6 + i * 5.5, 21 - heights[i], 4, heights[i]));
        }
        break;
    }
    case Icon::Editor: {
        page(p, QRectF(3, 2, 14, 19));
        lines(p, 5.5, 14, 7, 5, 2.6, QColor(90, 90, 120));
        // A pencil across the page.
        p.save();
        p.translate(17, 14);
        p.rotate(45);
        p.setPen(outline());
        p.setBrush(QColor(250, 200, 40));
        p.drawRect(QRectF(-2, -9, 4, 12));
        p.setBrush(QColor(240, 180, 150));
        QPolygonF tip;
        tip << QPointF(-2, 3) << QPointF(2, 3) << QPointF(0, 7);
        p.drawPolygon(tip);
        p.restore();
        break;
    }
    case Icon::AddressBook: {
        p.setPen(outline());
        p.setBrush(QColor(40, 110, 60));
        p.drawRoundedRect(QRectF(4, 2, 16, 20), 1.5, 1.5);
        p.setBrush(QColor(20, 70, 40));
        p.drawRect(QRectF(4, 2, 3, 20));
        letter(p, QRectF(7, 4, 13, 16), QStringLiteral("@"), Qt::white, 13);
        break;
    }
    case Icon::Diary: {
        p.setPen(outline());
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 4, 18, 17));
        p.setBrush(QColor(200, 40, 40));
        p.drawRect(QRectF(3, 4, 18, 5));
        p.setBrush(QColor(90, 90, 100));
        p.drawRect(QRectF(7, 2, 1.5, 4));
        p.drawRect(QRectF(15.5, 2, 1.5, 4));
        letter(p, QRectF(3, 9, 18, 12), QStringLiteral("30"), QColor(30, 30, 60), 9);
        break;
    }
    case Icon::Notebook: {
        p.setPen(outline());
        p.setBrush(QColor(255, 250, 200));
        p.drawRect(QRectF(6, 2, 15, 20));
        lines(p, 9, 19, 7, 5, 3, QColor(120, 150, 210));
        p.setPen(outline(QColor(80, 80, 90), 1.4));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QRectF(3.5, 3.5 + i * 4, 4, 2.4));
        break;
    }
    case Icon::DataWizard: {
        p.setPen(outline(QColor(30, 30, 40), 2.2));
        p.drawLine(QPointF(4, 21), QPointF(15, 10));
        p.setPen(outline(Qt::white, 2.2));
        p.drawLine(QPointF(13.5, 11.5), QPointF(15, 10));
        const auto sparkle = [&p](QPointF c, double r, const QColor& col) {
            QPainterPath s;
            for (int i = 0; i < 8; ++i) {
                const double rr = (i % 2) ? r * 0.35 : r;
                const double a = i * M_PI / 4;
                const QPointF pt = c + QPointF(rr * qCos(a), rr * qSin(a));
                i == 0 ? s.moveTo(pt) : s.lineTo(pt);
            }
            s.closeSubpath();
            p.setPen(outline(QColor(160, 110, 0), 0.6));
            p.setBrush(col);
            p.drawPath(s);
        };
        sparkle(QPointF(17.5, 6.5), 5, QColor(255, 215, 40));
        sparkle(QPointF(8, 5), 2.8, QColor(120, 200, 255));
        sparkle(QPointF(20, 15), 2.8, QColor(255, 140, 200));
        break;
    }
    case Icon::Clock: {
        p.setPen(outline());
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            p.drawLine(QPointF(12 + 7.5 * qCos(a), 12 + 7.5 * qSin(a)),
                       QPointF(12 + 8.6 * qCos(a), 12 + 8.6 * qSin(a)));
        }
        p.setPen(outline(QColor(30, 30, 40), 1.6));
        p.drawLine(QPointF(12, 12), QPointF(12, 6));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        p.setPen(outline(QColor(200, 30, 30), 0.9));
        p.drawLine(QPointF(12, 12), QPointF(7, 16));
        break;
    }
    case Icon::Settings: {
        // The neighbourhood: two houses under a flag.
        p.setPen(outline());
        p.setBrush(QColor(240, 230, 210));
        p.drawRect(QRectF(3, 13, 8, 8));
        p.drawRect(QRectF(12, 11, 9, 10));
        p.setBrush(QColor(190, 60, 40));
        QPolygonF r1, r2;
        r1 << QPointF(2, 13) << QPointF(7, 8.5) << QPointF(12, 13);
        r2 << QPointF(11, 11) << QPointF(16.5, 6) << QPointF(22, 11);
        p.drawPolygon(r1);
        p.drawPolygon(r2);
        p.drawLine(QPointF(16.5, 6), QPointF(16.5, 1.5));
        p.setBrush(QColor(220, 20, 30));
        p.drawRect(QRectF(16.5, 1.5, 5, 3));
        break;
    }
    case Icon::Password: {
        p.setPen(outline());
        p.setBrush(QColor(240, 190, 40));
        p.drawEllipse(QPointF(7.5, 12), 5, 5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.5, 12), 1.6, 1.6);
        p.setBrush(QColor(240, 190, 40));
        QPainterPath shaft;
        shaft.moveTo(12, 10.5);
        shaft.lineTo(22, 10.5);
        shaft.lineTo(22, 13.5);
        shaft.lineTo(20.5, 13.5);
        shaft.lineTo(20.5, 16);
        shaft.lineTo(18.5, 16);
        shaft.lineTo(18.5, 13.5);
        shaft.lineTo(16.5, 13.5);
        shaft.lineTo(16.5, 15);
        shaft.lineTo(14.5, 15);
        shaft.lineTo(14.5, 13.5);
        shaft.lineTo(12, 13.5);
        shaft.closeSubpath();
        p.drawPath(shaft);
        break;
    }
    case Icon::HintsOn:
        bulb(p, true);
        break;
    case Icon::HintsOff:
        bulb(p, false);
        break;
    case Icon::Reminder: {
        p.setPen(outline());
        p.setBrush(QColor(250, 200, 40));
        QPainterPath bell;
        bell.moveTo(4, 18);
        bell.cubicTo(7, 16, 6, 6, 12, 5);
        bell.cubicTo(18, 6, 17, 16, 20, 18);
        bell.closeSubpath();
        p.drawPath(bell);
        p.drawEllipse(QPointF(12, 20), 2, 2);
        p.drawEllipse(QPointF(12, 4), 1.2, 1.2);
        break;
    }
    case Icon::Calculator: {
        p.setPen(outline());
        p.setBrush(QColor(90, 95, 110));
        p.drawRoundedRect(QRectF(4, 2, 16, 20), 2, 2);
        p.setBrush(QColor(190, 220, 180));
        p.drawRect(QRectF(6.5, 4.5, 11, 4));
        p.setPen(Qt::NoPen);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                p.setBrush(c == 2 && r == 2 ? QColor(240, 130, 40) : QColor(235, 235, 240));
                p.drawRect(QRectF(6.5 + c * 4, 10.5 + r * 3.7, 3, 2.6));
            }
        break;
    }
    case Icon::WordPad: {
        page(p, QRectF(4, 2, 16, 20));
        letter(p, QRectF(4, 3, 11, 10), QStringLiteral("A"), QColor(40, 60, 160), 10);
        lines(p, 6.5, 17.5, 14, 3, 2.5, QColor(90, 90, 120));
        break;
    }
    case Icon::Word: {
        p.setPen(outline(QColor(20, 40, 110)));
        p.setBrush(QColor(40, 90, 190));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
        letter(p, QRectF(3, 3, 18, 18), QStringLiteral("W"), Qt::white, 14);
        break;
    }
    case Icon::Excel: {
        p.setPen(outline(QColor(20, 80, 40)));
        p.setBrush(QColor(30, 130, 70));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
        letter(p, QRectF(3, 3, 18, 18), QStringLiteral("X"), Qt::white, 14);
        break;
    }
    case Icon::Browser: {
        p.setPen(outline(QColor(20, 60, 120)));
        QRadialGradient g(QPointF(9, 9), 12);
        g.setColorAt(0, QColor(150, 200, 255));
        g.setColorAt(1, QColor(30, 100, 200));
        p.setBrush(g);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(outline(QColor(230, 240, 255), 0.9));
        p.drawEllipse(QPointF(12, 12), 4, 9.5);
        p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
        p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
        p.drawLine(QPointF(4, 7.5), QPointF(20, 7.5));
        p.drawLine(QPointF(4, 16.5), QPointF(20, 16.5));
        break;
    }
    case Icon::Music: {
        p.setPen(outline());
        p.setBrush(QColor(120, 60, 170));
        p.drawEllipse(QPointF(7, 18), 3.5, 2.6);
        p.drawEllipse(QPointF(17, 16), 3.5, 2.6);
        p.setPen(outline(QColor(30, 30, 40), 1.6));
        p.drawLine(QPointF(10.3, 18), QPointF(10.3, 5));
        p.drawLine(QPointF(20.3, 16), QPointF(20.3, 3));
        p.setPen(outline(QColor(30, 30, 40), 2.6));
        p.drawLine(QPointF(10.3, 5.3), QPointF(20.3, 3.3));
        break;
    }
    case Icon::Help: {
        p.setPen(outline(QColor(20, 50, 120)));
        p.setBrush(QColor(60, 110, 210));
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        letter(p, QRectF(2.5, 2.5, 19, 19), QStringLiteral("?"), Qt::white, 15);
        break;
    }
    case Icon::About: {
        p.setPen(outline(QColor(20, 40, 90)));
        p.setBrush(kNavy);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        letter(p, QRectF(2.5, 2.5, 19, 19), QStringLiteral("i"), kGold, 14);
        break;
    }
    }
}

} // namespace

QIcon icon(Icon which)
{
    QPixmap pix(kGrid * kScale, kGrid * kScale);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(kScale, kScale);
    draw(p, which);
    p.end();
    return QIcon(pix);
}

QIcon programIcon()
{
    QPixmap pix(64, 64);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(kGold, 3));
    p.setBrush(kNavy);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(44);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kGold);
    p.drawText(QRectF(3, 3, 58, 58), Qt::AlignCenter, QStringLiteral("Z"));
    p.end();
    return QIcon(pix);
}

} // namespace zelvar::artwork
