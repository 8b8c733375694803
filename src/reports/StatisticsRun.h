// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics run: ten headcounts and six age brackets over the resident
// table, counted in one pass over seven stored fields.
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace zelvar {

class Statement;
class StatisticsStore;

// The headcounts in the row order of the GRUP1 table.
enum Headcount {
    Women,
    Men,
    Literate,
    Illiterate,
    Owners,
    Tenants,
    Married,
    Single,
    Unemployed,
    MinorityReligion,
    HeadcountCount
};

// The age brackets in the row order of the YASLAR table.
enum AgeBracket { UpTo6, From6To14, From14To18, Over18, Aged20, Over65, AgeBracketCount };

struct StatisticsCounts {
    std::array<int, HeadcountCount> headcounts{};
    std::array<int, AgeBracketCount> ageBrackets{};
};

// The fields of one resident that are counted, as stored: UTF-8 text, the
// birth date as "yyyy-MM-dd". Empty views stand for empty or null fields.
struct ResidentFacts {
    std::string_view birthDate;  // DogTar
    std::string_view sex;        // Cinsiyeti
    std::string_view literate;   // EvDuru2
    std::string_view tenure;     // EvDurum1
    std::string_view marital;    // Medeni
    std::string_view occupation; // Meslek
    std::string_view religion;   // Dini
};

// Bit i is set when age bracket i holds for an age of `days` whole days.
// The brackets are years of 365 days and deliberately overlap and leave gaps:
// exactly 6, 14 or 18 years fall between brackets.
unsigned ageBracketsOf(qint64 days);

// The Julian day of a stored birth date ("yyyy-MM-dd", or "dd.MM.yyyy" as
// typed); nothing when it is blank or not a real date.
std::optional<qint64> storedDateDay(std::string_view text);

class StatisticsCounter {
public:
    explicit StatisticsCounter(QDate today);
    // Counts one resident. A resident whose birth date is blank or unreadable
    // is not counted and gives false: such a register cannot be counted.
    bool add(const ResidentFacts& resident);
    const StatisticsCounts& counts() const { return m_counts; }

private:
    qint64 m_today;
    StatisticsCounts m_counts;
};

// The one statement a run reads: the seven counted fields of every resident.
QString statisticsSelect();

struct StatisticsOutcome {
    bool complete = false; // false: a resident without a usable birth date stopped the run
    StatisticsCounts counts;
};

// Walks the rows of a prepared statisticsSelect() once and counts them.
// Leaves the statement reset, ready for the next run. Engine errors throw.
StatisticsOutcome runStatistics(Statement& source, QDate today);

// Stores a run's counts in the chart tables: both or neither.
void storeCounts(StatisticsStore& store, const StatisticsCounts& counts);

} // namespace zelvar
