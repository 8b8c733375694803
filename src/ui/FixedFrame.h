// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FixedFrame: keeps a document window at its own size. The border of the
// document frame it is put in does not drag; the frame may still be moved by
// its title bar, maximised and minimised. It follows the window into
// whatever frame it is given.
#include <QObject>
#include <QPointer>

class QMdiSubWindow;
class QPoint;
class QWidget;

namespace zelvar {

class FixedFrame : public QObject {
public:
    explicit FixedFrame(QWidget* content);

    // True when a mouse event at pos on the content's document frame would
    // drag its border.
    static bool isBorder(const QWidget* content, const QPoint& pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchFrame();

    QWidget* m_content;
    // The document frame now watched. Held as a QObject: the frame sends
    // events while it is destroyed, when it is no longer a QMdiSubWindow.
    QPointer<QObject> m_frame;
};

} // namespace zelvar
