// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowGuard.h"

#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace zelvar {

WindowGuard::WindowGuard(QMdiArea* area, CaptionTest matches)
    : m_area(area),
      m_matches(std::move(matches))
{
}

WindowGuard::CaptionTest WindowGuard::exactCaption(const QString& caption)
{
    return [caption](const QString& c) { return c == caption; };
}

WindowGuard::CaptionTest WindowGuard::firstLetter(QChar letter)
{
    return [letter](const QString& c) { return !c.isEmpty() && c.at(0) == letter; };
}

QWidget* WindowGuard::remembered() const
{
    return m_frame ? m_frame->widget() : nullptr;
}

QMdiSubWindow* WindowGuard::findOpen() const
{
    for (QMdiSubWindow* w : m_area->subWindowList(QMdiArea::CreationOrder)) {
        const QString caption = w->widget() ? w->widget()->windowTitle() : w->windowTitle();
        if (m_matches(caption))
            return w;
    }
    return nullptr;
}

QWidget* WindowGuard::open(const Factory& create, bool showNormal)
{
    if (QMdiSubWindow* found = findOpen()) {
        // The remembered window is the one brought forward; should it be
        // gone, the open window that matched stands in for it.
        QMdiSubWindow* target = m_frame ? m_frame.data() : found;
        target->raise();
        m_area->setActiveSubWindow(target);
        return target->widget();
    }
    if (!create)
        return nullptr;
    QWidget* content = create();
    if (!content)
        return nullptr;
    auto* frame = qobject_cast<QMdiSubWindow*>(content);
    // A window that set its own size keeps it inside the frame.
    const bool sized = !frame && content->testAttribute(Qt::WA_Resized);
    const QSize wanted = content->size();
    if (!frame || frame->mdiArea() != m_area) {
        frame = m_area->addSubWindow(content);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_frame = frame;
    if (showNormal)
        frame->showNormal();
    else
        frame->show();
    if (sized && frame->widget() && frame->layout()) {
        // The frame's title bar and borders, measured once it is laid out.
        frame->layout()->activate();
        frame->resize(frame->size() - frame->widget()->size() + wanted);
    }
    // Document windows open at the top-left corner of the area.
    frame->move(0, 0);
    frame->raise();
    m_area->setActiveSubWindow(frame);
    return frame->widget() ? frame->widget() : frame;
}

} // namespace zelvar
