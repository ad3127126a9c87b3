#include "scenario_test.h"

#include "programs.h"
#include "screen.h"
#include "settings_key.h"
#include "window_search.h"

#include <cstdio>

namespace harness {

namespace {
void CleanPhone() {
    KillPrograms(PhonePrograms());
    DeleteSettingsKey();
}
}  // namespace

void SettingsKeyTest::SetUp() {
    DeleteSettingsKey();
}

void SettingsKeyTest::TearDown() {
    DeleteSettingsKey();
}

void ScenarioTest::SetUp() {
    CleanPhone();
}

void ScenarioTest::TearDown() {
    // The screenshot shows the failure, not the clean-up.
    if (HasFailure()) {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::wstring file = SaveScreen(std::string(info->test_suite_name()) + "-" + info->name());
        fwprintf(stderr, L"screenshot of the phone: %ls\n", file.c_str());
        PrintWindowOrder();
    }
    CleanPhone();
}

}  // namespace harness
