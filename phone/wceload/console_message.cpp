#include "console_message.h"

#include <windows.h>

namespace wceload {

void Say(const std::wstring &line) {
    const std::wstring text = L"wceload: " + line + L"\n";
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
    DWORD mode, written;
    if (GetFileType(err) == FILE_TYPE_CHAR && GetConsoleMode(err, &mode)) {
        WriteConsoleW(err, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes,
                        nullptr, nullptr);
    WriteFile(err, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace wceload
