#include "register/RegisterLook.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace zelvar {

namespace {

int roundHalfEven(double value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return int(std::nearbyint(value));
}

} // namespace

QColor colorOf(ColorState state)
{
    switch (state) {
    case ColorState::Normal:
        return QApplication::palette().color(QPalette::Active, QPalette::Base);
    case ColorState::Entry:
        return QColor(210, 210, 255);
    case ColorState::SurnameFilter:
        return QColor(0, 255, 255);
    case ColorState::MovedOut:
        return QApplication::palette().color(QPalette::Active, QPalette::Button);
    }
    return {};
}

QPoint pageControlOrigin(QSize client, QSize pages, int toolbarHeight)
{
    const int left = roundHalfEven((client.width() - pages.width()) / 2.0);
    const int top = roundHalfEven((client.height() - pages.height()) / 2.0) + roundHalfEven(toolbarHeight / 2.0);
    return {left, top};
}

} // namespace zelvar
