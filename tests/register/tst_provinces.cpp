// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "register/Provinces.h"

#include <QTest>

using namespace zelvar;

class ProvincesTest : public QObject {
    Q_OBJECT
private slots:
    void codesAndNames()
    {
        QCOMPARE(provinceName(3).value(), QString("Afyonkarahisar"));
        QCOMPARE(provinceName(35).value(), QString("İzmir"));
        QCOMPARE(provinceName(6).value(), QString("Ankara"));
        QCOMPARE(provinceName(33).value(), QString("İçel"));
        QCOMPARE(provinceName(80).value(), QString("Osmaniye"));
        QCOMPARE(provinceName(81).value(), QString("Düzce"));
        QVERIFY(!provinceName(0));
        QVERIFY(!provinceName(82));
        QVERIFY(!provinceName(99));
        // Spot checks across the list guard against a shifted entry.
        QCOMPARE(provinceName(34).value(), QString("İstanbul"));
        QCOMPARE(provinceName(46).value(), QString("Kahramanmaraş"));
        QCOMPARE(provinceName(63).value(), QString("Şanlıurfa"));
        QCOMPARE(provinceName(76).value(), QString("Iğdır"));
    }

    void parsingTheCodeBox()
    {
        QCOMPARE(parseProvinceCode("06").value(), 6);
        QCOMPARE(parseProvinceCode("3").value(), 3);
        QVERIFY(!parseProvinceCode(""));
        QVERIFY(!parseProvinceCode("a1"));
        QVERIFY(!parseProvinceCode("-1"));
        QVERIFY(!parseProvinceCode("٣")); // a digit of another script is not a code
    }
};

ZELVAR_TEST(ProvincesTest)
#include "tst_provinces.moc"
