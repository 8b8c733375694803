// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics run: brackets, headcount rules and the one-pass reader.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "reports/StatisticsRun.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

unsigned bits(std::initializer_list<AgeBracket> brackets)
{
    unsigned b = 0;
    for (AgeBracket a : brackets)
        b |= 1u << a;
    return b;
}

ResidentFacts person(std::string_view born = "1980-05-01")
{
    ResidentFacts r;
    r.birthDate = born;
    r.sex = "Kadın";
    r.literate = "Evet";
    r.tenure = "Kiracı";
    r.marital = "Evli";
    r.occupation = "Memur";
    r.religion = "İslam";
    return r;
}

} // namespace

class StatisticsRunTest : public QObject {
    Q_OBJECT
private slots:
    void ageBracketEdges()
    {
        // Exactly 6, 14 (+1) and 18 years fall into the gaps between brackets.
        QCOMPARE(ageBracketsOf(2189), bits({UpTo6}));
        QCOMPARE(ageBracketsOf(2190), 0u);
        QCOMPARE(ageBracketsOf(2191), bits({From6To14}));
        QCOMPARE(ageBracketsOf(5110), bits({From6To14}));
        QCOMPARE(ageBracketsOf(5111), bits({From14To18}));
        QCOMPARE(ageBracketsOf(6569), bits({From14To18}));
        QCOMPARE(ageBracketsOf(6570), 0u);
        QCOMPARE(ageBracketsOf(6571), bits({Over18}));
        // "20 Yaşında" ends at 7600, below 21 years, and overlaps "18 den Büyük".
        QCOMPARE(ageBracketsOf(7300), bits({Over18}));
        QCOMPARE(ageBracketsOf(7301), bits({Over18, Aged20}));
        QCOMPARE(ageBracketsOf(7599), bits({Over18, Aged20}));
        QCOMPARE(ageBracketsOf(7600), bits({Over18}));
        QCOMPARE(ageBracketsOf(23725), bits({Over18}));
        QCOMPARE(ageBracketsOf(23726), bits({Over18, Over65}));
        // Born in the future: a negative age is under six.
        QCOMPARE(ageBracketsOf(-400), bits({UpTo6}));
        QCOMPARE(ageBracketsOf(0), bits({UpTo6}));
    }

    void storedDates()
    {
        QCOMPARE(storedDateDay("1964-08-01"), std::optional<qint64>(QDate(1964, 8, 1).toJulianDay()));
        QCOMPARE(storedDateDay("01.08.1964"), std::optional<qint64>(QDate(1964, 8, 1).toJulianDay()));
        QVERIFY(!storedDateDay(""));
        QVERIFY(!storedDateDay("  .  .    "));
        QVERIFY(!storedDateDay("2021-02-29"));
        QVERIFY(!storedDateDay("1964-8-1"));
        QVERIFY(!storedDateDay("19x4-08-01"));
    }

    void headcountRules()
    {
        StatisticsCounter counter(QDate(2026, 12, 9));
        QVERIFY(counter.add(person()));

        ResidentFacts other = person();
        other.sex = "kadın"; // lower case is not "Kadın"
        other.literate = "evet";
        other.tenure = "";     // empty tenure counts as owner
        other.marital = "Dul"; // widowed counts as single
        other.occupation = "İşsiz";
        other.religion = ""; // empty religion counts as minority
        QVERIFY(counter.add(other));

        ResidentFacts empty;
        empty.birthDate = "2000-01-01";
        QVERIFY(counter.add(empty)); // every field but the date empty

        const auto& h = counter.counts().headcounts;
        QCOMPARE(h[Women], 1);
        QCOMPARE(h[Men], 2);
        QCOMPARE(h[Literate], 1);
        QCOMPARE(h[Illiterate], 2);
        QCOMPARE(h[Owners], 2);
        QCOMPARE(h[Tenants], 1);
        QCOMPARE(h[Married], 1);
        QCOMPARE(h[Single], 2);
        QCOMPARE(h[Unemployed], 1);
        QCOMPARE(h[MinorityReligion], 2);

        // A blank birth date is refused and counts nothing.
        const StatisticsCounts before = counter.counts();
        QVERIFY(!counter.add(person("")));
        QVERIFY(before.headcounts == counter.counts().headcounts);
        QVERIFY(before.ageBrackets == counter.counts().ageBrackets);
    }

    void onePassOverTheRegister()
    {
        DataFixture f;
        const QDate today(2026, 12, 9);
        f.addResident("Ayşe", 1, {{"DogTar", today.addDays(-7301)}, {"Cinsiyeti", "Kadın"}, {"Dini", "İslam"}});
        f.addResident("Ali", 2, {{"DogTar", today.addDays(-100)}, {"Medeni", "Evli"}});
        f.addResident("Veli", 3, {{"DogTar", today.addDays(-23726)}, {"EvDurum1", "Kiracı"}});

        Statement source(f.dm().database().handle(), statisticsSelect());
        StatisticsOutcome out = runStatistics(source, today);
        QVERIFY(out.complete);
        QCOMPARE(out.counts.headcounts[Women], 1);
        QCOMPARE(out.counts.headcounts[Men], 2);
        QCOMPARE(out.counts.headcounts[Tenants], 1);
        QCOMPARE(out.counts.headcounts[MinorityReligion], 2);
        QCOMPARE(out.counts.ageBrackets[UpTo6], 1);
        QCOMPARE(out.counts.ageBrackets[Over18], 2);
        QCOMPARE(out.counts.ageBrackets[Aged20], 1);
        QCOMPARE(out.counts.ageBrackets[Over65], 1);

        // The same prepared source counts residents stored after it was made.
        f.addResident("Zeynep", 4, {{"DogTar", today.addDays(-3000)}});
        out = runStatistics(source, today);
        QVERIFY(out.complete);
        QCOMPARE(out.counts.ageBrackets[From6To14], 1);
        QCOMPARE(out.counts.headcounts[Men] + out.counts.headcounts[Women], 4);

        // A resident without a birth date stops the run.
        f.addResident("Boş", 5);
        out = runStatistics(source, today);
        QVERIFY(!out.complete);
        // The statement was reset: writing to the table is not blocked by a reader.
        f.dm().database().exec("update zelvarx set DogTar = '1990-01-01' where KayitNo = 5");
        QVERIFY(runStatistics(source, today).complete);
    }
};

ZELVAR_TEST(StatisticsRunTest)
#include "tst_statistics.moc"
