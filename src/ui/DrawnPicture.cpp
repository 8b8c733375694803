// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DrawnPicture.h"

#include <QPainter>

namespace zelvar {

QPixmap drawnPicture(QSize size, const std::function<void(QPainter&)>& draw, qreal pixelRatio)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return pixmap;
}

QIcon drawnIcon(int side, const std::function<void(QPainter&)>& draw, qreal pixelRatio)
{
    return QIcon(drawnPicture(QSize(side, side), draw, pixelRatio));
}

} // namespace zelvar
