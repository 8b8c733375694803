// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScrollingStrip.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace zelvar {

namespace {
const QColor kNavy(0, 0, 64);
const QColor kLightType(210, 210, 255);
const QString kGap = QStringLiteral("      •      ");
constexpr int kTickMs = 30;
} // namespace

ScrollingStrip::ScrollingStrip(const QStringList& lines, QWidget* parent)
    : QWidget(parent),
      m_timer(new QTimer(this))
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setLines(lines);
    connect(m_timer, &QTimer::timeout, this, [this] { advance(1); });
}

void ScrollingStrip::setLines(const QStringList& lines)
{
    m_lines = lines;
    m_text = lines.join(kGap);
    m_textWidth = fontMetrics().horizontalAdvance(m_text + kGap);
    m_offset = 0;
    setAccessibleName(m_text);
    update();
}

int ScrollingStrip::cycleLength() const
{
    return width() + m_textWidth;
}

void ScrollingStrip::advance(int pixels)
{
    const int cycle = std::max(cycleLength(), 1);
    m_offset = (m_offset + pixels) % cycle;
    update();
}

bool ScrollingStrip::isRunning() const
{
    return m_timer->isActive();
}

void ScrollingStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kNavy);
    p.setPen(kLightType);
    const int x = width() - m_offset;
    p.drawText(QRect(x, 0, m_textWidth + 4, height()), Qt::AlignVCenter | Qt::AlignLeft, m_text);
}

void ScrollingStrip::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The text's width is measured once per text and font, not on every
    // step of the strip.
    if (event->type() == QEvent::FontChange)
        m_textWidth = fontMetrics().horizontalAdvance(m_text + kGap);
}

void ScrollingStrip::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_timer->start(kTickMs);
}

void ScrollingStrip::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

} // namespace zelvar
