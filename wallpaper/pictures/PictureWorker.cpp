// The decoding thread and the hand-over of its work and results.
#include "PictureWorker.h"

#include "DesktopWallpaper.h"
#include "WallpaperComposer.h"

namespace {

// The preview is drawn 1:1 over the desktop's colour too, where the picture is transparent.
CopyGeometry WholePictureAt(uint32_t width, uint32_t height, uint32_t targetWidth, uint32_t targetHeight) {
    return CopyGeometry{PixelRect{0, 0, width, height}, targetWidth, targetHeight};
}

}  // namespace

CPictureWorker::CPictureWorker(HWND window, UINT message, std::string copyPath)
    : m_window(window), m_message(message), m_copyPath(std::move(copyPath)), m_thread(&CPictureWorker::Run, this) {}

CPictureWorker::~CPictureWorker() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CPictureWorker::RequestPreview(const PreviewRequest& request) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_previewGeneration;
        m_previewWaiting = request;
        m_previewDone.reset();
    }
    m_wake.notify_one();
}

std::optional<PreviewResult> CPictureWorker::TakePreview() {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::optional<PreviewResult> result = std::move(m_previewDone);
    m_previewDone.reset();
    return result;
}

void CPictureWorker::QueueChange(const WallpaperChange& change) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_changeWaiting = change;
    }
    m_wake.notify_one();
}

bool CPictureWorker::IsChangeWaiting() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_changeWaiting.has_value();
}

bool CPictureWorker::IsChangeUnderWay() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_changeRunning || m_changeWaiting.has_value();
}

std::optional<WallpaperChange> CPictureWorker::TakeChange() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_changesDone.empty()) return std::nullopt;
    WallpaperChange change = std::move(m_changesDone.front());
    m_changesDone.pop_front();
    return change;
}

// A preview is decoded before a change: the user waits for it, while a change is due anyway.
void CPictureWorker::Run() {
    CComApartment apartment;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stopping || m_previewWaiting || m_changeWaiting; });
        if (m_stopping) return;
        if (m_previewWaiting) {
            PreviewRequest request = std::move(*m_previewWaiting);
            m_previewWaiting.reset();
            unsigned generation = m_previewGeneration;
            lock.unlock();
            DecodePreview(request, generation);
            lock.lock();
            continue;
        }
        WallpaperChange change = std::move(*m_changeWaiting);
        m_changeWaiting.reset();
        m_changeRunning = true;
        lock.unlock();
        MakeChange(change);
        lock.lock();
        m_changeRunning = false;
        m_changesDone.push_back(std::move(change));
        Announce();
    }
}

void CPictureWorker::DecodePreview(const PreviewRequest& request, unsigned generation) {
    auto superseded = [this, generation] {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_stopping || generation != m_previewGeneration;
    };
    auto geometry = [&request](uint32_t width, uint32_t height) {
        return WholePictureAt(width, height, request.width, request.height);
    };
    PreviewResult result;
    result.path = request.path;
    result.refusal = DecodePicture(request.path.c_str(), geometry, DesktopColor(), superseded, result.picture);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (generation != m_previewGeneration) return;
    m_previewDone = std::move(result);
    Announce();
}

bool CPictureWorker::IsStopping() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stopping;
}

// Bitmaps go to the desktop as they are; a picture becomes the bitmap copy. Set Wallpaper Now
// tries its one entry; a scheduled change goes on to the next entry until one can be shown.
void CPictureWorker::MakeChange(WallpaperChange& change) {
    if (change.position != PicturePosition::SystemSetting) {
        MakeComposedChange(change);
        return;
    }
    auto stopping = [this] { return IsStopping(); };
    for (size_t at = 0; at < change.entries.size(); ++at) {
        const char* entry = change.entries[at].c_str();
        if (IsBitmapFile(entry)) {
            change.chosen = int(at);
            change.wallpaper = entry;
            return;
        }
        PictureRefusal refusal = WriteWallpaperCopy(entry, m_copyPath.c_str(), stopping);
        if (refusal == PictureRefusal::None) {
            change.chosen = int(at);
            change.wallpaper = m_copyPath;
            return;
        }
        if (at == 0) change.refusal = refusal;
        if (change.kind == ChangeKind::Now || stopping()) return;
    }
}

// Every entry, bitmaps too, is decoded into the composed bitmap: one picture for all monitors,
// or the next one for each monitor, passing over those that cannot be shown. Set Wallpaper Now
// stops at once when 1001's own picture cannot be.
void CPictureWorker::MakeComposedChange(WallpaperChange& change) {
    auto stopping = [this] { return IsStopping(); };
    CWallpaperComposer composer(change.position, DisplayMonitors(), DesktopColor(), stopping);
    size_t wanted = change.eachMonitor ? composer.MonitorCount() : 1;
    std::vector<size_t> shown;
    for (size_t at = 0; at < change.entries.size() && shown.size() < wanted; ++at) {
        const char* entry = change.entries[at].c_str();
        PictureRefusal refusal =
            change.eachMonitor ? composer.DrawOnMonitor(entry, shown.size()) : composer.DrawOnEveryMonitor(entry);
        if (refusal == PictureRefusal::None) {
            shown.push_back(at);
            continue;
        }
        if (at == 0) change.refusal = refusal;
        if ((change.kind == ChangeKind::Now && at == 0) || stopping()) return;
    }
    if (shown.empty()) return;
    for (size_t monitor = shown.size(); monitor < wanted; ++monitor) {
        size_t at = shown[monitor % shown.size()];
        composer.DrawOnMonitor(change.entries[at].c_str(), monitor);
        shown.push_back(at);
    }
    change.layout = DesktopLayoutKind();
    PictureRefusal written = composer.Write(change.layout, m_copyPath.c_str());
    if (written != PictureRefusal::None) {
        change.refusal = written;
        return;
    }
    change.chosen = int(shown.back());
    change.wallpaper = m_copyPath;
}

void CPictureWorker::Announce() {
    PostMessageA(m_window, m_message, 0, 0);
}
