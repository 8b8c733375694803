// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clock: the current date and time, so tests can stand at any moment.
#include <QDateTime>

namespace zelvar {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace zelvar
