// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window's page control goes when the window is resized: centred in
// the client area, then moved down by half the toolbar. Each half is rounded
// to the nearest whole pixel, halves to the even neighbour; the toolbar's
// half is rounded on its own before it is added.
#include <QPoint>
#include <QSize>

namespace zelvar {

QPoint centredPageOrigin(QSize client, QSize pages, int toolbarHeight);

} // namespace zelvar
