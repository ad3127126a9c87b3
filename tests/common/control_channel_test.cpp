// The cell that tells the settings program where the agent is.
#include "control_channel.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

HWND Handle(intptr_t value) {
    return reinterpret_cast<HWND>(value);
}

TEST(AgentCell, TwoOpeningsShareOneCell) {
    AgentWindowCell *a = OpenAgentWindowCell();
    AgentWindowCell *b = OpenAgentWindowCell();
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_NE(a, b) << "two views of one section";
    PublishAgentWindow(a, Handle(0x10020));
    EXPECT_EQ(Handle(0x10020), AgentWindowOf(b));
    PublishAgentWindow(a, nullptr);
    EXPECT_EQ(nullptr, AgentWindowOf(b));
}

TEST(AgentCell, HandlesTravelAsSignExtended32BitValues) {
    AgentWindowCell *cell = OpenAgentWindowCell();
    ASSERT_NE(nullptr, cell);
    const intptr_t handles[] = {0x20058, 0x7FFFFFFF, -2, static_cast<int32_t>(0x80001234)};
    for (intptr_t h : handles) {
        PublishAgentWindow(cell, Handle(h));
        EXPECT_EQ(Handle(h), AgentWindowOf(cell)) << std::hex << h;
    }
    PublishAgentWindow(cell, nullptr);
}

TEST(AgentCell, WithdrawClearsOnlyTheWindowItPublished) {
    AgentWindowCell *cell = OpenAgentWindowCell();
    ASSERT_NE(nullptr, cell);
    PublishAgentWindow(cell, Handle(0x3004A));
    WithdrawAgentWindow(cell, Handle(0x5006C));  // a newer agent's entry stays
    EXPECT_EQ(Handle(0x3004A), AgentWindowOf(cell));
    WithdrawAgentWindow(cell, Handle(0x3004A));
    EXPECT_EQ(nullptr, AgentWindowOf(cell));
}

TEST(AgentCell, NoCellNamesNoAgent) {
    EXPECT_EQ(nullptr, AgentWindowOf(nullptr));
    PublishAgentWindow(nullptr, Handle(1));  // no effect, no crash
    WithdrawAgentWindow(nullptr, Handle(1));
}

}  // namespace
