#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvane::stepmania {

// A note of a StepMania chart in the program's clocks, before it is given a panel.
struct SmNote {
    std::int64_t clock = 0;
    std::int32_t column = 0;
    std::int64_t length = 0; // a freeze's clocks; 0 for a tap

    bool operator==(const SmNote&) const = default;
};

// What the note data held that the program does not dance, counted.
struct SmLeftOut {
    std::int64_t mines = 0;
    std::int64_t fakes = 0;
    std::int64_t lifts = 0;
    std::int64_t keysounds = 0;
    std::int64_t tailsWithoutHead = 0;
    std::int64_t unknown = 0; // characters that are no note at all

    std::int64_t total() const
    {
        return mines + fakes + lifts + keysounds + tailsWithoutHead + unknown;
    }
};

struct SmNoteData {
    std::vector<SmNote> notes; // in the order of their rows, then columns
    SmLeftOut leftOut;
    // Reading stopped at the first row with a note past `maxClock`, or at the note past
    // `maxNotes` notes, which are the last kept: the chart is beyond the limits, and a huge
    // file costs no more than a chart within them.
    bool beyondLimits = false;
};

// The clock of row `row` of a measure of `rows` rows: the measure's 192 clocks split evenly,
// to the nearest clock, ties to even.
std::int64_t RowClock(std::int64_t measure, std::int64_t row, std::int64_t rows);

// Reads a chart's note data for `columns` columns: measures split by ',', a row a line. `1`
// is a tap; `2` (hold) and `4` (roll) start a freeze that the next `3` of its column ends (a
// head without a tail stays a tap, a tail without a head is passed over); mines, fakes,
// lifts and keysounds are counted, not kept. The `{...}` and `[...]` after a note are passed
// over; characters past the last column too.
SmNoteData ParseNoteData(std::string_view data, std::int32_t columns, std::int64_t maxClock,
                         std::size_t maxNotes);

} // namespace zelvane::stepmania
