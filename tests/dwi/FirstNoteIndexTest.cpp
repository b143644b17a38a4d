#include "dwi/FirstNoteIndex.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zelvane;

// Keys as a chart makes them (clocks a step apart, every panel, each place stepped twice)
// through many growths of the table: each place keeps the first note added there.
TEST(FirstNoteIndex, KeepsTheFirstNoteOfEachPlaceThroughGrowth)
{
    constexpr int kClocks = 5000;
    std::vector<CNote> first(kClocks * 8), second(kClocks * 8);
    CFirstNoteIndex index;
    EXPECT_EQ(index.Find(0, 0), nullptr);
    for (int round = 0; round < 2; ++round)
        for (int clock = 0; clock < kClocks; ++clock)
            for (int panel = 0; panel < 8; ++panel)
                index.Add(clock * 24, panel, &(round == 0 ? first : second)[clock * 8 + panel]);
    for (int clock = 0; clock < kClocks; ++clock) {
        for (int panel = 0; panel < 8; ++panel)
            ASSERT_EQ(index.Find(clock * 24, panel), &first[clock * 8 + panel]) << clock;
        EXPECT_EQ(index.Find(clock * 24 + 1, 0), nullptr);
    }
    // Clocks far apart in their high bits are places of their own too.
    index.Add(1 << 30, 3, &second[0]);
    EXPECT_EQ(index.Find(1 << 30, 3), &second[0]);
    EXPECT_EQ(index.Find(1 << 30, 2), nullptr);
}
