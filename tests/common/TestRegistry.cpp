// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include <QTest>

namespace zelvar::testing {

std::vector<TestEntry>& registry()
{
    static std::vector<TestEntry> entries;
    return entries;
}

int runRegisteredTests(QStringList arguments)
{
    QString only;
    const int classArg = arguments.indexOf(QStringLiteral("-class"));
    if (classArg >= 0 && classArg + 1 < arguments.size()) {
        only = arguments[classArg + 1];
        arguments.remove(classArg, 2);
    }
    int failed = 0;
    for (const TestEntry& entry : registry()) {
        if (!only.isEmpty() && only != QLatin1String(entry.name))
            continue;
        QObject* test = entry.make();
        failed += QTest::qExec(test, arguments);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}

} // namespace zelvar::testing
