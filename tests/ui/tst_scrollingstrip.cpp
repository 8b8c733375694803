// SPDX-License-Identifier: GPL-3.0-or-later
// The scrolling text strip runs only while shown and starts over once the
// text has passed.
#include "TestRegistry.h"
#include "ui/ScrollingStrip.h"

#include <QTest>

using namespace zelvar;

class ScrollingStripTest : public QObject {
    Q_OBJECT
private slots:
    void runsWhileShownAndStartsOver()
    {
        ScrollingStrip strip({"Birinci satır", "İkinci satır"});
        strip.resize(249, 25);
        QVERIFY(strip.runningText().contains("Birinci satır"));
        QVERIFY(!strip.isRunning());
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QVERIFY(strip.isRunning());
        QTRY_VERIFY(strip.offset() > 0);

        // Once the whole text has left at the left edge it enters again at the right.
        const int cycle = strip.width() + strip.fontMetrics().horizontalAdvance(strip.runningText()) + 1;
        strip.advance(-strip.offset());
        strip.advance(cycle + 200);
        QVERIFY(strip.offset() < 260);
        strip.hide();
        QVERIFY(!strip.isRunning());
    }
};

ZELVAR_TEST(ScrollingStripTest)
#include "tst_scrollingstrip.moc"
