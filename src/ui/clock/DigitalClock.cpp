// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/DigitalClock.h"

#include "platform/Clock.h"

#include <QTimer>

namespace zelvar {

DigitalClock::DigitalClock(const Clock& clock, int pixelSize, QWidget* parent)
    : QLabel(parent),
      m_clock(clock),
      m_timer(new QTimer(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QFont f = font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    setFont(f);
    setColors(defaultText(), defaultBack());
    tick();
    connect(m_timer, &QTimer::timeout, this, &DigitalClock::tick);
    m_timer->start(250);
}

void DigitalClock::setColors(const QColor& text, const QColor& back)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, text);
    setPalette(pal);
}

void DigitalClock::tick()
{
    const QString text = m_clock.now().time().toString(QStringLiteral("HH:mm:ss"));
    if (text != this->text())
        setText(text);
}

} // namespace zelvar
