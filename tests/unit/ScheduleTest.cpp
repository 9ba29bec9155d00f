// The rotation rules: periods, positions, the daily test and the random pick.
#include "Schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

uint32_t PeriodOf(double minutesAsTyped) {
    uint32_t period = 0xDEADBEEF;
    EXPECT_TRUE(TimerPeriodForMinutes(float(minutesAsTyped), &period)) << minutesAsTyped;
    return period;
}

bool HasTimer(float minutes) {
    uint32_t period = 0;
    return TimerPeriodForMinutes(minutes, &period);
}

struct SavedDate {
    char text[128];
    explicit SavedDate(const char* date) {
        std::memset(text, 'x', sizeof text);
        std::strcpy(text, date);
    }
};

class CScriptedRandom : public CRandomSource {
public:
    std::time_t now = 0;
    std::vector<int> numbers;
    std::vector<unsigned int> seeds;
    int draws = 0;

    std::time_t Now() override { return now; }
    void Seed(unsigned int seed) override { seeds.push_back(seed); }
    int Next() override { return numbers.at(std::size_t(draws++)); }
};

}  // namespace

TEST(TimerPeriod, TruncatesSinglePrecisionMinutesTimesSixtyThousand) {
    EXPECT_EQ(PeriodOf(1), 60000u);
    EXPECT_EQ(PeriodOf(0.5), 30000u);
    EXPECT_EQ(PeriodOf(15), 900000u);
    EXPECT_EQ(PeriodOf(1440), 86400000u);
    EXPECT_EQ(PeriodOf(1.234), 74039u);
    EXPECT_EQ(PeriodOf(1.23), 73800u);
    EXPECT_EQ(PeriodOf(0.01), 599u);
    EXPECT_EQ(PeriodOf(0.001), 60u);
    EXPECT_EQ(PeriodOf(0.00001), 0u);
}

TEST(TimerPeriod, CutsAPeriodAboveThePlatformLimit) {
    EXPECT_EQ(PeriodOf(35791.39), 2147483437u);  // the largest single-precision value below the limit
    EXPECT_EQ(PeriodOf(35791.394), kMaxTimerPeriod);
    EXPECT_EQ(PeriodOf(71583), kMaxTimerPeriod);
    EXPECT_EQ(PeriodOf(3.4e38), kMaxTimerPeriod);
    EXPECT_EQ(PeriodOf(std::numeric_limits<double>::infinity()), kMaxTimerPeriod);
}

TEST(TimerPeriod, GivesNoTimerForZeroNegativeOrNotANumber) {
    EXPECT_FALSE(HasTimer(0.0f));
    EXPECT_FALSE(HasTimer(-0.0f));
    EXPECT_FALSE(HasTimer(-1.0f));
    EXPECT_FALSE(HasTimer(-std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(HasTimer(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(HasTimer(-std::numeric_limits<float>::quiet_NaN()));
}

TEST(NextListPosition, ShowsTheEntryAfterTheSavedOneAndWraps) {
    EXPECT_EQ(NextListPosition(0, 3), 1);
    EXPECT_EQ(NextListPosition(1, 3), 2);
    EXPECT_EQ(NextListPosition(2, 3), 0);
    EXPECT_EQ(NextListPosition(0, 1), 0);
}

TEST(NextListPosition, StartsAtTheTopForASavedIndexOutsideTheList) {
    EXPECT_EQ(NextListPosition(-1, 3), 0);
    EXPECT_EQ(NextListPosition(-5, 3), 0);
    EXPECT_EQ(NextListPosition(INT32_MIN, 3), 0);
    EXPECT_EQ(NextListPosition(3, 3), 0);
    EXPECT_EQ(NextListPosition(INT32_MAX, 3), 0);
    EXPECT_EQ(NextListPosition(0, 0), 0);
    EXPECT_EQ(NextListPosition(7, 0), 0);
}

TEST(TimerStep, GoesThroughTheListInOrderAndWraps) {
    std::vector<int> shown;
    int position = 0;
    for (int tick = 0; tick < 7; ++tick) {
        TimerStep step = StepTimerPosition(position, 3);
        shown.push_back(step.shownPosition);
        position = step.nextPosition;
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(TimerStep, ShowsTheOnlyEntryAgainAndAgain) {
    TimerStep step = StepTimerPosition(0, 1);
    EXPECT_EQ(step.shownPosition, 0);
    EXPECT_EQ(step.nextPosition, 0);
}

TEST(TimerStep, RestartsAtTheTopWhenEntriesWereRemoved) {
    TimerStep step = StepTimerPosition(5, 3);
    EXPECT_EQ(step.shownPosition, 0);
    EXPECT_EQ(step.nextPosition, 1);
}

TEST(DailyChange, IsDueUnlessTheSavedDateIsToday) {
    EXPECT_FALSE(IsDailyChangeDue("12/06/26", SavedDate("12/06/26").text));
    EXPECT_TRUE(IsDailyChangeDue("12/06/26", SavedDate("12/05/26").text));
    EXPECT_TRUE(IsDailyChangeDue("12/06/26", SavedDate("").text));
    EXPECT_TRUE(IsDailyChangeDue("12/06/26", SavedDate("12/06/26 ").text));
    EXPECT_TRUE(IsDailyChangeDue("12/06/26", SavedDate("12/06/2").text));
}

TEST(DailyChange, IgnoresLetterCase) {
    EXPECT_FALSE(IsDailyChangeDue("Dec-6", SavedDate("dEC-6").text));
}

TEST(DailyChange, ReadsASavedDateWithoutNulOnlyUpToItsEnd) {
    char unterminated[128];
    std::memset(unterminated, '1', sizeof unterminated);
    EXPECT_TRUE(IsDailyChangeDue("12/06/26", unterminated));
    std::string sameText(128, '1');
    EXPECT_FALSE(IsDailyChangeDue(sameText.c_str(), unterminated));
}

TEST(RandomPick, ReseedsWithTheCurrentSecondAndTakesTheNextNumberModuloCount) {
    CScriptedRandom random;
    random.now = 1765000123;
    random.numbers = {17, 32767, 3};
    EXPECT_EQ(PickRandomIndex(5, random), 2);
    random.now = 1765000124;
    EXPECT_EQ(PickRandomIndex(3, random), 32767 % 3);
    EXPECT_EQ(PickRandomIndex(1, random), 0);
    EXPECT_EQ(random.seeds, (std::vector<unsigned int>{1765000123u, 1765000124u, 1765000124u}));
}

TEST(RandomPick, DrawsNothingForAnEmptyList) {
    CScriptedRandom random;
    EXPECT_EQ(PickRandomIndex(0, random), 0);
    EXPECT_EQ(PickRandomIndex(-1, random), 0);
    EXPECT_EQ(random.draws, 0);
    EXPECT_TRUE(random.seeds.empty());
}
