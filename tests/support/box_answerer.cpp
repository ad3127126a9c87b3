#include "box_answerer.h"

#include "window_search.h"

namespace harness {

namespace {

struct BoxSearch {
    const std::set<HWND> *known;
    HWND box;
};

BOOL CALLBACK FindNewBox(HWND window, LPARAM lp) {
    auto *search = reinterpret_cast<BoxSearch *>(lp);
    if (!IsWindowVisible(window) || ClassName(window) != kDialogClass ||
        !GetDlgItem(window, kMessageBoxTextId) || search->known->count(window))
        return TRUE;
    search->box = window;
    return FALSE;
}

BOOL CALLBACK Remember(HWND window, LPARAM lp) {
    reinterpret_cast<std::set<HWND> *>(lp)->insert(window);
    return TRUE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(DWORD thread, std::function<void(HWND)> meanwhile)
    : thread_(thread), meanwhile_(std::move(meanwhile)) {
    EnumThreadWindows(thread_, Remember, reinterpret_cast<LPARAM>(&known_));
    watcher_ = std::thread([this] { Watch(); });
}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

std::vector<SeenBox> BoxAnswerer::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void BoxAnswerer::Watch() {
    while (!stop_) {
        BoxSearch search = {&known_, nullptr};
        EnumThreadWindows(thread_, FindNewBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) {
            Sleep(10);
            continue;
        }
        if (meanwhile_) meanwhile_(search.box);
        SeenBox box = {Caption(search.box), MessageBoxText(search.box)};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(box);
        }
        // Remembered while it goes away, so one box is answered once.
        known_.insert(search.box);
        PostMessageW(search.box, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace harness
