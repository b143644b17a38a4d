#include "motion/CurveTables.h"
#include "motion/BoneFrame.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace zelvane {
namespace {

using Points = std::array<std::int8_t, 4>;

std::vector<Points> SomeCurves()
{
    std::vector<Points> curves;
    for (const std::int8_t x1 : {0, 20, 64, 127})
        for (const std::int8_t y1 : {1, 25, 100})
            for (const std::int8_t x2 : {0, 64, 107, 127})
                for (const std::int8_t y2 : {-1, 64, 127})
                    curves.push_back({x1, y1, x2, y2});
    return curves;
}

// Two threads meet the same new curves at once: each curve gets one index, whoever asks,
// and its table is the one computed for its own control points.
TEST(CurveTablesTest, EveryCurveGetsOneIndexAndItsOwnTableFromAnyThread)
{
    const std::vector<Points> curves = SomeCurves();
    CCurveTables tables;
    std::vector<std::uint16_t> first(curves.size());
    std::vector<std::uint16_t> second(curves.size());
    auto lookUp = [&](std::vector<std::uint16_t>& indices) {
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const auto& [x1, y1, x2, y2] = curves[i];
            indices[i] = tables.IndexOf(x1, y1, x2, y2);
        }
    };
    std::thread other([&] { lookUp(second); });
    lookUp(first);
    other.join();

    EXPECT_EQ(first, second);
    std::vector<std::uint16_t> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(tables.size(), curves.size() + 4); // and the four common curves
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const auto& [x1, y1, x2, y2] = curves[i];
        ASSERT_EQ(tables.Get(first[i]), CCurveTables::Compute(x1, y1, x2, y2)) << i;
    }
    EXPECT_EQ(tables.Get(CCurveTables::kDefault), CCurveTables::Compute(25, 25, 102, 102));
}

TEST(CurveTablesTest, PastTheCapacityNewCurvesAreTabulatedWhenRead)
{
    CCurveTables tables(6); // the four common curves and two more
    const std::uint16_t a = tables.IndexOf(1, 2, 3, 4);
    const std::uint16_t b = tables.IndexOf(5, 6, 7, 8);
    EXPECT_EQ(tables.IndexOf(9, 10, 11, 12), CCurveTables::kUntabulated);
    EXPECT_EQ(tables.IndexOf(1, 2, 3, 4), a);
    EXPECT_EQ(tables.IndexOf(5, 6, 7, 8), b);
    EXPECT_EQ(tables.IndexOf(20, 20, 107, 107), 1);
    EXPECT_EQ(tables.size(), 6u);

    // A curve gives the same table whether its table is kept or not.
    const InterpolationCurve curve(9, 10, 11, 12);
    EXPECT_EQ(curve.table(), CCurveTables::Compute(9, 10, 11, 12));
    // Keys hold their curves by index, which keeps them small.
    EXPECT_LE(sizeof(CBoneFrame), 56u);
}

} // namespace
} // namespace zelvane
