#include "app/ZelvarApplication.h"

#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

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
