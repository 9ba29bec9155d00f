// The rotation rules.
#include "Schedule.h"

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

int PickRandomIndex(int count, CRandomSource& random) {
    if (count <= 0) return 0;
    random.Seed(static_cast<unsigned int>(random.Now()));
    int64_t range = int64_t(random.Max()) + 1;
    int64_t number = random.Next();
    if (count > range) number = number * range + random.Next();
    return int(number % count);
}
