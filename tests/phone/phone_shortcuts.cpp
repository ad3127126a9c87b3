#include "phone_shortcuts.h"

#include "ce_path.h"
#include "phone_constants.h"

#include <windows.h>

namespace phonetest {

std::string Counted(const std::string &line) {
    return std::to_string(line.size()) + "#" + line;
}

std::string ShortcutTo(const std::wstring &path) {
    return Counted("\"" + std::string(path.begin(), path.end()) + "\"");
}

ShortcutFiles::~ShortcutFiles() {
    for (const auto &file : files_) DeleteFileW(file.c_str());
}

bool ShortcutFiles::Put(const wchar_t *folder, const std::wstring &name, const std::string &text) {
    const std::wstring path = std::wstring(phone::kPhoneRoot) + folder;
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    const std::wstring file = path + L"\\" + name + phone::kShortcutSuffix;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    files_.push_back(file);
    DWORD written = 0;
    BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
}

}  // namespace phonetest
