// The rotation rules.
#include "Schedule.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

bool TimerPeriodForMinutes(float minutes, uint32_t* periodMs) {
    if (!(minutes > 0.0f)) return false;  // zero, negative, or not a number
    double period = std::trunc(double(minutes) * 60.0 * 1000.0);
    *periodMs = period > double(kMaxTimerPeriod) ? kMaxTimerPeriod : uint32_t(period);
    return true;
}

int NextListPosition(int32_t currentIndex, int count) {
    if (currentIndex < 0 || currentIndex >= count - 1) return 0;
    return currentIndex + 1;
}

TimerStep StepTimerPosition(int position, int count) {
    int shown = position >= 0 && position < count ? position : 0;
    int next = shown + 1 < count ? shown + 1 : 0;
    return TimerStep{shown, next};
}

bool IsDailyChangeDue(const char* today, const char (&saveDate)[128]) {
    std::size_t savedLength = strnlen(saveDate, sizeof saveDate);
    if (std::strlen(today) != savedLength) return true;
    for (std::size_t i = 0; i < savedLength; ++i) {
        if (std::tolower(static_cast<unsigned char>(today[i])) != std::tolower(static_cast<unsigned char>(saveDate[i]))) {
            return true;
        }
    }
    return false;
}

namespace {

int DrawIndex(int count, CRandomSource& random) {
    int64_t range = int64_t(random.Max()) + 1;
    int64_t number = random.Next();
    if (count > range) number = number * range + random.Next();
    return int(number % count);
}

}  // namespace

int PickRandomIndex(int count, CRandomSource& random) {
    std::vector<int> picks = PickRandomIndexes(count, 1, random);
    return picks.empty() ? 0 : picks[0];
}

std::vector<int> PickRandomIndexes(int count, int wanted, CRandomSource& random) {
    std::vector<int> picks;
    if (count <= 0) return picks;
    random.Seed(static_cast<unsigned int>(random.Now()));
    std::vector<bool> picked(size_t(count), false);
    while (int(picks.size()) < std::min(wanted, count)) {
        int pick = DrawIndex(count, random);
        while (picked[size_t(pick)]) pick = (pick + 1) % count;
        picked[size_t(pick)] = true;
        picks.push_back(pick);
    }
    return picks;
}

int PickOtherIndex(int count, int current, CRandomSource& random) {
    bool other = count >= 2 && current >= 0 && current < count;
    int pick = PickRandomIndex(other ? count - 1 : count, random);
    return other && pick >= current ? pick + 1 : pick;
}

std::vector<int> ListOrderPicks(int position, int wanted, int count) {
    std::vector<int> picks;
    for (int step = 0; step < std::min(wanted, count); ++step) picks.push_back((position + step) % count);
    return picks;
}

std::vector<int> ChangeCandidates(const std::vector<int>& picks, int count) {
    std::vector<int> candidates = picks;
    std::vector<bool> taken(size_t(count), false);
    for (int pick : picks) taken[size_t(pick)] = true;
    int after = picks.empty() ? 0 : picks.back() + 1;
    for (int step = 0; step < count; ++step) {
        int position = (after + step) % count;
        if (!taken[size_t(position)]) candidates.push_back(position);
    }
    return candidates;
}
