// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds a control of a window by its object name; a name that no control
// carries stops the test run with the name.
#include <QObject>
#include <QString>

namespace zelvar::testing {

template <class T = class QWidget>
T* child(const QObject* parent, const QString& name)
{
    T* found = parent ? parent->findChild<T*>(name) : nullptr;
    if (!found)
        qFatal("no control named \"%s\"", qPrintable(name));
    return found;
}

template <class T = class QWidget>
T* child(const QObject& parent, const QString& name)
{
    return child<T>(&parent, name);
}

} // namespace zelvar::testing
