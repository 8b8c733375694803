#include "app/ZelvarApplication.h"

#include "app/ErrorHandler.h"

#include <QLibraryInfo>
#include <QPixmapCache>
#include <QTranslator>

namespace zelvar {

namespace {

constexpr int kPixmapCacheKiB = 2048;

} // namespace

ZelvarApplication::ZelvarApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
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

bool ZelvarApplication::loadTurkishTranslation(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_tr"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace zelvar
