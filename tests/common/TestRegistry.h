// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each test class registers itself with ZELVAR_TEST(Class); the area's one
// executable runs them all. "-class Name" runs one class; other arguments go
// to QTest.
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelvar::testing {

struct TestEntry {
    const char* name;
    std::function<QObject*()> make;
};

std::vector<TestEntry>& registry();

// Runs the registered classes, or the one named by "-class Name"; the other
// arguments go to QTest. Gives the process's exit code.
int runRegisteredTests(QStringList arguments);

// An area's main: the application object the area's code needs (a core,
// GUI or widgets application), the Turkish locale, and no display unless
// QT_QPA_PLATFORM names one.
template <class Application>
int runArea(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    return runRegisteredTests(app.arguments());
}

struct Registrar {
    Registrar(const char* name, std::function<QObject*()> make) { registry().push_back({name, std::move(make)}); }
};

} // namespace zelvar::testing

// Class names a type, which cannot stand in parentheses.
#define ZELVAR_TEST(Class) /* NOLINTNEXTLINE(bugprone-macro-parentheses) */                                            \
    static ::zelvar::testing::Registrar zelvarRegistrar_##Class(#Class, [] { return new Class; });
