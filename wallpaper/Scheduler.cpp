// The main dialog's rotation: the desktop update, the frequency buttons, "Apply Settings",
// the schedule applied after every load of the settings, and the minute timer.
#include "WallpaperDlg.h"

#include <stdlib.h>
#include <time.h>

#include <string>

#include "DesktopWallpaper.h"
#include "Schedule.h"
#include "res/resource.h"

namespace {

// The list position the next tick shows in list order; never saved.
int g_timerPosition = 0;

class CCrtRandomSource : public CRandomSource {
public:
    time_t Now() override { return time(nullptr); }
    void Seed(unsigned int seed) override { srand(seed); }
    int Next() override { return rand(); }
};

}  // namespace

int CWallpaperDlg::PickRandomIndex(int count) {
    CCrtRandomSource random;
    return ::PickRandomIndex(count, random);
}

void CWallpaperDlg::OnSetWallpaperNow() {
    char path[260] = "";
    GetDlgItemText(IDC_CURRENT_SELECTION, path, sizeof path);
    std::string wallpaper = DesktopWallpaperFor(path, kWallpaperFilePath);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &wallpaper[0], SPIF_UPDATEINIFILE);
}

void CWallpaperDlg::OnMinutes() {
    CWnd* minutes = GetDlgItem(IDC_MINUTES);
    minutes->EnableWindow(TRUE);
    minutes->SetFocus();
}

void CWallpaperDlg::OnOnceADay() {
    GetDlgItem(IDC_MINUTES)->EnableWindow(FALSE);
}

void CWallpaperDlg::OnOncePerRun() {
    GetDlgItem(IDC_MINUTES)->EnableWindow(FALSE);
}

void CWallpaperDlg::OnApplySettings() {
    SaveSettings();
    m_listWallpapers.ResetContent();
    LoadAndApplySettings();
}

// Restarts the minute timer, or makes the change that a start or "Apply Settings" is due.
void CWallpaperDlg::ApplySchedule() {
    KillTimer(ID_ROTATION_TIMER);
    if (g_settings.frequencyMode == FREQ_MINUTES) {
        uint32_t period = 0;
        if (TimerPeriodForMinutes(g_settings.minutes, &period)) SetTimer(ID_ROTATION_TIMER, period);
        return;
    }
    if (g_settings.frequencyMode == FREQ_ONCE_A_DAY) {
        char today[128] = "";
        _strdate(today);
        if (!IsDailyChangeDue(today, g_settings.saveDate)) return;
    }
    MakeNextChange();
}

// Shows, selects and sets the entry after the saved one, or a random one; "<none>" when the
// list is empty.
void CWallpaperDlg::MakeNextChange() {
    int count = m_listWallpapers.GetCount();
    int position = g_settings.randomPick ? PickRandomIndex(count) : NextListPosition(g_settings.currentIndex, count);
    std::string path = count > 0 ? GetEntry(position) : "<none>";
    SetDlgItemText(IDC_CURRENT_SELECTION, path.c_str());
    m_listWallpapers.SetCurSel(position);
    OnSetWallpaperNow();
}

void CWallpaperDlg::OnTimer(UINT_PTR nIDEvent) {
    int count = m_listWallpapers.GetCount();
    if (count >= 1) {
        if (g_settings.randomPick) {
            g_timerPosition = PickRandomIndex(count);
            ShowAndSetWallpaper(g_timerPosition);
        } else {
            TimerStep step = StepTimerPosition(g_timerPosition, count);
            ShowAndSetWallpaper(step.shownPosition);
            g_timerPosition = step.nextPosition;
        }
    }
    CDialog::OnTimer(nIDEvent);
}

void CWallpaperDlg::ShowAndSetWallpaper(int position) {
    SetDlgItemText(IDC_CURRENT_SELECTION, GetEntry(position).c_str());
    OnSetWallpaperNow();
}
