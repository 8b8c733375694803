// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HintHandler.h"

#include <QApplication>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QWidget>

namespace zelvar {

HintHandler::HintHandler(QObject* parent)
    : QObject(parent)
{
}

HintHandler::~HintHandler()
{
    uninstall();
}

void HintHandler::install()
{
    if (!m_installed && qApp) {
        qApp->installEventFilter(this);
        m_installed = true;
    }
}

void HintHandler::uninstall()
{
    if (m_installed && qApp)
        qApp->removeEventFilter(this);
    m_installed = false;
}

void HintHandler::setPopupsEnabled(bool on)
{
    m_popups = on;
    if (!on)
        QToolTip::hideText();
}

QString HintHandler::hintOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (!w->toolTip().isEmpty())
            return w->toolTip();
    }
    return QString();
}

void HintHandler::setHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit hintChanged(hint);
}

bool HintHandler::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // Menu items and actions announce their hints this way.
        setHint(static_cast<QStatusTipEvent*>(event)->tip());
        break;
    case QEvent::Enter:
        if (watched->isWidgetType())
            setHint(hintOf(static_cast<QWidget*>(watched)));
        break;
    case QEvent::Leave:
        // Back over the control around it; entering a neighbour follows.
        if (watched->isWidgetType()) {
            const auto* left = static_cast<QWidget*>(watched);
            setHint(left->isWindow() ? QString() : hintOf(left->parentWidget()));
        }
        break;
    case QEvent::ToolTip:
        if (!m_popups)
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelvar
