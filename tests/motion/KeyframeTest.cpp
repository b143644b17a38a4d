#include "motion/BoneFrameSequence.h"
#include "motion/CurveTables.h"
#include "motion/InterpolationCurve.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace zelvane {
namespace {

TEST(InterpolationCurveTest, TableValues)
{
    // Near-linear curves follow the diagonal.
    for (const InterpolationCurve& curve :
         {InterpolationCurve(25, 25, 102, 102), InterpolationCurve(20, 20, 107, 107)}) {
        EXPECT_EQ(curve.table()[0], 0);
        EXPECT_EQ(curve.table()[64], 64);
        for (int i = 0; i < 127; ++i)
            EXPECT_NEAR(curve.table()[i], i, 3) << "at " << i;
    }
    // Ease-in-out stays flat at the start and never runs backwards; Set rebuilds the table.
    InterpolationCurve curve(25, 25, 102, 102);
    curve.Set(64, 0, 64, 127);
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(curve.table()[i], 0) << "at " << i;
    EXPECT_EQ(curve.table()[64], 63);
    EXPECT_EQ(curve.table()[126], 126);
    for (int i = 1; i < 128; ++i)
        EXPECT_GE(curve.table()[i], curve.table()[i - 1]) << "at " << i;
}

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

CBoneFrame Key(int frame, float x, float y = 0, Quaternion rotation = {})
{
    CBoneFrame key(frame);
    key.translation = {x, y, 0};
    key.rotation = rotation;
    return key;
}

TEST(BoneFrameSequenceTest, EqualFramesKeepInsertionOrder)
{
    CBoneFrameSequence sequence;
    for (const CBoneFrame& key : {Key(20, 2), Key(10, 1), Key(20, 3), Key(30, 4)})
        sequence.Insert(key);
    ASSERT_EQ(sequence.size(), 4u);
    EXPECT_EQ(sequence.keys()[0].frame, 10);
    // Find and FindAtOrAfter meet the first of the keys at 20, FindAtOrBefore the last.
    EXPECT_EQ(std::tuple(sequence.Find(20)->translation.x,
                         sequence.FindAtOrBefore(25)->translation.x,
                         sequence.FindAtOrAfter(11)->translation.x),
              std::tuple(2.0f, 3.0f, 2.0f));
    EXPECT_TRUE(!sequence.Find(15) && !sequence.FindAtOrBefore(9) && !sequence.FindAtOrAfter(31));
    sequence.RemoveAfter(20);
    EXPECT_EQ(std::tuple(sequence.size(), sequence.keys().back().frame), std::tuple(3u, 20));
}

TEST(BoneFrameSequenceTest, SamplesBetweenKeysAfterTheLastAndBeforeTheFirst)
{
    CBoneFrameSequence sequence;
    sequence.Insert(Key(0, 0));
    CBoneFrame end = Key(127, 127, -254, QuaternionRotationY(1.5707964f));
    for (const int curve : {CBoneFrame::CURVE_X, CBoneFrame::CURVE_Y, CBoneFrame::CURVE_ROTATION})
        end.curves[curve].Set(64, 0, 64, 127);
    sequence.Insert(end);
    const BonePose middle = sequence.Sample(64); // curve x 64 -> height 63
    EXPECT_EQ(middle.translation, (Vector3{63.0f, -126.0f, 0.0f}));
    const Quaternion expected = QuaternionRotationY(1.5707964f * 63.0f / 127.0f);
    EXPECT_NEAR(middle.rotation.y, expected.y, 1e-5);
    EXPECT_NEAR(middle.rotation.w, expected.w, 1e-5);
    for (const std::int32_t frame : {127, 500}) {
        EXPECT_EQ(sequence.Sample(frame).translation, end.translation) << frame;
        EXPECT_EQ(sequence.Sample(frame).rotation, end.rotation) << frame;
    }

    // Before its only key a sequence eases from rest along that key's curve.
    CBoneFrameSequence single;
    CBoneFrame only = Key(30, 127);
    only.curves[CBoneFrame::CURVE_X].Set(64, 0, 64, 127);
    single.Insert(only);
    EXPECT_EQ(single.Sample(2).translation.x, 0.0f); // curve x 8: still flat
    const float x = single.Sample(10).translation.x; // curve x 42: below the straight line
    EXPECT_GT(x, 0.0f);
    EXPECT_LT(x, 42.0f);
    EXPECT_EQ(single.Sample(0).rotation, Quaternion{});
}

} // namespace
} // namespace zelvane
