// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/RegisterLook.h"

#include <QApplication>
#include <QPalette>

namespace zelvar {

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

} // namespace zelvar
