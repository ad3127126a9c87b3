#include "dialog_slot.h"

DialogSlot::DialogSlot() : object_(nullptr), window_(nullptr) {}

bool DialogSlot::Open(void *object) {
    if (object_ || !object) return false;
    object_ = object;
    window_ = nullptr;
    return true;
}

void DialogSlot::Close() {
    object_ = nullptr;
    window_ = nullptr;
}

void *DialogSlot::Find(HWND window, UINT message, LPARAM lParam) {
    if (!object_ || !window) return nullptr;
    if (message == WM_INITDIALOG) {
        // The run's own dialog hands over the object the run was opened with.
        if (window_ || reinterpret_cast<void *>(lParam) != object_) return nullptr;
        window_ = window;
        return object_;
    }
    return window == window_ ? object_ : nullptr;
}
