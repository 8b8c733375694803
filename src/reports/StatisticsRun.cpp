// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/StatisticsRun.h"

#include "data/Database.h"
#include "data/StatisticsStore.h"

#include <sqlite3.h>

namespace zelvar {

namespace {

// The coded values compared, as the UTF-8 bytes they are stored in. Each
// comparison is exact: "kadın" or "Kadın " is not "Kadın".
constexpr std::string_view kWoman = "Kadın";
constexpr std::string_view kYes = "Evet";
constexpr std::string_view kTenant = "Kiracı";
constexpr std::string_view kMarried = "Evli";
constexpr std::string_view kUnemployed = "İşsiz";
constexpr std::string_view kIslam = "İslam";

// Day limits: whole years of 365 days.
constexpr qint64 k6Years = qint64{6} * 365;   // 2190
constexpr qint64 k14Years = qint64{14} * 365; // 5110
constexpr qint64 k18Years = qint64{18} * 365; // 6570
constexpr qint64 k20Years = qint64{20} * 365; // 7300
constexpr qint64 kAged20End = 7600;           // below 21 × 365 on purpose
constexpr qint64 k65Years = qint64{65} * 365; // 23725

bool readNumber(std::string_view text, int& value)
{
    if (text.empty())
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string_view columnView(sqlite3_stmt* st, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    if (!text)
        return {};
    return std::string_view(text, size_t(sqlite3_column_bytes(st, column)));
}

} // namespace

unsigned ageBracketsOf(qint64 d)
{
    unsigned bits = 0;
    if (d < k6Years)
        bits |= 1u << UpTo6;
    if (d > k6Years && d <= k14Years)
        bits |= 1u << From6To14;
    if (d >= k14Years + 1 && d < k18Years)
        bits |= 1u << From14To18;
    if (d > k18Years)
        bits |= 1u << Over18;
    if (d > k20Years && d < kAged20End)
        bits |= 1u << Aged20;
    if (d > k65Years)
        bits |= 1u << Over65;
    return bits;
}

std::optional<qint64> storedDateDay(std::string_view text)
{
    // Parsed by hand: QDate::fromString would cost more than the whole count.
    int y = 0, m = 0, d = 0;
    bool ok = false;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        ok = readNumber(text.substr(0, 4), y) && readNumber(text.substr(5, 2), m) && readNumber(text.substr(8, 2), d);
    else if (text.size() == 10 && text[2] == '.' && text[5] == '.')
        ok = readNumber(text.substr(6, 4), y) && readNumber(text.substr(3, 2), m) && readNumber(text.substr(0, 2), d);
    if (!ok || !QDate::isValid(y, m, d))
        return std::nullopt;
    return QDate(y, m, d).toJulianDay();
}

StatisticsCounter::StatisticsCounter(QDate today)
    : m_today(today.toJulianDay())
{
}

bool StatisticsCounter::add(const ResidentFacts& r)
{
    const std::optional<qint64> born = storedDateDay(r.birthDate);
    if (!born)
        return false;

    const unsigned brackets = ageBracketsOf(m_today - *born);
    for (int i = 0; i < AgeBracketCount; ++i)
        if (brackets & (1u << i))
            ++m_counts.ageBrackets[i];

    auto& h = m_counts.headcounts;
    ++h[r.sex == kWoman ? Women : Men];
    ++h[r.literate == kYes ? Literate : Illiterate];
    ++h[r.tenure == kTenant ? Tenants : Owners];
    ++h[r.marital == kMarried ? Married : Single];
    if (r.occupation == kUnemployed)
        ++h[Unemployed];
    if (r.religion != kIslam)
        ++h[MinorityReligion];
    return true;
}

QString statisticsSelect()
{
    return StatisticsStore::sourceSelect();
}

StatisticsOutcome runStatistics(Statement& source, QDate today)
{
    // Resets the statement however the pass ends, so it holds no read lock.
    struct Resetter {
        Statement& st;
        ~Resetter() { st.reset(); }
    } resetter{source};

    source.reset();
    StatisticsCounter counter(today);
    sqlite3_stmt* st = source.handle();
    while (source.step()) {
        const ResidentFacts resident{columnView(st, 0), columnView(st, 1), columnView(st, 2), columnView(st, 3),
                                     columnView(st, 4), columnView(st, 5), columnView(st, 6)};
        if (!counter.add(resident))
            return {false, counter.counts()};
    }
    return {true, counter.counts()};
}

void storeCounts(StatisticsStore& store, const StatisticsCounts& counts)
{
    store.store(QList<int>(counts.headcounts.begin(), counts.headcounts.end()),
                QList<int>(counts.ageBrackets.begin(), counts.ageBrackets.end()));
}

} // namespace zelvar
