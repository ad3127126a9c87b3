// The fixtures of the tests that touch the phone's shared state: the lock's
// registry key, and for the scenarios that drive the phone's programs also
// the programs themselves.
#ifndef QUELLOR_TESTS_SUPPORT_SCENARIO_TEST_H
#define QUELLOR_TESTS_SUPPORT_SCENARIO_TEST_H

#include <gtest/gtest.h>

namespace harness {

// Each test starts and ends with the lock's key removed.
class SettingsKeyTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Each test starts and ends with none of the phone's programs running and the
// lock's key removed, and leaves a screenshot of the phone when it fails.
class ScenarioTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace harness

#endif
