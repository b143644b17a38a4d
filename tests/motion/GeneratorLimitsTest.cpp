#include "MotionTestSupport.h"
#include "base/ChartLimits.h"

#include <atomic>
#include <gtest/gtest.h>
#include <limits>

using namespace zelvane;
using namespace zelvane::test;

TEST(GeneratorLimits, ALongSongBeatsUpToTheLimitAndAStopEndsTheBeatsAtOnce)
{
    // A song far longer than two hours: the beat frames end at the limit.
    CMotionGenerator generator;
    generator.Generate(
        MakeInput(Style::SINGLE, {{0, 0, 0}}, std::numeric_limits<std::int32_t>::max()), 0);
    ASSERT_FALSE(generator.stepFrames().empty());
    EXPECT_EQ(generator.stepFrames().back()->frame, kMaxChartFrames); // 120 BPM: a beat lands there
    EXPECT_EQ(generator.stepFrames().size(), 2u + kMaxChartFrames / 15); // stance, beats from 0

    // With the stop flag up no beat frame is made, however long the chart.
    std::atomic<bool> stop{true};
    GenerationControl control;
    control.stop = &stop;
    CMotionGenerator stopped;
    stopped.Generate(MakeInput(Style::SINGLE, {}, MaxChartClock(120.0f)), 0, control);
    EXPECT_EQ(stopped.stepFrames().size(), 1u); // the initial stance only
}
