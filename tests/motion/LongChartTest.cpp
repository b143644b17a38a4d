// The dance of a long DOUBLE chart (the one the generator benchmark measures), pinned to
// references recorded from the generator, so that work on its speed provably changes
// nothing it produces.
#include "BitHash.h"
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"
#include "model/NameIds.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

// Every key of every bone, bones in the order the sequences were created.
std::uint64_t KeyHash(const CMotionGenerator& generator)
{
    test::BitHash hash;
    for (const auto& [nameID, sequence] : generator.boneSequences()) {
        hash.Add(IDToName(nameID));
        hash.Add(static_cast<std::uint32_t>(sequence->size()));
        for (const CBoneFrame& key : sequence->keys()) {
            hash.Add(key.frame);
            for (const float value :
                 {key.translation.x, key.translation.y, key.translation.z, key.rotation.x,
                  key.rotation.y, key.rotation.z, key.rotation.w})
                hash.Add(value);
            for (const InterpolationCurve& curve : key.curves) {
                for (const std::int8_t point : {curve.x1(), curve.y1(), curve.x2(), curve.y2()})
                    hash.Add(static_cast<std::int32_t>(point));
            }
        }
    }
    return hash.value();
}

// Where every step frame has the feet and which way it faces.
std::uint64_t StepFrameHash(const CMotionGenerator& generator)
{
    test::BitHash hash;
    for (const auto& frame : generator.stepFrames()) {
        hash.Add(frame->frame);
        for (const CStepFrame::FOOT* foot : {&frame->left, &frame->right}) {
            hash.Add(foot->panel);
            hash.Add(static_cast<std::int32_t>(foot->holding) * 2
                     + static_cast<std::int32_t>(foot->stepped));
        }
        hash.Add(frame->facing);
    }
    return hash.value();
}

TEST(LongChartTest, ChartHasTheSizeItIsMeasuredAt)
{
    const MotionInput input = bench::LongDoubleChart();
    EXPECT_EQ(input.notes.size(), 1462u);
    EXPECT_EQ(input.notes.back().clock, bench::kLongChartLength - 12);
}

TEST(LongChartTest, FullGenerationGivesTheRecordedDance)
{
    CMotionGenerator generator;
    generator.Generate(bench::LongDoubleChart(), 0);
    EXPECT_EQ(generator.stepFrames().size(), 1352u);
    EXPECT_EQ(generator.boneSequences().KeyCount(), 10695u);
    EXPECT_EQ(StepFrameHash(generator), 6570985112115513032u);
    EXPECT_EQ(KeyHash(generator), 2297062597198903485u);
}

TEST(LongChartTest, RebuildAfterAChangeOfOptionsGivesTheRecordedDance)
{
    // Without twist the dance has no upper body or neck keys; turned on again, those come
    // back in the order a fresh run creates them.
    const MotionInput input = bench::LongDoubleChart();
    MotionInput untwisted = input;
    untwisted.parameters.twist = false;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    generator.Generate(untwisted, 0);
    CMotionGenerator fresh;
    fresh.Generate(untwisted, 0);
    EXPECT_EQ(KeyHash(generator), KeyHash(fresh));
    EXPECT_EQ(generator.boneSequences().size(), fresh.boneSequences().size());

    generator.Generate(input, 0);
    EXPECT_EQ(StepFrameHash(generator), 6570985112115513032u);
    EXPECT_EQ(KeyHash(generator), 2297062597198903485u);
}

TEST(LongChartTest, EditInTheLastMeasureGivesTheKeysOfAFullRun)
{
    const MotionInput original = bench::LongDoubleChart();
    MotionInput edited = original;
    const std::int32_t editClock = bench::EditLastMeasure(edited);
    ASSERT_GE(editClock, bench::kLongChartLastMeasure);

    CMotionGenerator incremental;
    incremental.Generate(original, 0);
    incremental.Generate(edited, editClock);
    CMotionGenerator full;
    full.Generate(edited, 0);
    test::ExpectSameKeys(incremental, full);
    EXPECT_EQ(StepFrameHash(incremental), StepFrameHash(full));
    EXPECT_EQ(KeyHash(incremental), 12010785256400059770u);

    // And back: undoing the edit restores the original dance.
    incremental.Generate(original, editClock);
    CMotionGenerator unedited;
    unedited.Generate(original, 0);
    test::ExpectSameKeys(incremental, unedited);
}

} // namespace
} // namespace zelvane
