// The main dialog's rotation: the desktop update, the frequency buttons, "Apply Settings",
// the schedule applied after every load of the settings, and the minute timer.
#include "WallpaperDlg.h"

#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include "DesktopWallpaper.h"
#include "PictureWorker.h"
#include "Schedule.h"
#include "SystemFolderLister.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {

// The place in the sequence of pictures the next tick shows in list order; never saved.
int g_timerPosition = 0;

class CCrtRandomSource : public CRandomSource {
public:
    time_t Now() override { return time(nullptr); }
    void Seed(unsigned int seed) override { srand(seed); }
    int Next() override { return rand(); }
    int Max() override { return RAND_MAX; }
};

}  // namespace

int CWallpaperDlg::PickRandomIndex(int count) {
    CCrtRandomSource random;
    return ::PickRandomIndex(count, random);
}

// A folder line in 1001 sets the folder's first picture; an empty folder sets nothing.
void CWallpaperDlg::OnSetWallpaperNow() {
    std::string path = GetShownPath();
    if (IsFolderLine(path)) {
        path = FirstPictureOf(path);
        if (path.empty()) return;
    }
    WallpaperChange change;
    change.entries = {path};
    StartChange(change);
}

// A bitmap goes to the desktop at once when no change is under way; a picture, or anything
// due while a change is under way, goes to the picture worker, which keeps the changes in order.
void CWallpaperDlg::StartChange(const WallpaperChange& change) {
    if (!m_pPictureWorker->IsChangeUnderWay() && IsBitmapFile(change.entries[0].c_str())) {
        HandToDesktop(change.entries[0]);
        return;
    }
    m_pPictureWorker->QueueChange(change);
}

// A change the worker has done: the desktop is given its file, and 1001, the selection and the
// timer's position follow an entry it passed on to. Set Wallpaper Now reports a refused picture;
// a scheduled change that found nothing to show leaves everything as it was.
void CWallpaperDlg::FinishChange(const WallpaperChange& change) {
    if (change.chosen < 0) {
        if (change.kind == ChangeKind::Now) {
            AfxMessageBox(RefusalText(change.entries[0], change.refusal).c_str(), MB_OK);
            return;
        }
        SetDlgItemText(IDC_CURRENT_SELECTION, change.shownBefore.c_str());
        if (change.kind == ChangeKind::Start) m_listWallpapers.SetCurSel(change.selectedBefore);
        return;
    }
    int count = int(change.entries.size());
    if (change.chosen > 0) {
        int position = (change.firstPosition + change.chosen) % count;
        const std::string& chosen = change.entries[size_t(change.chosen)];
        SetDlgItemText(IDC_CURRENT_SELECTION, chosen.c_str());
        if (change.kind == ChangeKind::Start) SelectLine(change.lines[size_t(change.chosen)], chosen);
        if (change.kind == ChangeKind::Tick) g_timerPosition = g_settings.randomPick ? position : (position + 1) % count;
    }
    HandToDesktop(change.wallpaper);
}

void CWallpaperDlg::OnPictureDecoded() {
    TakePreviewResult();
    while (std::optional<WallpaperChange> change = m_pPictureWorker->TakeChange()) FinishChange(*change);
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

// Shows, selects and sets the picture after the saved one, or a random one; "<none>" when the
// sequence of pictures is empty.
void CWallpaperDlg::MakeNextChange() {
    std::vector<Place> places = ReadPictureSequence();
    int count = int(places.size());
    int position = g_settings.randomPick ? PickRandomIndex(count) : NextListPosition(g_settings.currentIndex, count);
    if (count > 0) {
        ChangeToPlace(ChangeKind::Start, places, position);
        return;
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, "<none>");
    m_listWallpapers.SetCurSel(-1);
    OnSetWallpaperNow();
}

// A tick while a change waits merges into that change.
void CWallpaperDlg::OnTimer(UINT_PTR nIDEvent) {
    std::vector<Place> places;
    if (!m_pPictureWorker->IsChangeWaiting()) places = ReadPictureSequence();
    int count = int(places.size());
    if (count >= 1) {
        if (g_settings.randomPick) {
            g_timerPosition = PickRandomIndex(count);
            ChangeToPlace(ChangeKind::Tick, places, g_timerPosition);
        } else {
            TimerStep step = StepTimerPosition(g_timerPosition, count);
            ChangeToPlace(ChangeKind::Tick, places, step.shownPosition);
            g_timerPosition = step.nextPosition;
        }
    }
    CDialog::OnTimer(nIDEvent);
}

// Shows the picture at `position` in 1001 (and selects its line, at start-up and "Apply
// Settings") and makes it the wallpaper. The pictures after it, once round the sequence, go
// along for the change to pass on to when it cannot be shown.
void CWallpaperDlg::ChangeToPlace(ChangeKind kind, const std::vector<Place>& places, int position) {
    WallpaperChange change;
    change.kind = kind;
    change.firstPosition = position;
    change.shownBefore = GetShownPath();
    change.selectedBefore = m_listWallpapers.GetCurSel();
    for (size_t step = 0; step < places.size(); ++step) {
        const Place& place = places[(size_t(position) + step) % places.size()];
        change.entries.push_back(place.path);
        change.lines.push_back(place.line);
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, change.entries[0].c_str());
    if (kind == ChangeKind::Start) SelectLine(change.lines[0], change.entries[0]);
    StartChange(change);
}

void CWallpaperDlg::HandToDesktop(std::string wallpaper) {
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &wallpaper[0], SPIF_UPDATEINIFILE);
}
