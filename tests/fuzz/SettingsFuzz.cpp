// libFuzzer target of the settings record loader and the schedule rules that consume it:
// any settings file gives a record the controls can show and a schedule that stays in range.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Schedule.h"
#include "SettingsRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    auto require = [](bool holds) {
        if (!holds) std::abort();
    };
    WallpaperSettings settings{};
    ReadSettingsRecord(settings, std::string_view(reinterpret_cast<const char*>(data), size));
    require(std::memcmp(SettingsRecordBytes(settings).data(), data, std::min(size, kSettingsRecordSize)) == 0);
    SettingsView view = ShowSettings(settings);
    require(settings.frequencyMode >= FREQ_MINUTES && settings.frequencyMode <= FREQ_ONCE_PER_RUN);
    require(view.checkedFrequency == settings.frequencyMode && !view.minutesText.empty());

    int count = size > 0 ? data[size - 1] % 8 : 0;
    uint32_t period = 0;
    bool hasTimer = TimerPeriodForMinutes(settings.minutes, &period);
    require(!hasTimer || (settings.minutes > 0.0f && period <= kMaxTimerPeriod));
    int next = NextListPosition(settings.currentIndex, count);
    TimerStep step = count > 0 ? StepTimerPosition(settings.currentIndex, count) : TimerStep{0, 0};
    for (int at : {next, step.shownPosition, step.nextPosition}) require(at >= 0 && at < std::max(count, 1));
    class CFixedRandom : public CRandomSource {
    public:
        explicit CFixedRandom(int number) : m_number(number) {}
        std::time_t Now() override { return 0; }
        void Seed(unsigned int) override {}
        int Next() override { return m_number; }
        int Max() override { return 0x7FFF; }
        int m_number;
    } random(settings.randomPick & 0x7FFF);
    int picked = PickRandomIndex(count, random);
    require(picked >= 0 && picked < std::max(count, 1));
    IsDailyChangeDue("12/06/26", settings.saveDate);
    StampSaveDate(settings, "12/06/26");
    require(!IsDailyChangeDue("12/06/26", settings.saveDate));
    return 0;
}
