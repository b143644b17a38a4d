#pragma once

// A long DOUBLE chart for measuring the dance generator, shared with the tests that check
// its incremental and reused runs against fresh full runs: three minutes at 150 BPM, steps on all
// eight panels, a jump every measure, a freeze every four measures and sixteenth runs, about 1500
// notes.

#include "base/Note.h"
#include "base/TimeUnits.h"
#include "motion/MotionInput.h"

#include <cstdint>
#include <random>
#include <vector>

namespace zelvane::bench {

constexpr float kLongChartBpm = 150.0f;
constexpr std::int32_t kLongChartBeats = 450; // three minutes at 150 BPM
constexpr std::int32_t kLongChartLength = kLongChartBeats * kClocksPerBeat;
constexpr double kLongChartSeconds = kLongChartBeats * 60.0 / kLongChartBpm;
// The last measure, where the benchmark edits.
constexpr std::int32_t kLongChartLastMeasure = kLongChartLength - 4 * kClocksPerBeat;

// Notes in score order (by clock). The panels come from a fixed-seed generator whose
// sequence the standard defines, so the chart is the same on every build.
inline std::vector<CNote> LongDoubleChartNotes()
{
    constexpr std::int32_t kEighth = kClocksPerBeat / 2;
    constexpr std::int32_t kSixteenth = kClocksPerBeat / 4;
    constexpr std::int32_t kFreezeLength = 2 * kClocksPerBeat;
    // Jumps across the two pads and within each.
    constexpr std::int32_t kJumps[][2] = {{0, 3}, {3, 4}, {4, 7}, {1, 6}, {2, 5}, {0, 7}};

    std::minstd_rand random(1500);
    std::int32_t heldPanel = -1;
    std::int32_t heldUntil = -1;
    // Any panel but the one a freeze holds.
    auto freePanel = [&](std::int32_t clock) {
        for (;;) {
            const auto panel = static_cast<std::int32_t>(random() % 8);
            if (clock >= heldUntil || panel != heldPanel)
                return panel;
        }
    };

    std::vector<CNote> notes;
    const std::int32_t slots = kLongChartLength / kEighth;
    for (std::int32_t slot = 0; slot < slots; ++slot) {
        const std::int32_t clock = slot * kEighth;
        if (slot % 32 == 0) {
            heldPanel = freePanel(clock);
            heldUntil = clock + kFreezeLength;
            notes.push_back({clock, heldPanel, kFreezeLength});
        } else if (slot % 8 == 4 && clock >= heldUntil) {
            const auto* jump = kJumps[random() % std::size(kJumps)];
            notes.push_back({clock, jump[0], 0});
            notes.push_back({clock, jump[1], 0});
        } else {
            notes.push_back({clock, freePanel(clock), 0});
        }
        if (slot % 2 == 1)
            notes.push_back({clock + kSixteenth, freePanel(clock + kSixteenth), 0});
    }
    return notes;
}

inline MotionInput LongDoubleChart()
{
    MotionInput input;
    input.notes = LongDoubleChartNotes();
    input.scoreLength = kLongChartLength;
    input.parameters.tempo = CTempoMap(kLongChartBpm);
    input.parameters.style = Style::DOUBLE;
    input.parameters.panelCount = 8;
    return input;
}

// The same chart on a song whose tempo changes a hundred times, between 135 and 165 BPM
// around the chart's own, and that stops twenty times for a quarter of a second on a note.
inline MotionInput LongDoubleChartWithTempoMap()
{
    MotionInput input = LongDoubleChart();
    std::vector<CTempoEvent> events;
    constexpr std::int32_t kChanges = 100;
    constexpr std::int32_t kStops = 20;
    for (std::int32_t i = 1; i <= kChanges; ++i) {
        const auto swing = static_cast<float>((i * 37) % 21 - 10);
        events.push_back(
            CTempoChange{i * (kLongChartLength / (kChanges + 1)), kLongChartBpm + swing * 1.5f});
    }
    for (std::int32_t i = 0; i < kStops; ++i)
        events.push_back(CStop{i * (kLongChartLength / kStops) + 2 * kClocksPerBeat, 250.0});
    [[maybe_unused]] const Reason refused = input.parameters.tempo.Add(events);
    return input;
}

// Moves the first tap of the last measure that has its clock to itself (not part of a
// jump) to the next panel; returns the clock of the edit.
inline std::int32_t EditLastMeasure(MotionInput& input)
{
    auto& notes = input.notes;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        CNote& note = notes[i];
        const bool alone = (i == 0 || notes[i - 1].clock != note.clock)
            && (i + 1 == notes.size() || notes[i + 1].clock != note.clock);
        if (note.clock >= kLongChartLastMeasure && note.length == 0 && alone) {
            note.panel = (note.panel + 1) % 8;
            return note.clock;
        }
    }
    return kLongChartLastMeasure;
}

} // namespace zelvane::bench
