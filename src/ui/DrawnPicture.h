// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pictures drawn in code (icons, window pictures): a transparent
// canvas of the given size in device-independent pixels, painted with
// smoothing at the given pixel ratio so that it stays sharp on dense screens.
#include <QIcon>
#include <QPixmap>
#include <functional>

class QPainter;

namespace zelvar {

QPixmap drawnPicture(QSize size, const std::function<void(QPainter&)>& draw, qreal pixelRatio = 2.0);
QIcon drawnIcon(int side, const std::function<void(QPainter&)>& draw, qreal pixelRatio = 2.0);

} // namespace zelvar
