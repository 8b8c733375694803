// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ZelvarApplication: the application object. Commands catch their own errors
// where they start and hand them to the application error handler; an error
// that still escapes an event handler is caught here as a last resort and
// logged, so that it never ends the program.
#include <QApplication>

namespace zelvar {

class ZelvarApplication : public QApplication {
    Q_OBJECT
public:
    ZelvarApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zelvar
