// The dance of a long DOUBLE chart (the one the generator benchmark measures), pinned to
// references recorded from the generator, so that work on its speed provably changes
// nothing it produces.
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"
#include "motion/MotionDocument.h"

#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::KeyHash;
using test::StepFrameHash;

constexpr std::uint64_t kStepFrames = 6570985112115513032u;
constexpr std::uint64_t kKeys = 2297062597198903485u;

TEST(LongChartTest, FullRunAndRebuildAfterAnOptionChangeGiveTheRecordedDance)
{
    const MotionInput input = bench::LongDoubleChart();
    ASSERT_EQ(input.notes.size(), 1462u);
    ASSERT_EQ(input.notes.back().clock, bench::kLongChartLength - 12);
    CMotionGenerator generator;
    generator.Generate(input, 0);
    EXPECT_EQ(generator.stepFrames().size(), 1352u);
    EXPECT_EQ(generator.boneSequences().KeyCount(), 10695u);
    EXPECT_EQ(StepFrameHash(generator), kStepFrames);
    EXPECT_EQ(KeyHash(generator), kKeys);

    // Without twist the dance has no upper body or neck keys; turned on again, those come
    // back in the order a fresh run creates them.
    MotionInput untwisted = input;
    untwisted.parameters.twist = false;
    generator.Generate(untwisted, 0);
    CMotionGenerator fresh;
    fresh.Generate(untwisted, 0);
    test::ExpectSameRun(generator, fresh);
    generator.Generate(input, 0);
    EXPECT_EQ(StepFrameHash(generator), kStepFrames);
    EXPECT_EQ(KeyHash(generator), kKeys);
}

TEST(LongChartTest, EditInTheLastMeasureAndItsUndoGiveTheDanceOfAFullRun)
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
    test::ExpectSameRun(incremental, full);
    EXPECT_EQ(KeyHash(incremental), 12010785256400059770u);

    incremental.Generate(original, editClock);
    EXPECT_EQ(StepFrameHash(incremental), kStepFrames);
    EXPECT_EQ(KeyHash(incremental), kKeys);
}

// The motion file of a generator's keys, as they are.
std::vector<std::uint8_t> MotionFile(const CMotionGenerator& generator)
{
    CMotionDocument motion;
    for (const auto& [nameID, sequence] : generator.boneSequences())
        for (const CBoneFrame& key : sequence->keys())
            motion.GetBoneSequence(nameID).Insert(key);
    return motion.Write();
}

// The generator keeps its memory between runs (sequences sized for the last dance, bones
// it no longer moves): a dance made in that memory is the file a fresh generator writes.
TEST(LongChartTest, AGeneratorThatDancedBeforeWritesTheFileOfAFreshOne)
{
    const MotionInput input = bench::LongDoubleChart();
    CMotionGenerator fresh;
    fresh.Generate(input, 0);
    const std::vector<std::uint8_t> expected = MotionFile(fresh);
    // The header, 111 bytes a key, no morphs, three empty sections.
    EXPECT_EQ(expected.size(), 70u + 111u * 10695u);

    MotionInput other = input;
    other.notes.resize(input.notes.size() / 3);
    other.parameters.twist = false;
    other.parameters.panelSize = 14.0f;
    CMotionGenerator reused;
    reused.Generate(input, 0);
    reused.Generate(other, 0);
    reused.Generate(input, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(MotionFile(reused), expected);
    EXPECT_EQ(KeyHash(reused), kKeys);
}

} // namespace
} // namespace zelvane
