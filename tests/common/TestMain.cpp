#include "TestRegistry.h"
#include "app/ZelvarApplication.h"
#include "ui/Resources.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

namespace zelvar::testing {

std::vector<TestEntry>& registry()
{
    static std::vector<TestEntry> entries;
    return entries;
}

} // namespace zelvar::testing

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                       : qgetenv("QT_QPA_PLATFORM"));
    // The program's own application object, so that its event routing is
    // what the tests run under; without an error handler it passes every
    // event on as QApplication does.
    zelvar::ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    zelvar::initResources();

    QStringList args = app.arguments();
    QString only;
    const int classArg = args.indexOf(QStringLiteral("-class"));
    if (classArg >= 0 && classArg + 1 < args.size()) {
        only = args[classArg + 1];
        args.remove(classArg, 2);
    }
    int failed = 0;
    for (const auto& entry : zelvar::testing::registry()) {
        if (!only.isEmpty() && only != QLatin1String(entry.name))
            continue;
        QObject* test = entry.make();
        failed += QTest::qExec(test, args);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
