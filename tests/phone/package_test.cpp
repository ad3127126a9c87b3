// The lock's package, build/Quellor.cab with the real setup DLL and agent,
// installed and removed by the phone's installer on a phone of its own. Each
// test starts with every trace of the package gone.
#include "control_channel.h"
#include "keys.h"
#include "phone_constants.h"
#include "program_launch.h"
#include "programs.h"
#include "scenario_test.h"
#include "settings_key.h"
#include "wceload_constants.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using namespace harness;

namespace {

const wchar_t kPackage[] = L"Quellor Квеллор";
const std::wstring kInstallDir = L"\\Program Files\\Quellor";
const std::wstring kAgentFile = kInstallDir + L"\\" + kAgentExe;
const std::wstring kSettingsFile = kInstallDir + L"\\" + kSettingsExe;
// Everything the package puts on the phone, as CE paths.
const std::wstring kPlaced[] = {
    kAgentFile,
    kSettingsFile,
    std::wstring(phone::kStartUpFolder) + L"\\Quelwatch.lnk",
    std::wstring(phone::kProgramsFolder) + L"\\Квеллор.lnk",
    std::wstring(phone::kAppMgrFolder) + L"\\" + kPackage + L".dll",
};
const std::wstring kRecordKey = std::wstring(wceload::kAppsKey) + L"\\" + kPackage;
const int kSettingsRow = 4;  // the package's program, under the four applications

std::wstring Desktop(const std::wstring &cePath) {
    return L"C:" + cePath;
}
bool Exists(const std::wstring &cePath) {
    return GetFileAttributesW(Desktop(cePath).c_str()) != INVALID_FILE_ATTRIBUTES;
}
std::string Bytes(const std::wstring &path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void PutBytes(const std::wstring &path, const std::string &bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}
std::wstring Lower(std::wstring s) {
    for (auto &c : s) c = static_cast<wchar_t>(towlower(c));
    return s;
}

// The cabinet the build packed, as a Windows path.
std::wstring Cabinet() {
    std::wstring path = L"Z:" + std::wstring(QUELLOR_CAB, QUELLOR_CAB + sizeof QUELLOR_CAB - 1);
    for (auto &c : path) c = c == L'/' ? L'\\' : c;
    return path;
}

struct Outcome {
    DWORD code = 99;
    std::string said;  // stderr, UTF-8
};

// wceload with args, waited for, its stderr read.
Outcome Installer(const std::wstring &args) {
    Outcome run;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // A file of each run's own: a program the setup DLL starts may keep the
    // installer's handles, and with them the file, open.
    static int runs = 0;
    const std::wstring log =
        std::wstring(temp) + L"wceload-said-" + std::to_wstring(++runs) + L".txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             0, nullptr);
    PROCESS_INFORMATION pi = {};
    if (phone::StartProcess(ProgramPath(phone::kInstallerExe).c_str(), args.c_str(), &pi, out)) {
        // Its end is what is waited for; the time only bounds a hang.
        if (WaitForSingleObject(pi.hProcess, 4 * kStartMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &run.code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(out);
    run.said = Bytes(log);
    DeleteFileW(log.c_str());
    return run;
}
Outcome Install(const std::wstring &cabinet) {
    return Installer(L"\"" + cabinet + L"\"");
}

// The running agent's process, once its window is published; 0 if none comes.
DWORD Agent(DWORD timeoutMs = kStartMs) {
    static AgentWindowCell *cell = OpenAgentWindowCell();
    WaitUntil([&] { return ProcessOf(AgentWindowOf(cell)) != 0; }, timeoutMs);
    return ProcessOf(AgentWindowOf(cell));
}
std::wstring ImageOf(DWORD pid) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process && !QueryFullProcessImageNameW(process, 0, path, &size)) path[0] = 0;
    if (process) CloseHandle(process);
    return Lower(path);
}

DWORD RecordedInstalled() {
    DWORD value = 0, size = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, kRecordKey.c_str(), wceload::kInstalledValue, RRF_RT_DWORD,
                 nullptr, &value, &size);
    return value;
}
bool KeyExists(const std::wstring &path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class Package : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        Scrub();
    }
    void TearDown() override {
        ScenarioTest::TearDown();
        Scrub();
    }
    // A phone the package never was on.
    static void Scrub() {
        for (const auto &file : kPlaced) DeleteFileW(Desktop(file).c_str());
        RemoveDirectoryW(Desktop(kInstallDir).c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRecordKey.c_str());
    }
    void ExpectInstalled() {
        for (const auto &file : kPlaced) EXPECT_TRUE(Exists(file)) << "no " << file;
        EXPECT_EQ(RecordedInstalled(), 1u);
    }
    HWND StartHome(const wchar_t *args) {
        if (!home_.Start(phone::kHomeExe, args)) return nullptr;
        HWND home = WaitForWindow(phone::kHomeClass, nullptr, kStartMs);
        if (home) WaitForForeground(home);
        return home;
    }
    Process home_;
};

TEST_F(Package, InstallPutsEverythingInPlaceAndTheAgentLocksAtOnce) {
    Outcome run = Install(Cabinet());
    ASSERT_EQ(run.code, 0u) << run.said;
    ExpectInstalled();
    EXPECT_EQ(Bytes(Desktop(kAgentFile)), Bytes(ProgramPath(kAgentExe)));
    EXPECT_EQ(Bytes(Desktop(kSettingsFile)), Bytes(ProgramPath(kSettingsExe)));
    const DWORD agent = Agent();
    ASSERT_NE(agent, 0u) << "Install_Exit started no agent";
    EXPECT_EQ(ImageOf(agent), Lower(Desktop(kAgentFile)));

    ASSERT_NE(StartHome(phone::kNoStartupArg), nullptr);
    ChooseRow(0);  // Contacts
    ASSERT_TRUE(WaitForegroundClass(kDialogClass, kStartMs)) << "Contacts was not locked";
    EXPECT_EQ(ProcessOf(GetForegroundWindow()), agent);
}

TEST_F(Package, AfterARestartTheAgentStartsFromStartUpAndTheSettingsFromTheMenu) {
    Outcome run = Install(Cabinet());
    ASSERT_EQ(run.code, 0u) << run.said;
    KillPrograms(PhonePrograms());
    ASSERT_NE(StartHome(nullptr), nullptr);
    ASSERT_TRUE(home_.WaitStarted(kStartMs));
    const DWORD agent = Agent();
    ASSERT_NE(agent, 0u) << "the start-up shortcut started no agent";
    EXPECT_EQ(ImageOf(agent), Lower(Desktop(kAgentFile)));

    ChooseRow(kSettingsRow);
    ASSERT_TRUE(WaitForegroundClass(kDialogClass, kStartMs));
    EXPECT_EQ(ImageOf(ProcessOf(GetForegroundWindow())), Lower(Desktop(kSettingsFile)));
}

TEST_F(Package, UninstallStopsTheAgentAndLeavesTheSettingsAndOthersKeys) {
    const std::wstring other = std::wstring(wceload::kAppsKey) + L"\\Other Program";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, other.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    Outcome run = Install(Cabinet());
    ASSERT_EQ(run.code, 0u) << run.said;
    const DWORD agent = Agent();
    ASSERT_NE(agent, 0u);
    ASSERT_TRUE(PutSettings(LOCK_SMS, L"1379"));
    RawValue flags, password, flagsAfter, passwordAfter;
    ASSERT_TRUE(ReadValue(kLockOptionValue, &flags) && ReadValue(kPasswordValue, &password));

    run = Installer(std::wstring(wceload::kUninstallArg) + L" \"" + kPackage + L"\"");
    EXPECT_EQ(run.code, 0u) << run.said;
    EXPECT_TRUE(WaitProcessEnds(agent, 0)) << "the agent still runs";
    for (const auto &file : kPlaced) EXPECT_FALSE(Exists(file)) << file << " is left";
    EXPECT_FALSE(Exists(kInstallDir));
    EXPECT_FALSE(KeyExists(kRecordKey));
    EXPECT_TRUE(KeyExists(other));
    EXPECT_TRUE(ReadValue(kLockOptionValue, &flagsAfter) && flagsAfter == flags);
    EXPECT_TRUE(ReadValue(kPasswordValue, &passwordAfter) && passwordAfter == password);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, other.c_str());

    run = Installer(std::wstring(wceload::kUninstallArg) + L" \"" + kPackage + L"\"");
    EXPECT_EQ(run.code, static_cast<DWORD>(wceload::kExitFailed)) << "removed twice";
}

TEST_F(Package, InstallingOverItKeepsTheSettings) {
    Outcome run = Install(Cabinet());
    ASSERT_EQ(run.code, 0u) << run.said;
    const DWORD first = Agent();
    ASSERT_TRUE(PutSettings(LOCK_SMS, L"1379"));
    RawValue flags, password, flagsAfter, passwordAfter;
    ASSERT_TRUE(ReadValue(kLockOptionValue, &flags) && ReadValue(kPasswordValue, &password));

    run = Install(Cabinet());
    EXPECT_EQ(run.code, 0u) << run.said;
    ExpectInstalled();
    EXPECT_TRUE(WaitProcessEnds(first, 0)) << "the old agent still runs";
    EXPECT_NE(Agent(), 0u) << "no agent after the second install";
    EXPECT_TRUE(ReadValue(kLockOptionValue, &flagsAfter) && flagsAfter == flags);
    EXPECT_TRUE(ReadValue(kPasswordValue, &passwordAfter) && passwordAfter == password);
}

// The real cabinet's bytes, and where its control file is in them: gcab
// stores it uncompressed, the first file of the one folder.
struct Cab {
    std::string bytes;
    size_t Get(size_t at, int width) const {
        size_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    }
    void Put(size_t at, size_t value, int width) {
        for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
    size_t FirstFile() const { return Get(16, 4); }  // its CFFILE entry
    size_t FirstBlock() const { return Get(36, 4); }
    size_t Script() const { return FirstBlock() + 8; }
    // Once the control file is changed its block's checksum goes (0: none).
    void Unchecked() { Put(FirstBlock(), 0, 4); }
    void PutScript(size_t at, size_t value, int width) {
        Put(Script() + at, value, width);
        Unchecked();
    }
};

TEST_F(Package, DamagedCabinetsAreRefusedAndChangeNothing) {
    Cab cab{Bytes(Cabinet())};
    ASSERT_EQ(cab.Get(42, 2), 0u) << "the cabinet is compressed";
    ASSERT_EQ(cab.bytes.substr(cab.Script(), 4), "MSCE") << "the control file is not first";
    Outcome run = Install(Cabinet());
    ASSERT_EQ(run.code, 0u) << run.said;
    const DWORD agent = Agent();
    ASSERT_NE(agent, 0u);

    const size_t dirs = cab.Get(cab.Script() + 64, 4);
    const struct {
        const char *damage;
        std::function<void(Cab &)> make;
        const char *says;
    } damaged[] = {
        {"cabinet cut in half", [](Cab &c) { c.bytes.resize(c.bytes.size() / 2); }, "damaged"},
        {"control file cut short", [](Cab &c) { c.Put(c.FirstFile(), 90, 4); }, "truncated"},
        {"one string too many", [](Cab &c) { c.PutScript(48, c.Get(c.Script() + 48, 2) + 1, 2); },
         "STRINGS"},
        {"one file too many", [](Cab &c) { c.PutScript(52, c.Get(c.Script() + 52, 2) + 1, 2); },
         "FILES"},
        {"DIRS offset past the end", [](Cab &c) { c.PutScript(64, 0xFFFF, 4); }, "offset 65535"},
        {"unknown string id", [&](Cab &c) { c.PutScript(dirs + 4, 999, 2); }, "string 999"},
        {"folder name that climbs out",
         [](Cab &c) {
             const size_t at = c.bytes.find("Quellor", c.Script() + c.Get(c.Script() + 60, 4));
             c.bytes.replace(at, 7, "..\\..\\x");
             c.Unchecked();
         },
         "no plain name"},
        {"file the cabinet lacks", [](Cab &c) { c.bytes.replace(c.bytes.find(".002"), 4, ".007"); },
         "cabinet file 2"},
    };
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring copy = std::wstring(temp) + L"damaged.cab";
    for (const auto &row : damaged) {
        SCOPED_TRACE(row.damage);
        Cab bad = cab;
        row.make(bad);
        PutBytes(copy, bad.bytes);
        run = Install(copy);
        EXPECT_EQ(run.code, static_cast<DWORD>(wceload::kExitFailed));
        EXPECT_NE(run.said.find(row.says), std::string::npos) << run.said;
        EXPECT_NE(run.said.find("nothing was installed"), std::string::npos) << run.said;
        ExpectInstalled();
        EXPECT_FALSE(WaitProcessEnds(agent, 0)) << "the setup DLL was called";
    }
    DeleteFileW(copy.c_str());
}

}  // namespace
