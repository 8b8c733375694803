// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FixedFrame.h"

#include <QEvent>
#include <QHoverEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStyle>

namespace zelvar {

FixedFrame::FixedFrame(QWidget* content)
    : QObject(content),
      m_content(content)
{
    content->installEventFilter(this);
    watchFrame();
}

bool FixedFrame::isBorder(const QWidget* content, const QPoint& pos)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(content->parentWidget());
    if (!frame || frame->isMaximized() || frame->isMinimized() || content->geometry().contains(pos))
        return false;
    const int edge = frame->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, frame);
    const bool titleBar =
        pos.y() >= edge && pos.y() < content->y() && pos.x() >= edge && pos.x() < frame->width() - edge;
    return !titleBar;
}

void FixedFrame::watchFrame()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(m_content->parentWidget());
    if (frame == m_frame)
        return;
    if (m_frame)
        m_frame->removeEventFilter(this);
    m_frame = frame;
    if (m_frame)
        m_frame->installEventFilter(this);
}

bool FixedFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_content) {
        if (event->type() == QEvent::ParentChange)
            watchFrame();
        return false;
    }
    if (watched != m_frame)
        return false;
    // The frame picks its drag on move and hover; it never hears them over
    // the border.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return isBorder(m_content, static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
        return isBorder(m_content, static_cast<QHoverEvent*>(event)->position().toPoint());
    default:
        return false;
    }
}

} // namespace zelvar
