// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A digital clock, "HH:mm:ss" in 24-hour time, light text on a dark panel
// with a lowered edge.
#include <QColor>
#include <QLabel>

class QTimer;

namespace zelvar {

class Clock;

class DigitalClock : public QLabel {
    Q_OBJECT
public:
    DigitalClock(const Clock& clock, int pixelSize, QWidget* parent = nullptr);
    void setColors(const QColor& text, const QColor& back);

    static QColor defaultText() { return QColor(202, 202, 255); }
    static QColor defaultBack() { return QColor(0, 0, 64); }

public slots:
    void tick();

private:
    const Clock& m_clock;
    QTimer* m_timer;
};

} // namespace zelvar
