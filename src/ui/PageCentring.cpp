// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PageCentring.h"

#include <cmath>

namespace zelvar {

namespace {

int roundHalfEven(double value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return int(std::nearbyint(value));
}

} // namespace

QPoint centredPageOrigin(QSize client, QSize pages, int toolbarHeight)
{
    const int left = roundHalfEven((client.width() - pages.width()) / 2.0);
    const int top = roundHalfEven((client.height() - pages.height()) / 2.0) + roundHalfEven(toolbarHeight / 2.0);
    return {left, top};
}

} // namespace zelvar
