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
