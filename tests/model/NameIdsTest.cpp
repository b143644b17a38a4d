#include "model/NameIds.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <tuple>

using namespace zelvane;

// The registry is process-wide: the first dynamic IDs are checked in a child that re-runs
// the test binary, since a forked one would inherit the names earlier tests registered.
TEST(NameIds, UnknownNamesCountUpFromOneInAFreshProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool ok = NameToID("ボーンA") == 1 && NameToID("ボーンA") == 1
                && NameToID("ボーンB") == 2 && IDToName(1) == "ボーンA" && IDToName(2) == "ボーンB"
                && IDToName(3).empty() && NameToID("センター") == 500;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(NameIds, ConcurrentLookupsAgreeOnOneIdPerName)
{
    std::vector<std::thread> threads;
    std::vector<std::vector<int>> ids(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&ids, t] {
            for (int i = 0; i < 200; ++i)
                ids[t].push_back(NameToID("concurrent-" + std::to_string(i)));
        });
    for (auto& thread : threads)
        thread.join();
    for (int t = 1; t < 4; ++t)
        EXPECT_EQ(ids[t], ids[0]);
    EXPECT_EQ(std::set<int>(ids[0].begin(), ids[0].end()).size(), 200u);
}

// However many names a run meets, each keeps an ID of its own that gives the name back; none
// takes the ID of a string-table text (any text, not only a built-in bone's).
TEST(NameIds, ManyUnknownNamesNeverTakeAStringTableId)
{
    for (int i = 0; i < 700; ++i) {
        const std::string name = "own bone " + std::to_string(i);
        const int id = NameToID(name);
        ASSERT_EQ(IDToName(id), name) << id;
        ASSERT_EQ(NameToID(name), id);
    }
    EXPECT_EQ(std::tuple(NameToID("センター"), NameToID("左足ＩＫ"), NameToID("削除")),
              std::tuple(500, 507, 130));
    EXPECT_EQ(std::tuple(IDToName(500), IDToName(552), IDToName(-5), IDToName(99999)),
              std::tuple("センター", "右つま先ＩＫ", "", ""));
}
