// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SplashWindow: the borderless title picture on dark navy, centred on the
// screen. Shown at start while the tables open and again as the about
// window; a click on it closes it.
#include <QDialog>

namespace zelvar {

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    // Shows the window and paints it at once, before the start-up work
    // that follows blocks the event loop.
    void showNow();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zelvar
