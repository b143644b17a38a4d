// The long DOUBLE chart the generator benchmark measures: whatever the generator danced
// before, a rebuild gives the dance of a fresh full run. (That the default dance itself
// stays as it was is checked against the motion files in tests/data/motion.)
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::ExpectSameRun;

TEST(LongChartTest, OptionChangesEditsAndUndoRebuildTheDanceOfAFullRun)
{
    const MotionInput input = bench::LongDoubleChart();
    ASSERT_EQ(input.notes.size(), 1462u);
    CMotionGenerator full;
    full.Generate(input, 0);
    EXPECT_EQ(full.stepFrames().size(), 1352u);
    EXPECT_EQ(full.boneSequences().KeyCount(), 10695u);

    // Without twist the dance has no upper body or neck keys; turned on again, those come
    // back in the order a fresh run creates them.
    MotionInput untwisted = input;
    untwisted.parameters.twist = false;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    generator.Generate(untwisted, 0);
    CMotionGenerator fresh;
    fresh.Generate(untwisted, 0);
    ExpectSameRun(generator, fresh);
    generator.Generate(input, 0);
    ExpectSameRun(generator, full);

    // An edit in the last measure, rebuilt from there, and its undo.
    MotionInput edited = input;
    const std::int32_t editClock = bench::EditLastMeasure(edited);
    ASSERT_GE(editClock, bench::kLongChartLastMeasure);
    fresh.Generate(edited, 0);
    full.Generate(edited, editClock);
    ExpectSameRun(full, fresh);
    EXPECT_FALSE(test::SameRun(full, generator));
    full.Generate(input, editClock);
    ExpectSameRun(full, generator);

    // A generator keeps its memory between runs (sequences sized for the last dance, bones
    // it no longer moves); a full rebuild in that memory is still the fresh dance.
    MotionInput other = input;
    other.notes.resize(input.notes.size() / 3);
    other.parameters.twist = false;
    other.parameters.panelSize = 14.0f;
    fresh.Generate(other, 0);
    fresh.Generate(input, std::numeric_limits<std::int32_t>::min());
    ExpectSameRun(fresh, generator);
}

} // namespace
} // namespace zelvane
