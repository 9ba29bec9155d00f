// libFuzzer target of the settings record loader and the schedule rules that consume it:
// any settings file gives a record the controls can show and a schedule that stays in range.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Schedule.h"
#include "SettingsRecord.h"

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

class CFixedRandom : public CRandomSource {
public:
    explicit CFixedRandom(int number) : m_number(number) {}
    std::time_t Now() override { return 0; }
    void Seed(unsigned int) override {}
    int Next() override { return m_number; }

private:
    int m_number;
};

void CheckSchedule(const WallpaperSettings& settings, int count) {
    uint32_t period = 0;
    if (TimerPeriodForMinutes(settings.minutes, &period)) {
        Require(settings.minutes > 0.0f && period <= kMaxTimerPeriod);
    }
    int next = NextListPosition(settings.currentIndex, count);
    Require(next >= 0 && (count == 0 ? next == 0 : next < count));
    if (count > 0) {
        TimerStep step = StepTimerPosition(settings.currentIndex, count);
        Require(step.shownPosition >= 0 && step.shownPosition < count);
        Require(step.nextPosition >= 0 && step.nextPosition < count);
    }
    CFixedRandom random(settings.randomPick & 0x7FFFFFFF);
    int picked = PickRandomIndex(count, random);
    Require(picked >= 0 && (count == 0 || picked < count));
    IsDailyChangeDue("12/06/26", settings.saveDate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    WallpaperSettings settings;
    std::memset(&settings, 0, sizeof settings);
    ReadSettingsRecord(settings, std::string_view(reinterpret_cast<const char*>(data), size));
    std::string stored = SettingsRecordBytes(settings);
    Require(std::memcmp(stored.data(), data, std::min(size, kSettingsRecordSize)) == 0);

    SettingsView view = ShowSettings(settings);
    Require(settings.frequencyMode >= FREQ_MINUTES && settings.frequencyMode <= FREQ_ONCE_PER_RUN);
    Require(view.checkedFrequency == settings.frequencyMode && !view.minutesText.empty());

    int count = size > 0 ? data[size - 1] % 8 : 0;
    CheckSchedule(settings, count);
    StampSaveDate(settings, "12/06/26");
    Require(!IsDailyChangeDue("12/06/26", settings.saveDate));
    return 0;
}
