#pragma once
// ZelvarApplication: the application object. An error escaping an event
// handler is caught in notify() and handed to the installed error handler,
// so that one failed operation never ends the program.
#include <QApplication>

namespace zelvar {

class ErrorHandler;

class ZelvarApplication : public QApplication {
    Q_OBJECT
public:
    ZelvarApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    void setErrorHandler(ErrorHandler* handler) { m_errorHandler = handler; }
    ErrorHandler* errorHandler() const { return m_errorHandler; }

    // The running instance, or nullptr when the application is a plain
    // QApplication (as in the tests).
    static ZelvarApplication* instance();

private:
    ErrorHandler* m_errorHandler = nullptr;
};

} // namespace zelvar
