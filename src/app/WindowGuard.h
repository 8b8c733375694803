// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WindowGuard: keeps a kind of document window single. It looks through the
// open document windows for one whose caption matches; if there is one, the
// window of that kind created last is brought to the front; otherwise a new
// one is created, remembered and shown.
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace zelvar {

class WindowGuard {
public:
    using CaptionTest = std::function<bool(const QString& caption)>;
    using Factory = std::function<QWidget*()>;

    WindowGuard(QMdiArea* area, CaptionTest matches);

    // A caption exactly equal to the given one.
    static CaptionTest exactCaption(const QString& caption);
    // A caption that begins with the given letter.
    static CaptionTest firstLetter(QChar letter);

    // Brings the open window forward or creates one with the factory.
    // Returns the window's content, or nullptr when the factory made none.
    // A created window opens at the area's top-left corner, at the size its
    // content chose, in normal state when showNormal is set.
    QWidget* open(const Factory& create, bool showNormal = false);

    // The window of this kind created last, while it is open.
    QWidget* remembered() const;
    QMdiSubWindow* rememberedFrame() const { return m_frame; }

private:
    QMdiSubWindow* findOpen() const;

    QMdiArea* m_area;
    CaptionTest m_matches;
    QPointer<QMdiSubWindow> m_frame;
};

} // namespace zelvar
