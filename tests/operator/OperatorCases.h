#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What the operator's actions do, whichever way they are made: keys and
// clicks on the window, the operator actions of the window, or the bus. Every
// way is checked against these same cases, with the full stop as the decimal
// separator.
namespace corvane::operator_test {

// An edit of one cell of a tag's row: the cell then shows the text as typed.
struct GridEditCase {
    const char* name;
    int column;  // 1 the value, 2 the confidence
    std::string typed;
    // The tag's PV (column 1) or Confidence (column 2) afterwards; none when
    // the tag keeps what it had.
    std::optional<double> tagGets;
};

inline const std::vector<GridEditCase>& gridEditCases()
{
    static const std::vector<GridEditCase> cases{
        {"ANumberSetsTheValue", 1, "17.25", 17.25},
        {"TrailingZerosStayInTheCell", 1, "12.50", 12.5},
        {"AnExponentCounts", 1, "1e3", 1000},
        {"GroupedDigitsGiveTheirLeadingNumber", 1, "1,000", 1},
        {"TextThatIsNoNumberSetsZero", 1, "abc", 0},
        {"TheEmptyTextSetsZero", 1, "", 0},
        {"ANumberBeyondTheSingleRangeChangesNoTag", 1, "1E+39", std::nullopt},
        {"AConfidenceIsHeldTo100", 2, "150", 100},
        {"AConfidenceBelowZeroIsHeldTo0", 2, "-3", 0},
        {"AHalfConfidenceGoesToTheEvenNeighbourBelow", 2, "2.5", 2},
        {"AHalfConfidenceGoesToTheEvenNeighbourAbove", 2, "3.5", 4},
        {"AConfidenceThatIsNoNumberSetsZero", 2, "abc", 0},
    };
    return cases;
}

// The time window the settings cases are synthesised over: 6 December 2026
// 09:00:00 to 09:05:00 at 15 seconds, 21 samples.
inline constexpr double kStart = 46362.375;

// The synthesis settings as the operator leaves them, and what the next
// history of a tag shows.
struct SettingsCase {
    const char* name;
    bool sineWave;
    std::string period;
    std::string timeError;
    int errorNumber;            // of the history, 0 when it succeeds
    bool constant;              // every value is the tag's PV
    std::string timeErrorAfter; // what the time-error box shows afterwards
    int firstSampleShift;       // seconds after the start, when it succeeds
};

inline const std::vector<SettingsCase>& settingsCases()
{
    static const std::vector<SettingsCase> cases{
        {"TheSineWaveOffGivesThePVThroughout", false, "1234", "0", 0, true, "0", 0},
        {"AShortPeriodMakesTheValuesMove", true, "60", "0", 0, false, "0", 0},
        {"APeriodThatIsNoNumberFailsTheHistory", true, "abc", "0", 13, false, "0", 0},
        {"APeriodOfZeroFailsTheHistory", true, "0", "0", 11, false, "0", 0},
        {"APeriodThatIsNoNumberDoesNotMatterWithTheSineWaveOff", false, "abc", "0", 0, true, "0", 0},
        {"ATimeErrorShiftsTheSamples", false, "1234", "90", 0, true, "90", 90},
        {"ATimeErrorThatIsNoNumberIsPutBackToZero", false, "1234", "soon", 0, true, "0", 0},
    };
    return cases;
}

// What an edit leaves in the cell and in its tag, which held `before` first.
struct TagSeen {
    float pv;
    int confidence;
};
inline void expectEdited(const GridEditCase& edit, const std::string& cell, TagSeen after, TagSeen before)
{
    EXPECT_EQ(cell, edit.typed);
    EXPECT_EQ(after.pv, edit.column == 1 ? static_cast<float>(edit.tagGets.value_or(before.pv)) : before.pv);
    EXPECT_EQ(after.confidence,
              edit.column == 2 ? static_cast<int>(edit.tagGets.value_or(before.confidence)) : before.confidence);
}

// What the next history of a tag whose PV is `pv` shows, and the time-error box after it.
struct HistorySeen {
    int errorNumber = 0;
    std::vector<float> values;
    std::vector<double> timestamps;
    std::string timeErrorShown;
};
inline void expectHistory(const SettingsCase& settings, const HistorySeen& seen, float pv)
{
    EXPECT_EQ(seen.errorNumber, settings.errorNumber);
    EXPECT_EQ(seen.timeErrorShown, settings.timeErrorAfter);
    if (settings.errorNumber != 0) return;
    ASSERT_EQ(seen.values.size(), 21u);
    EXPECT_EQ(std::all_of(seen.values.begin(), seen.values.end(), [pv](float value) { return value == pv; }),
              settings.constant);
    EXPECT_EQ(std::lround((seen.timestamps.at(0) - kStart) * 86400), settings.firstSampleShift);
}

inline void PrintTo(const GridEditCase& edit, std::ostream* out) { *out << edit.name; }
inline void PrintTo(const SettingsCase& settings, std::ostream* out) { *out << settings.name; }

// Names for parameterised tests.
template <class Case>
std::string caseName(const Case& testCase)
{
    return testCase.name;
}

}  // namespace corvane::operator_test
