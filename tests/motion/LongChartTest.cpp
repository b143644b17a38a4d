// The long DOUBLE chart the generator benchmark measures: whatever the generator danced
// before, a rebuild gives the dance of a fresh full run. (That the default dance itself
// stays as it was is checked against the motion files in tests/data/motion.)
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::FullRun;
using test::SameRun;

TEST(LongChartTest, OptionChangesEditsAndUndoRebuildTheDanceOfAFullRun)
{
    const MotionInput input = bench::LongDoubleChart();
    ASSERT_EQ(input.notes.size(), 1462u);
    const auto full = FullRun(input);
    EXPECT_EQ(full->stepFrames().size(), 1352u);
    EXPECT_EQ(full->boneSequences().KeyCount(), 10695u);

    // Without twist the dance has no upper body or neck keys; turned on again, those come
    // back in the order a fresh run creates them.
    MotionInput untwisted = input;
    untwisted.parameters.twist = false;
    CMotionGenerator generator;
    generator.Generate(input, 0);
    generator.Generate(untwisted, 0);
    EXPECT_TRUE(SameRun(generator, *FullRun(untwisted)));
    generator.Generate(input, 0);
    EXPECT_TRUE(SameRun(generator, *full));

    // An edit in the last measure, rebuilt from there, and its undo.
    MotionInput edited = input;
    const std::int32_t editClock = bench::EditLastMeasure(edited);
    ASSERT_GE(editClock, bench::kLongChartLastMeasure);
    generator.Generate(edited, editClock);
    EXPECT_TRUE(SameRun(generator, *FullRun(edited)));
    EXPECT_FALSE(SameRun(generator, *full));
    generator.Generate(input, editClock);
    EXPECT_TRUE(SameRun(generator, *full));

    // A generator keeps its memory between runs (sequences sized for the last dance, bones
    // it no longer moves); a full rebuild in that memory is still the fresh dance.
    MotionInput other = input;
    other.notes.resize(input.notes.size() / 3);
    other.parameters.twist = false;
    other.parameters.panelSize = 14.0f;
    generator.Generate(other, 0);
    generator.Generate(input, std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(SameRun(generator, *full));
}

} // namespace
} // namespace zelvane
