// ce_path.h for the installer's strings.
#ifndef QUELLOR_PHONE_WCELOAD_DESKTOP_PATH_H
#define QUELLOR_PHONE_WCELOAD_DESKTOP_PATH_H

#include "ce_path.h"

#include <windows.h>

#include <string>

namespace wceload {

// The desktop path of a CE path; empty when it has none.
inline std::wstring DesktopOf(const std::wstring &cePath) {
    wchar_t path[MAX_PATH];
    return phone::DesktopPath(cePath.c_str(), path, MAX_PATH) ? std::wstring(path) : std::wstring();
}

}  // namespace wceload

#endif
