// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WaitCursor.h"

#include <QApplication>

namespace zelvar {

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace zelvar
