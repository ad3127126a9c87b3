#include "cabinet_reader.h"

#include <windows.h>

#include <setupapi.h>

#include <cwchar>

namespace wceload {

namespace {

struct Unpacking {
    std::wstring folder;
    std::map<int, std::wstring> *files;
    std::map<int, DWORD> sizes;  // as the cabinet gives them
    unsigned long long total = 0;
    std::wstring problem;
};

// The number of a name ending in a dot and three digits, or -1.
int FileNumber(const wchar_t *name) {
    size_t n = wcslen(name);
    if (n < 4 || name[n - 4] != L'.') return -1;
    int number = 0;
    for (size_t i = n - 3; i < n; ++i) {
        if (name[i] < L'0' || name[i] > L'9') return -1;
        number = number * 10 + (name[i] - L'0');
    }
    return number;
}

UINT Refuse(Unpacking *u, const std::wstring &problem) {
    u->problem = problem;
    SetLastError(ERROR_INVALID_DATA);
    return FILEOP_ABORT;
}

// Where each file goes: a name of the installer's own, whatever the cabinet
// calls it, so no name in it reaches outside the folder.
UINT FileInCabinet(Unpacking *u, FILE_IN_CABINET_INFO_W *info) {
    const int number = FileNumber(info->NameInCabinet);
    if (number < 0) return FILEOP_SKIP;
    if (u->files->count(number))
        return Refuse(u, L"the cabinet holds two files numbered " + std::to_wstring(number));
    u->total += info->FileSize;
    if (u->total > kMaxCabinetBytes)
        return Refuse(u, L"the cabinet unpacks to more than " + std::to_wstring(kMaxCabinetBytes) +
                             L" bytes");
    std::wstring target = u->folder + L"\\" + std::to_wstring(number) + L".bin";
    if (target.size() >= MAX_PATH) return Refuse(u, L"the temporary folder's path is too long");
    wcscpy(info->FullTargetName, target.c_str());
    (*u->files)[number] = target;
    u->sizes[number] = info->FileSize;
    return FILEOP_DOIT;
}

UINT CALLBACK Notify(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR) {
    auto *u = static_cast<Unpacking *>(context);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET:
        return FileInCabinet(u, reinterpret_cast<FILE_IN_CABINET_INFO_W *>(param1));
    case SPFILENOTIFY_FILEEXTRACTED: {
        const auto *paths = reinterpret_cast<const FILEPATHS_W *>(param1);
        if (paths->Win32Error != NO_ERROR)
            u->problem = std::wstring(L"a file of the cabinet cannot be unpacked (error ") +
                         std::to_wstring(paths->Win32Error) + L")";
        return paths->Win32Error;
    }
    case SPFILENOTIFY_NEEDNEWCABINET:
        u->problem = L"the cabinet continues in another cabinet";
        return ERROR_INVALID_DATA;
    default:
        return NO_ERROR;
    }
}

bool SizeIs(const std::wstring &path, DWORD size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
           data.nFileSizeHigh == 0 && data.nFileSizeLow == size;
}

}  // namespace

bool UnpackCabinet(const std::wstring &cabinet, const std::wstring &folder,
                   std::map<int, std::wstring> *files, std::wstring *problem) {
    files->clear();
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(cabinet.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || GetFileAttributesW(full) == INVALID_FILE_ATTRIBUTES) {
        *problem = L"there is no file " + cabinet;
        return false;
    }
    Unpacking u;
    u.folder = folder;
    u.files = files;
    if (!SetupIterateCabinetW(full, 0, Notify, &u)) {
        const DWORD error = GetLastError();
        *problem = !u.problem.empty() ? u.problem : L"the file is no cabinet or is damaged";
        if (u.problem.empty() && error) *problem += L" (error " + std::to_wstring(error) + L")";
        return false;
    }
    // A cabinet cut short may end a file early without a word.
    for (const auto &file : *files) {
        if (!SizeIs(file.second, u.sizes[file.first])) {
            *problem = L"file " + std::to_wstring(file.first) + L" of the cabinet is cut short";
            return false;
        }
    }
    return true;
}

}  // namespace wceload
