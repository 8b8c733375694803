#include "ui/ZelvarApplication.h"

#include "ui/ErrorHandler.h"

namespace zelvar {

ZelvarApplication::ZelvarApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

ZelvarApplication* ZelvarApplication::instance()
{
    return qobject_cast<ZelvarApplication*>(QCoreApplication::instance());
}

bool ZelvarApplication::notify(QObject* receiver, QEvent* event)
{
    if (!m_errorHandler)
        return QApplication::notify(receiver, event);
    // The interrupted handler is abandoned; the event counts as not handled.
    return m_errorHandler->guard([&] { return QApplication::notify(receiver, event); });
}

} // namespace zelvar
