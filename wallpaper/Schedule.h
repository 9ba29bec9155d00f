// The rotation rules: the timer period, which entry a change shows, when a daily change is
// due, and the random pick. The clock and the random generator are passed in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <vector>

// The platform's largest timer period, in milliseconds (about 24.8 days).
constexpr uint32_t kMaxTimerPeriod = 0x7FFFFFFF;

// The period of the minute timer; false when no timer runs (minutes not above zero, or not
// a number). A longer period than the platform allows is cut to kMaxTimerPeriod.
bool TimerPeriodForMinutes(float minutes, uint32_t* periodMs);

// The list position a list-order change at start-up or "Apply Settings" shows: the one
// after currentIndex, wrapping to 0; 0 too for a saved index outside the list.
int NextListPosition(int32_t currentIndex, int count);

// One tick of the minute timer in list order.
struct TimerStep {
    int shownPosition;  // the entry this tick sets
    int nextPosition;   // g_timerPosition after the tick
};
// `position` is g_timerPosition; the list holds at least one entry.
TimerStep StepTimerPosition(int position, int count);

// A daily change is due unless saveDate holds today's date, letter case ignored. saveDate
// is read up to its first NUL or its 128 bytes, whichever comes first.
bool IsDailyChangeDue(const char* today, const char (&saveDate)[128]);

// The C library's generator and clock, behind an interface so that picks can be tested.
class CRandomSource {
public:
    virtual ~CRandomSource() = default;
    virtual std::time_t Now() = 0;
    virtual void Seed(unsigned int seed) = 0;
    virtual int Next() = 0;  // 0 ... Max()
    virtual int Max() = 0;   // RAND_MAX: 32767 in the Windows C runtime
};

// A position below count: the generator is reseeded with the current second, then its next
// number modulo count. A count beyond the generator's range (a folder of many pictures) takes a
// second number as well, the first as the high part, so that every position can come up. With no
// entries nothing is drawn and 0 is returned.
int PickRandomIndex(int count, CRandomSource& random);

// min(wanted, count) different positions below count from one seed, the first as
// PickRandomIndex picks it; a position drawn again gives way to the next one not yet picked.
// None for an empty sequence.
std::vector<int> PickRandomIndexes(int count, int wanted, CRandomSource& random);

// A position below count other than `current` where count is 2 or more, each as likely, from one
// number of a fresh seed; PickRandomIndex's when `current` is no position.
int PickOtherIndex(int count, int current, CRandomSource& random);

// min(wanted, count) positions in list order from `position` (below count) on, round the end.
std::vector<int> ListOrderPicks(int position, int wanted, int count);

// The positions a change tries in turn: its picks, then every other position of the sequence
// of `count` once, in list order from after the last pick.
std::vector<int> ChangeCandidates(const std::vector<int>& picks, int count);
