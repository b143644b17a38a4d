#pragma once

#include "base/Note.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zelvane {

// The byte layouts of the two clipboard formats; the system clipboard itself belongs to the
// user interface.
constexpr std::string_view kNoteClipboardFormat = "Kes.Rondisk.Note";
constexpr std::string_view kClockRangeClipboardFormat = "Kes.Rondisk.ClockRange";

// A range of whole rows with every note in it.
struct ClockRange {
    std::int32_t start = 0;
    std::int32_t length = 0;
    std::vector<CNote> notes;
};

// count int32, then the note records.
std::vector<std::uint8_t> WriteNoteList(std::span<const CNote> notes);
// Throws EndOfFileError when the data is shorter than its count says and FileFormatError
// for a negative count, clock or length; nothing is read past the end. Whether the notes fit
// the chart they are pasted into is for the paste's command to say.
std::vector<CNote> ReadNoteList(std::span<const std::uint8_t> bytes);

// start, length, count (int32 each), then the note records with their source clocks.
std::vector<std::uint8_t> WriteClockRange(const ClockRange& range);
// Moves the range to `position`: the result starts there and every clock is shifted by
// position - start. Throws as ReadNoteList does.
ClockRange ReadClockRange(std::span<const std::uint8_t> bytes, std::int32_t position);

} // namespace zelvane
