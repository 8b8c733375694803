// The report engine's own test runner: a QGuiApplication without widgets.
#include "TestRegistry.h"

#include <QGuiApplication>
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

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
