// The main dialog's rotation: the desktop update, the frequency buttons, "Apply Settings",
// the schedule applied after every load of the settings, and the minute timer.
#include "WallpaperDlg.h"

#include <shellapi.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <optional>
#include <string>

#include "DesktopWallpaper.h"
#include "DibImage.h"
#include "PictureWorker.h"
#include "Schedule.h"
#include "SystemFolderLister.h"
#include "TrayIcon.h"
#include "TrayTip.h"
#include "WallpaperBitmap.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {

// The place in the sequence of pictures the next tick shows in list order; never saved.
int g_timerPosition = 0;

// How often a held change asks again whether the user is still busy.
constexpr UINT kHoldRetryMs = 5000;

// A full-screen program (a game, a film, a presentation) holds the user's eyes: the desktop
// should not change under it.
bool IsUserBusy() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) return false;
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

class CCrtRandomSource : public CRandomSource {
public:
    time_t Now() override { return time(nullptr); }
    void Seed(unsigned int seed) override { srand(seed); }
    int Next() override { return rand(); }
    int Max() override { return RAND_MAX; }
};

}  // namespace

std::vector<int> CWallpaperDlg::PickRandomIndexes(int count, int wanted) {
    CCrtRandomSource random;
    return ::PickRandomIndexes(count, wanted, random);
}

// A folder line in 1001 sets the folder's first picture; an empty folder sets nothing. With a
// picture on each monitor, the other monitors get the places after it.
void CWallpaperDlg::OnSetWallpaperNow() {
    std::string path = GetShownPath();
    if (IsFolderLine(path)) {
        path = FirstPictureOf(path);
        if (path.empty()) return;
    }
    WallpaperChange change = NewChange(ChangeKind::Now);
    change.entries = {path};
    int wanted = PicturesPerChange();
    if (wanted > 1) {
        std::vector<Place> places = ReadPictureSequence();
        int count = int(places.size());
        std::vector<int> others = ListOrderPicks((FindPlace(places, path) + 1) % std::max(count, 1), wanted - 1, count);
        for (int position : ChangeCandidates(others, count)) change.entries.push_back(places[size_t(position)].path);
    }
    StartChange(change);
}

WallpaperChange CWallpaperDlg::NewChange(ChangeKind kind) const {
    WallpaperChange change;
    change.kind = kind;
    change.position = m_display.position;
    change.eachMonitor = m_display.eachMonitor;
    change.shownBefore = GetShownPath();
    change.selectedBefore = m_listWallpapers.GetCurSel();
    return change;
}

// A bitmap that the desktop places itself goes to it at once when no change is under way; a
// picture, a composed wallpaper, or anything due while a change is under way, goes to the picture
// worker, which keeps the changes in order.
void CWallpaperDlg::StartChange(const WallpaperChange& change) {
    if (change.position == PicturePosition::SystemSetting && !m_pPictureWorker->IsChangeUnderWay() &&
        IsBitmapFile(change.entries[0].c_str())) {
        WallpaperChange done = change;
        done.chosen = 0;
        done.wallpaper = change.entries[0];
        FinishChange(done);
        return;
    }
    m_pPictureWorker->QueueChange(change);
}

// A composed wallpaper could not read a bitmap as the bitmap reader's box says it.
void CWallpaperDlg::ReportRefusal(const WallpaperChange& change) {
    const std::string& entry = change.entries[0];
    bool composedBitmap = change.position != PicturePosition::SystemSetting &&
                          change.refusal != PictureRefusal::NotWritten && IsBitmapEntry(entry, nullptr, 0);
    AfxMessageBox(composedBitmap ? kNotABitmapMessage : RefusalText(entry, change.refusal).c_str(), MB_OK);
}

// A change the worker has done: the desktop is given its file, and 1001, the selection and the
// timer's position follow the entry it ended on (passed on to, or the last monitor's). Set
// Wallpaper Now reports a refused picture and leaves 1001 as it is; a scheduled change that found
// nothing to show leaves everything as it was.
void CWallpaperDlg::FinishChange(const WallpaperChange& change) {
    if (change.chosen < 0) {
        if (change.kind == ChangeKind::Now) {
            ReportRefusal(change);
            return;
        }
        SetDlgItemText(IDC_CURRENT_SELECTION, change.shownBefore.c_str());
        if (change.kind == ChangeKind::Start) m_listWallpapers.SetCurSel(change.selectedBefore);
        return;
    }
    int count = int(change.entries.size());
    if (change.chosen > 0 && change.kind != ChangeKind::Now) {
        int position = change.positions[size_t(change.chosen)];
        const std::string& chosen = change.entries[size_t(change.chosen)];
        SetDlgItemText(IDC_CURRENT_SELECTION, chosen.c_str());
        if (change.kind == ChangeKind::Start) SelectLine(change.lines[size_t(change.chosen)], chosen);
        if (change.kind == ChangeKind::Tick) g_timerPosition = g_settings.randomPick ? position : (position + 1) % count;
    }
    HandToDesktop(change);
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
    ApplyDisplaySettings(GetDisplaySettingsFromControls());
    m_listWallpapers.ResetContent();
    LoadAndApplySettings();
}

// Restarts the minute timer, or makes the change that a start or "Apply Settings" is due.
void CWallpaperDlg::ApplySchedule() {
    RestartMinuteTimer();
    if (g_settings.frequencyMode == FREQ_MINUTES) return;
    if (g_settings.frequencyMode == FREQ_ONCE_A_DAY) {
        char today[128] = "";
        _strdate(today);
        if (!IsDailyChangeDue(today, g_settings.saveDate)) return;
    }
    MakeScheduledChange(ChangeKind::Start);
}

void CWallpaperDlg::RestartMinuteTimer() {
    KillTimer(ID_ROTATION_TIMER);
    uint32_t period = 0;
    if (g_settings.frequencyMode == FREQ_MINUTES && TimerPeriodForMinutes(g_settings.minutes, &period)) {
        SetTimer(ID_ROTATION_TIMER, period);
    }
}

// The icon's Next Picture: the place after 1001's picture (or a random other one), shown as a
// tick shows it; the minute timer goes on after it, a whole period later. Neither a pause nor a
// busy user holds it.
void CWallpaperDlg::OnNextPicture() {
    std::vector<Place> places = ReadPictureSequence();
    int count = int(places.size());
    if (count == 0) return;
    int current = FindPlace(places, GetShownPath());
    CCrtRandomSource random;
    int first = g_settings.randomPick ? PickOtherIndex(count, current, random) : (current + 1) % count;
    std::vector<int> picks = ListOrderPicks(first, PicturesPerChange(), count);
    ChangeToPlaces(ChangeKind::Tick, places, picks);
    g_timerPosition = g_settings.randomPick ? first : (picks.back() + 1) % count;
    RestartMinuteTimer();
}

// A change due while one is held merges into the held one.
void CWallpaperDlg::MakeScheduledChange(ChangeKind kind) {
    if (m_display.rotationPaused || m_heldChange) return;
    if (IsUserBusy()) {
        m_heldChange = kind;
        SetTimer(ID_HOLD_TIMER, kHoldRetryMs);
        return;
    }
    if (kind == ChangeKind::Tick) {
        MakeTick();
    } else {
        MakeNextChange();
    }
}

void CWallpaperDlg::OnHoldTimer() {
    if (IsUserBusy()) return;
    KillTimer(ID_HOLD_TIMER);
    ChangeKind kind = *m_heldChange;
    m_heldChange.reset();
    MakeScheduledChange(kind);
}

// Shows, selects and sets the picture after the saved one, or a random one (one for each monitor
// where each has its own); "<none>" when the sequence of pictures is empty.
void CWallpaperDlg::MakeNextChange() {
    std::vector<Place> places = ReadPictureSequence();
    int count = int(places.size());
    int wanted = PicturesPerChange();
    std::vector<int> picks = g_settings.randomPick
                                 ? PickRandomIndexes(count, wanted)
                                 : ListOrderPicks(NextListPosition(g_settings.currentIndex, count), wanted, count);
    if (count > 0) {
        ChangeToPlaces(ChangeKind::Start, places, picks);
        return;
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, "<none>");
    m_listWallpapers.SetCurSel(-1);
    OnSetWallpaperNow();
}

void CWallpaperDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == ID_HOLD_TIMER) {
        OnHoldTimer();
    } else {
        MakeScheduledChange(ChangeKind::Tick);
    }
    CDialog::OnTimer(nIDEvent);
}

// A tick while a change waits merges into that change.
void CWallpaperDlg::MakeTick() {
    std::vector<Place> places;
    if (!m_pPictureWorker->IsChangeWaiting()) places = ReadPictureSequence();
    int count = int(places.size());
    if (count >= 1) {
        int wanted = PicturesPerChange();
        if (g_settings.randomPick) {
            std::vector<int> picks = PickRandomIndexes(count, wanted);
            g_timerPosition = picks[0];
            ChangeToPlaces(ChangeKind::Tick, places, picks);
        } else {
            TimerStep step = StepTimerPosition(g_timerPosition, count);
            ChangeToPlaces(ChangeKind::Tick, places, ListOrderPicks(step.shownPosition, wanted, count));
            g_timerPosition = step.nextPosition;
        }
    }
}

// Shows the first picked picture in 1001 (and selects its line, at start-up and "Apply
// Settings") and makes the picks the wallpaper. The other pictures of the sequence go along for
// the change to pass on to when one cannot be shown.
void CWallpaperDlg::ChangeToPlaces(ChangeKind kind, const std::vector<Place>& places, const std::vector<int>& picks) {
    WallpaperChange change = NewChange(kind);
    for (int position : ChangeCandidates(picks, int(places.size()))) {
        const Place& place = places[size_t(position)];
        change.entries.push_back(place.path);
        change.lines.push_back(place.line);
        change.positions.push_back(position);
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, change.entries[0].c_str());
    if (kind == ChangeKind::Start) SelectLine(change.lines[0], change.entries[0]);
    StartChange(change);
}

// A composed wallpaper needs the desktop's style values set before the desktop reads them.
void CWallpaperDlg::HandToDesktop(const WallpaperChange& change) {
    if (change.position != PicturePosition::SystemSetting) SetComposedStyle(change.layout);
    std::string wallpaper = change.wallpaper;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &wallpaper[0], SPIF_UPDATEINIFILE);
    m_pTrayIcon->SetTip(TrayTip(change.entries[size_t(change.chosen)]));
}
