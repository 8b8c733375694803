#include "TestRegistry.h"
#include "app/ZelvarApplication.h"
#include "ui/Resources.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // The program's own application object, so that its event routing is
    // what the tests run under.
    zelvar::ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    zelvar::initResources();

    return zelvar::testing::runRegisteredTests(app.arguments());
}
