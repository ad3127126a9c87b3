// The soft-key RCDATA parser on plain data: every malformed layout must be
// refused without reading a byte past the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "softkey_resource.h"

using mobileshell::ParseSoftKeyBar;
using mobileshell::SoftKeyBarData;

namespace {

std::vector<unsigned char> Bytes(std::initializer_list<WORD> words) {
    std::vector<unsigned char> out(words.size() * sizeof(WORD));
    size_t i = 0;
    for (WORD w : words) {
        memcpy(&out[i], &w, sizeof(w));
        i += sizeof(w);
    }
    return out;
}

const WORD kNone = 0xFFFF, kNoImage = 0xFFFE;

TEST(SoftKeyResource, ReadsTwoButtonsWithPopup) {
    auto data = Bytes(
        {205, 2, kNoImage, 40139, 4, 16, 40140, 0, kNone, kNoImage, 40145, 4, 24, 40141, 0, 1});
    SoftKeyBarData bar;
    ASSERT_TRUE(ParseSoftKeyBar(data.data(), data.size(), &bar));
    EXPECT_EQ(205, bar.menuId);
    ASSERT_EQ(2, bar.count);
    EXPECT_EQ(-2, bar.buttons[0].image);
    EXPECT_EQ(40139, bar.buttons[0].command);
    EXPECT_EQ(4, bar.buttons[0].state);
    EXPECT_EQ(16, bar.buttons[0].style);
    EXPECT_EQ(40140, bar.buttons[0].stringId);
    EXPECT_EQ(kNone, bar.buttons[0].popupIndex);
    EXPECT_EQ(40145, bar.buttons[1].command);
    EXPECT_EQ(24, bar.buttons[1].style);
    EXPECT_EQ(1, bar.buttons[1].popupIndex);
}

TEST(SoftKeyResource, AcceptsOneButtonEmptyBarAndPadding) {
    struct Case {
        const char *what;
        std::vector<unsigned char> data;
        int count;
    } cases[] = {
        {"one button", Bytes({112, 1, kNoImage, 40015, 4, 16, 40015, 0, kNone}), 1},
        {"no buttons", Bytes({112, 0}), 0},
        {"pad word after the buttons", Bytes({106, 1, kNoImage, 1, 4, 16, 1, 0, kNone, 0}), 1},
        {"odd pad byte",
         [] {
             auto d = Bytes({106, 0});
             d.push_back(0);
             return d;
         }(),
         0},
    };
    for (const Case &c : cases) {
        SoftKeyBarData bar;
        EXPECT_TRUE(ParseSoftKeyBar(c.data.data(), c.data.size(), &bar)) << c.what;
        EXPECT_EQ(c.count, bar.count) << c.what;
    }
}

TEST(SoftKeyResource, RefusesMalformedData) {
    struct Case {
        const char *what;
        std::vector<unsigned char> data;
    } cases[] = {
        {"empty", {}},
        {"one byte", {0x6a}},
        {"menu id only", Bytes({106})},
        {"three bytes", {0x6a, 0, 1}},
        {"count 1, no button", Bytes({106, 1})},
        {"count 1, button one word short", Bytes({106, 1, kNoImage, 1, 4, 16, 1, 0})},
        {"count 2, one button", Bytes({106, 2, kNoImage, 1, 4, 16, 1, 0, kNone})},
        {"count 2, second button cut",
         Bytes({106, 2, kNoImage, 1, 4, 16, 1, 0, kNone, kNoImage, 2})},
        {"count 3: a phone has two soft keys",
         Bytes({106, 3, kNoImage, 1,     4,        16, 1, 0,  kNone, kNoImage, 2,    4,
                16,  2, 0,        kNone, kNoImage, 3,  4, 16, 3,     0,        kNone})},
        {"count 0xFFFF", Bytes({106, 0xFFFF, kNoImage, 1, 4, 16, 1, 0, kNone})},
    };
    for (const Case &c : cases) {
        SoftKeyBarData bar;
        memset(&bar, 0x5a, sizeof(bar));
        EXPECT_FALSE(ParseSoftKeyBar(c.data.empty() ? nullptr : c.data.data(), c.data.size(), &bar))
            << c.what;
        EXPECT_EQ(0, bar.count) << c.what;
    }
    SoftKeyBarData bar;
    EXPECT_FALSE(ParseSoftKeyBar(nullptr, 100, &bar));
    auto good = Bytes({106, 0});
    EXPECT_FALSE(ParseSoftKeyBar(good.data(), good.size(), nullptr));
}

// Data that ends exactly where readable memory ends: a read past it faults.
TEST(SoftKeyResource, NeverReadsPastTheEnd) {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    const size_t page = si.dwPageSize;
    auto *mem = static_cast<unsigned char *>(
        VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, mem);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(mem + page, page, PAGE_NOACCESS, &old));

    const std::vector<unsigned char> tails[] = {
        Bytes({106, 2, kNoImage, 1, 4, 16, 1, 0, kNone, kNoImage, 2, 4, 16}),  // truncated
        Bytes({106, 0x7FFF}),                                                  // absurd count
        Bytes({106, 1, kNoImage, 1, 4, 16, 1, 0, kNone}),                      // exact fit
        {0x6a},                                                                // half a word
    };
    for (const auto &t : tails) {
        unsigned char *at = mem + page - t.size();
        memcpy(at, t.data(), t.size());
        SoftKeyBarData bar;
        ParseSoftKeyBar(at, t.size(), &bar);  // must simply return
    }
    SoftKeyBarData bar;
    EXPECT_TRUE(ParseSoftKeyBar(mem + page - tails[2].size(), tails[2].size(), &bar));
    EXPECT_EQ(1, bar.count);
    VirtualFree(mem, 0, MEM_RELEASE);
}

}  // namespace
