// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DocumentArea.h"

#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace zelvar {

QList<QRect> backgroundTiles(const QSize& tile, const QSize& area)
{
    QList<QRect> tiles;
    if (tile.isEmpty() || area.isEmpty())
        return tiles;
    for (int row = 0; row <= area.height() / tile.height(); ++row)
        for (int column = 0; column <= area.width() / tile.width(); ++column)
            tiles << QRect(QPoint(column * tile.width(), row * tile.height()), tile);
    return tiles;
}

QList<QPoint> cascadePositions(int count, int step, const QSize& area, const QSize& room)
{
    QList<QPoint> positions;
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        QPoint p(offset, offset);
        if (offset > 0 && (p.x() + room.width() > area.width() || p.y() + room.height() > area.height())) {
            offset = 0;
            p = QPoint(0, 0);
        }
        positions << p;
        offset += step;
    }
    return positions;
}

QList<QPoint> iconPositions(const QList<QSize>& sizes, const QSize& area)
{
    QList<QPoint> positions;
    int x = 0;
    int rowBottom = area.height();
    int rowHeight = 0;
    for (const QSize& s : sizes) {
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        positions << QPoint(x, rowBottom - s.height());
        x += s.width();
        rowHeight = std::max(rowHeight, s.height());
    }
    return positions;
}

DocumentArea::DocumentArea(QWidget* parent)
    : QMdiArea(parent)
{
    // Under the tiles, the frame's dark navy.
    setBackground(QColor(0, 0, 64));
    setAccessibleName(QStringLiteral("Pencereler"));
}

void DocumentArea::setTile(const QPixmap& tile)
{
    m_tile = tile;
    viewport()->update();
}

void DocumentArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), background());
    if (m_tile.isNull())
        return;
    for (const QRect& r : backgroundTiles(m_tile.size(), viewport()->size()))
        if (r.intersects(event->rect()))
            painter.drawPixmap(r.topLeft(), m_tile);
}

void DocumentArea::cascade()
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::StackingOrder))
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()) + 4;
    const QSize room(step * 4, step * 3);
    const QList<QPoint> places = cascadePositions(windows.size(), step, viewport()->size(), room);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->move(places[i]);
    }
}

void DocumentArea::arrangeIcons()
{
    QList<QMdiSubWindow*> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && w->isMinimized()) {
            icons << w;
            sizes << w->size();
        }
    const QList<QPoint> places = iconPositions(sizes, viewport()->size());
    for (int i = 0; i < icons.size(); ++i)
        icons[i]->move(places[i]);
}

} // namespace zelvar
