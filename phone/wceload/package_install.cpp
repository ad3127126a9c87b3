#include "package_install.h"

#include "cabinet_reader.h"
#include "console_message.h"
#include "desktop_path.h"
#include "install_script.h"
#include "package_record.h"
#include "package_remove.h"
#include "phone_constants.h"
#include "setup_dll.h"
#include "shortcut_file.h"
#include "temp_folder.h"
#include "wceload_constants.h"

#include <windows.h>

#include <map>
#include <vector>

namespace wceload {

namespace {

// A control file larger than this is no package's.
constexpr DWORD kMaxScriptBytes = 1 << 20;

// The package, read and checked, and where its parts are unpacked.
struct Package {
    InstallScript script;
    std::map<int, std::wstring> unpacked;  // file number -> desktop path
    std::wstring name;                     // "<Provider> <AppName>"
    std::wstring keptDll;                  // CE path; empty without a setup DLL
};

bool ReadFileBytes(const std::wstring &path, std::vector<unsigned char> *bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart <= kMaxScriptBytes;
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes->empty() ||
             (ReadFile(h, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
              got == bytes->size());
    }
    CloseHandle(h);
    return ok;
}

bool Refuse(const std::wstring &cabinet, const std::wstring &problem) {
    Say(cabinet + L" is refused: " + problem + L"; nothing was installed");
    return false;
}

// Every path the package writes to exists on the phone's drive.
bool PathsFit(const Package &p, std::wstring *problem) {
    std::vector<std::wstring> paths = p.script.folders;
    for (const auto &file : p.script.files) paths.push_back(file.folder + L"\\" + file.name);
    for (const auto &link : p.script.links) paths.push_back(link.file);
    if (!p.keptDll.empty()) paths.push_back(p.keptDll);
    for (const auto &path : paths) {
        if (DesktopOf(path).empty()) {
            *problem = L"it writes to " + path + L", which the phone cannot hold";
            return false;
        }
    }
    return true;
}

// Reads and checks everything, changing nothing on the phone.
bool ReadPackage(const std::wstring &cabinet, const std::wstring &folder, Package *p,
                 SetupDll *dll) {
    std::wstring problem;
    if (!UnpackCabinet(cabinet, folder, &p->unpacked, &problem)) return Refuse(cabinet, problem);
    auto script = p->unpacked.find(kScriptNumber);
    if (script == p->unpacked.end()) return Refuse(cabinet, L"it has no control file (.000)");
    std::vector<unsigned char> bytes;
    if (!ReadFileBytes(script->second, &bytes))
        return Refuse(cabinet, L"its control file cannot be read or is too large");
    if (!ReadInstallScript(bytes, &p->script, &problem)) return Refuse(cabinet, problem);
    for (const auto &file : p->script.files)
        if (!p->unpacked.count(file.number))
            return Refuse(cabinet, L"its control file installs " + file.name +
                                       L" from cabinet file " + std::to_wstring(file.number) +
                                       L", which the cabinet does not hold");
    p->name = p->script.PackageName();
    if (!PackageNameUsable(p->name))
        return Refuse(cabinet, L"\"" + p->name + L"\" can be no package's name");
    auto setup = p->unpacked.find(kSetupDllNumber);
    if (setup != p->unpacked.end()) {
        if (!dll->Load(setup->second, &problem)) return Refuse(cabinet, problem);
        p->keptDll = std::wstring(phone::kAppMgrFolder) + L"\\" + p->name + L".dll";
    }
    if (!PathsFit(*p, &problem)) return Refuse(cabinet, problem);
    return true;
}

// Makes the folder at CE path and those above it that are missing; the
// ones it made go into made, outer first.
bool MakeFolders(const std::wstring &cePath, std::vector<std::wstring> *made) {
    for (size_t at = cePath.find(L'\\', 1);; at = cePath.find(L'\\', at + 1)) {
        const std::wstring part = cePath.substr(0, at);
        const std::wstring path = DesktopOf(part);
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryW(path.c_str(), nullptr)) return false;
            if (made) made->push_back(part);
        }
        if (at == std::wstring::npos) return true;
    }
}

std::wstring FolderOf(const std::wstring &cePath) {
    return cePath.substr(0, cePath.rfind(L'\\'));
}

bool Copy(const std::wstring &from, const std::wstring &ceTo) {
    if (CopyFileW(from.c_str(), DesktopOf(ceTo).c_str(), FALSE)) return true;
    Say(L"cannot write " + ceTo + L" (error " + std::to_wstring(GetLastError()) + L")");
    return false;
}

struct Failures {
    WORD folders = 0;
    WORD files = 0;
    WORD shortcuts = 0;
    bool Any() const { return folders || files || shortcuts; }
};

// Puts the package's folders, files, shortcuts and setup DLL on the phone,
// the record first, so that even an install cut short can be removed.
Failures PutOnPhone(const Package &p, PackageRecord *record) {
    Failures failed;
    record->installDir = p.script.installDir;
    for (const auto &folder : p.script.folders) {
        if (!MakeFolders(folder, &record->folders)) {
            Say(L"cannot make the folder " + folder);
            ++failed.folders;
        }
    }
    for (const auto &file : p.script.files)
        record->files.push_back(file.folder + L"\\" + file.name);
    for (const auto &link : p.script.links) record->shortcuts.push_back(link.file);
    record->setupDll = p.keptDll;
    if (!WriteRecord(p.name, *record)) Say(L"cannot write the record of \"" + p.name + L"\"");

    for (const auto &file : p.script.files)
        failed.files += !Copy(p.unpacked.at(file.number), file.folder + L"\\" + file.name);
    for (const auto &link : p.script.links) {
        if (!MakeFolders(FolderOf(link.file), nullptr) ||
            !phone::WriteShortcut(DesktopOf(link.file).c_str(), link.target.c_str())) {
            Say(L"cannot make the shortcut " + link.file);
            ++failed.shortcuts;
        }
    }
    if (!p.keptDll.empty() && !(MakeFolders(phone::kAppMgrFolder, nullptr) &&
                                Copy(p.unpacked.at(kSetupDllNumber), p.keptDll)))
        ++failed.files;
    return failed;
}

}  // namespace

bool InstallPackage(const std::wstring &cabinet) {
    TempFolder temp;
    if (temp.Path().empty()) return Refuse(cabinet, L"no temporary folder can be made");
    Package p;
    SetupDll dll;  // the new package's, loaded from where it is unpacked
    if (!ReadPackage(cabinet, temp.Path(), &p, &dll)) return false;

    PackageRecord old;
    const bool previous = ReadRecord(p.name, &old);
    if (previous) {
        const Removal removal = RemovePackage(p.name);
        if (removal == Removal::kCancelled) {
            Say(L"\"" + p.name + L"\" stays as it was installed; nothing was installed");
            return false;
        }
        if (removal == Removal::kIncomplete) Say(L"installing over what was left of it");
    }
    if (dll.InstallInit(previous, p.script.installDir) == codeINSTALL_INIT_CANCEL) {
        Say(L"the setup DLL of \"" + p.name +
            L"\" cancelled the installation: nothing was installed");
        return false;
    }
    PackageRecord record;
    const Failures failed = PutOnPhone(p, &record);
    if (dll.InstallExit(p.script.installDir, failed.folders, failed.files, failed.shortcuts) ==
        codeINSTALL_EXIT_UNINSTALL) {
        Say(L"the setup DLL of \"" + p.name + L"\" undid the installation");
        DeleteInstalled(record);
        DeleteRecord(p.name);
        if (!p.keptDll.empty()) DeletePhoneFile(p.keptDll);
        return false;
    }
    record.installed = true;
    if (!WriteRecord(p.name, record)) {
        Say(L"cannot write the record of \"" + p.name + L"\"");
        return false;
    }
    if (failed.Any()) {
        Say(L"\"" + p.name + L"\" is installed in part only");
        return false;
    }
    return true;
}

}  // namespace wceload
