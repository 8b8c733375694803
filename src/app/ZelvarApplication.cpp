#include "app/ZelvarApplication.h"

#include <QDebug>

namespace zelvar {

ZelvarApplication::ZelvarApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool ZelvarApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        qCritical() << "Zelvar: an error escaped an event handler:" << error.what();
    } catch (...) {
        qCritical() << "Zelvar: an error escaped an event handler";
    }
    // The interrupted handler is abandoned; the event counts as not handled.
    return false;
}

} // namespace zelvar
