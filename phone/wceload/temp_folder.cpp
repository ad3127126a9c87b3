#include "temp_folder.h"

#include <windows.h>

namespace wceload {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    if (n == 0 || n >= MAX_PATH) return;
    // Two installers at once each get their own.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::wstring path = std::wstring(temp) + L"wceload-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(attempt);
        if (CreateDirectoryW(path.c_str(), nullptr)) {
            path_ = path;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

}  // namespace wceload
