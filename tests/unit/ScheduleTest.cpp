// The rotation rules: periods, positions, the daily test and the random pick.
#include "Schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

// A period of -1 stands for no timer.
TEST(TimerPeriod, TruncatesSinglePrecisionMinutesTimesSixtyThousandUpToThePlatformLimit) {
    using Period = std::pair<double, int64_t>;
    for (auto [minutesAsTyped, expected] :
         {Period{1, 60000}, Period{0.5, 30000}, Period{15, 900000}, Period{1440, 86400000}, Period{1.234, 74039},
          Period{1.23, 73800}, Period{0.01, 599}, Period{0.001, 60}, Period{0.00001, 0}, Period{35791.39, 2147483437},
          Period{35791.394, kMaxTimerPeriod}, Period{71583, kMaxTimerPeriod}, Period{3.4e38, kMaxTimerPeriod},
          Period{INFINITY, kMaxTimerPeriod}, Period{0, -1}, Period{-0.0, -1}, Period{-1, -1}, Period{-INFINITY, -1},
          Period{NAN, -1}, Period{-NAN, -1}}) {
        uint32_t period = 0xDEADBEEF;
        bool hasTimer = TimerPeriodForMinutes(float(minutesAsTyped), &period);
        EXPECT_EQ(hasTimer ? int64_t(period) : -1, expected) << "minutes " << minutesAsTyped;
    }
}

// Each row is a start position, the list's entry count, and the positions shown one after the
// other: by the change at start-up (the one after the saved index), then by the timer ticks.
TEST(ListOrder, ShowsTheNextEntryAtStartUpAndEveryEntryInTurnOnTheTicks) {
    using Row = std::tuple<int32_t, int, int, std::vector<int>>;
    for (auto [position, count, atStartUp, ticks] :
         {Row{0, 3, 1, {0, 1, 2, 0, 1, 2, 0}}, Row{1, 3, 2, {1, 2, 0}}, Row{2, 3, 0, {2, 0}}, Row{0, 1, 0, {0, 0, 0}},
          Row{3, 3, 0, {0, 1, 2, 0}}, Row{-2, 2, 0, {0, 1, 0}}, Row{INT32_MIN, 3, 0, {0}}, Row{INT32_MAX, 3, 0, {0}},
          Row{0, 0, 0, {}}, Row{7, 0, 0, {}}}) {
        EXPECT_EQ(NextListPosition(position, count), atStartUp) << position << " of " << count;
        std::vector<int> shown;
        for (int at = position; shown.size() < ticks.size(); at = StepTimerPosition(at, count).nextPosition) {
            shown.push_back(StepTimerPosition(at, count).shownPosition);
        }
        EXPECT_EQ(shown, ticks) << "ticks from " << position << " of " << count;
    }
}

TEST(DailyChange, IsDueUnlessTheSavedDateIsTodayLetterCaseIgnored) {
    const std::string unterminated(128, '1');
    using Row = std::tuple<std::string, std::string, bool>;
    for (auto [today, saved, due] :
         {Row{"12/06/26", "12/06/26", false}, Row{"12/06/26", "12/05/26", true}, Row{"12/06/26", "", true},
          Row{"12/06/26", "12/06/26 ", true}, Row{"12/06/26", "12/06/2", true}, Row{"Dec-6", "dEC-6", false},
          Row{"12/06/26", unterminated, true}, Row{unterminated, unterminated, false}}) {
        char saveDate[128];
        std::memcpy(saveDate, (saved + '\0' + std::string(128, 'x')).data(), sizeof saveDate);
        EXPECT_EQ(IsDailyChangeDue(today.c_str(), saveDate), due) << today << " / " << saved;
    }
}

TEST(RandomPick, ReseedsWithTheCurrentSecondAndTakesTheNextNumberModuloCount) {
    class CScriptedRandom : public CRandomSource {
    public:
        std::time_t now = 1765000123;
        std::vector<unsigned int> seeds;

        std::time_t Now() override { return now; }
        void Seed(unsigned int seed) override { seeds.push_back(seed); }
        int Next() override { return std::vector<int>{17, 32767, 3, 5}.at(seeds.size() - 1); }
        int Max() override { return 32767; }
    };
    CScriptedRandom random;
    EXPECT_EQ(PickRandomIndex(0, random), 0);
    EXPECT_EQ(PickRandomIndex(-1, random), 0);
    EXPECT_TRUE(random.seeds.empty()) << "nothing is drawn for an empty list";
    EXPECT_EQ(PickRandomIndex(5, random), 17 % 5);
    random.now = 1765000124;
    EXPECT_EQ(PickRandomIndex(3, random), 32767 % 3);
    EXPECT_EQ(PickRandomIndex(1, random), 0);
    EXPECT_EQ(PickRandomIndex(100000, random), (5 * 32768 + 5) % 100000) << "more places than the generator's range";
    EXPECT_EQ(random.seeds, (std::vector<unsigned int>{1765000123u, 1765000124u, 1765000124u, 1765000124u}));
}

TEST(PicksForEachMonitor, DifferentPlacesFromOneSeedThenEveryOtherPlaceOnceAndNextPictureAnOtherOne) {
    class CScriptedRandom : public CRandomSource {
    public:
        std::vector<int> numbers{4, 4, 9, 7, 7, 7, 2, 0};
        int seeds = 0;

        std::time_t Now() override { return 1765000123; }
        void Seed(unsigned int) override { ++seeds; }
        int Next() override { return numbers.at(size_t(drawn++)); }
        int Max() override { return 32767; }
        int drawn = 0;
    };
    CScriptedRandom random;
    EXPECT_EQ(PickRandomIndexes(5, 3, random), (std::vector<int>{4, 0, 1})) << "a place drawn again gives way";
    EXPECT_EQ(PickRandomIndexes(2, 3, random), (std::vector<int>{1, 0})) << "no more picks than places";
    EXPECT_EQ(random.seeds, 2);
    EXPECT_EQ(PickOtherIndex(5, 3, random), 4) << "7 % 4 passes over the current place";
    EXPECT_EQ(PickOtherIndex(5, 3, random), 2);
    EXPECT_EQ(PickOtherIndex(1, 0, random), 0) << "the only place";
    EXPECT_EQ(ListOrderPicks(3, 2, 4), (std::vector<int>{3, 0}));
    EXPECT_EQ(ListOrderPicks(1, 5, 3), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(ChangeCandidates({3, 0}, 4), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(ChangeCandidates({4, 0, 1}, 6), (std::vector<int>{4, 0, 1, 2, 3, 5}));
}
