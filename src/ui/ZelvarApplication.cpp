#include "ui/ZelvarApplication.h"

#include "report/ReportFonts.h"
#include "ui/ErrorHandler.h"

#include <QPixmapCache>

namespace zelvar {

namespace {

constexpr int kPixmapCacheKiB = 2048;

} // namespace

ZelvarApplication::ZelvarApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    report::ReportFonts::installSubstitutions();
    // The style keeps drawn pieces of controls (frames, buttons, gradients)
    // for reuse, by default up to 10 MB: after a few windows and a preview
    // the program would keep that much for pictures it can draw again.
    QPixmapCache::setCacheLimit(kPixmapCacheKiB);
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
