#include "dialog_slot.h"

DialogSlot::DialogSlot() : object_(NULL), window_(NULL) {}

bool DialogSlot::Open(void *object) {
    if (object_ || !object) return false;
    object_ = object;
    window_ = NULL;
    return true;
}

void DialogSlot::Close() {
    object_ = NULL;
    window_ = NULL;
}

void *DialogSlot::Find(HWND window, UINT message, LPARAM lParam) {
    if (!object_ || !window) return NULL;
    if (message == WM_INITDIALOG) {
        // The run's own dialog hands over the object the run was opened with.
        if (window_ || reinterpret_cast<void *>(lParam) != object_) return NULL;
        window_ = window;
        return object_;
    }
    return window == window_ ? object_ : NULL;
}
