// A generator restarted from an edited clock, after option changes or on reused memory
// must dance what a fresh full run dances.
#include "LongDoubleChart.h"
#include "MotionTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

namespace zelvane {
namespace {

using test::ExpectRestartIsAFullRun;
using test::FullRun;
using test::MakeInput;
using test::SameRun;

MotionInput Single(std::vector<CNote> notes, std::int32_t length)
{
    return MakeInput(Style::SINGLE, std::move(notes), length);
}

std::vector<CNote> WithPanel(std::vector<CNote> notes, std::size_t index, std::int32_t panel)
{
    notes[index].panel = panel;
    return notes;
}

TEST(IncrementalTest, RestartGivesTheDanceOfAFullRun)
{
    // Steps, a jump back to the side-by-side stance, then beats: the stance before an edit
    // after clock 240 faces the screen, where limiting the facing changes nothing.
    const std::vector<CNote> chart
        = {{48, 1, 0}, {96, 2, 0}, {144, 0, 0}, {144, 3, 0}, {336, 1, 0}, {384, 2, 0}};
    std::vector<CNote> inserted = chart;
    inserted.insert(inserted.begin() + 4, CNote{288, 3, 0});
    ExpectRestartIsAFullRun("note inserted after the start", Single(chart, 480),
                            Single(inserted, 480), 288);
    // The freeze from clock 96 to 384 is still held at the restart and must still end.
    const std::vector<CNote> freeze = {{96, 0, 288}, {192, 3, 0}, {480, 1, 0}};
    ExpectRestartIsAFullRun("freeze reaching the start", Single(freeze, 576),
                            Single(WithPanel(freeze, 1, 2), 576), 192);
    // With no gap the base pose sits on frame 0 and must be laid again after the trim.
    ExpectRestartIsAFullRun("restart from clock 0", Single(chart, 480),
                            Single(WithPanel(chart, 0, 2), 480), 0);
    // Frames 15 and 16: the in-between keys of 16 lie on 15, which the restart keeps.
    const std::vector<CNote> adjacent = {{48, 1, 0}, {52, 2, 0}, {144, 3, 0}};
    ExpectRestartIsAFullRun("adjacent step frame", Single(adjacent, 192),
                            Single(WithPanel(adjacent, 1, 0), 192), 52);
    // Clocks 48 and 49 share frame 15; an edit at 49 rebuilds it with both notes.
    const std::vector<CNote> sharing = {{48, 1, 0}, {49, 2, 0}, {144, 3, 0}};
    ExpectRestartIsAFullRun("note sharing the start frame", Single(sharing, 192),
                            Single(WithPanel(sharing, 1, 3), 192), 49);
    // The beats between the old end of the song and the new note were never placed.
    std::vector<CNote> appended = chart;
    appended.push_back({2400, 1, 0});
    ExpectRestartIsAFullRun("note far after the old end", Single(chart, 480),
                            Single(appended, 2400), 2400);
    ExpectRestartIsAFullRun("song cut short after its last note", Single(chart, 2400),
                            Single(WithPanel(chart, 5, 0), 400), 384);
    MotionInput changed = Single(chart, 480);
    changed.parameters.panelSize = 15.0f;
    changed.parameters.gap = 700;
    ExpectRestartIsAFullRun("parameter change, from 0", Single(chart, 480), changed, 0);
    ExpectRestartIsAFullRun("parameter change, from 300", Single(chart, 480), changed, 300);
}

// The long DOUBLE chart the generator benchmark measures; restarts part-way through it are
// the tempo dances', and that its default dance stays as it was is held to tests/data/motion.
TEST(LongChartTest, OptionChangesAndReusedMemoryRebuildTheDanceOfAFullRun)
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
