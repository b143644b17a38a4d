#include "chart/ClipboardFormat.h"

#include "chart/NoteRecord.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <limits>

namespace zelvane {
namespace {

void WriteNotes(BinaryWriter& writer, std::span<const CNote> notes)
{
    writer.WriteI32(static_cast<std::int32_t>(notes.size()));
    for (const CNote& note : notes)
        WriteNoteRecord(writer, note);
}

std::vector<CNote> ReadNotes(BinaryReader& reader)
{
    const std::int32_t count = reader.ReadI32();
    if (count < 0)
        throw FileFormatError(Reason(IDS_REASON_CLIPBOARD_NEGATIVE_COUNT));
    reader.RequireRecords(static_cast<std::uint64_t>(count), kNoteRecordSize);
    std::vector<CNote> notes;
    notes.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const CNote note = ReadNoteRecord(reader);
        if (note.clock < 0 || note.length < 0)
            throw FileFormatError(Reason(IDS_REASON_CLIPBOARD_NEGATIVE_CLOCK));
        notes.push_back(note);
    }
    return notes;
}

std::int32_t ShiftClock(std::int32_t clock, std::int64_t offset)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(clock + offset, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::vector<std::uint8_t> WriteNoteList(std::span<const CNote> notes)
{
    BinaryWriter writer;
    WriteNotes(writer, notes);
    return writer.TakeBytes();
}

std::vector<CNote> ReadNoteList(std::span<const std::uint8_t> bytes)
{
    BinaryReader reader(bytes);
    return ReadNotes(reader);
}

std::vector<std::uint8_t> WriteClockRange(const ClockRange& range)
{
    BinaryWriter writer;
    writer.WriteI32(range.start);
    writer.WriteI32(range.length);
    WriteNotes(writer, range.notes);
    return writer.TakeBytes();
}

ClockRange ReadClockRange(std::span<const std::uint8_t> bytes, std::int32_t position)
{
    BinaryReader reader(bytes);
    ClockRange range;
    const std::int32_t sourceStart = reader.ReadI32();
    range.start = position;
    range.length = reader.ReadI32();
    if (sourceStart < 0 || range.length < 0)
        throw FileFormatError(Reason(IDS_REASON_CLIPBOARD_NEGATIVE_CLOCK));
    range.notes = ReadNotes(reader);
    const std::int64_t offset = static_cast<std::int64_t>(position) - sourceStart;
    for (CNote& note : range.notes)
        note.clock = ShiftClock(note.clock, offset);
    return range;
}

} // namespace zelvane
