#include "ui/ZelvarApplication.h"

#include "ui/ErrorHandler.h"

#include <QLibraryInfo>
#include <QTranslator>

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
