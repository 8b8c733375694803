// The report engine's own test runner: a QGuiApplication without widgets.
#include "TestRegistry.h"

#include <QGuiApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    return zelvar::testing::runRegisteredTests(app.arguments());
}
