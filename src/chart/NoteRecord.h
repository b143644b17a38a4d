#pragma once

#include "base/Note.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"

namespace zelvane {

// A note as document files and the clipboard hold it: clock int32, panel int16, length
// int32, 10 bytes.
constexpr std::size_t kNoteRecordSize = 10;

inline CNote ReadNoteRecord(BinaryReader& reader)
{
    CNote note;
    note.clock = reader.ReadI32();
    note.panel = reader.ReadI16();
    note.length = reader.ReadI32();
    return note;
}

inline void WriteNoteRecord(BinaryWriter& writer, const CNote& note)
{
    writer.WriteI32(note.clock);
    writer.WriteI16(static_cast<std::int16_t>(note.panel));
    writer.WriteI32(note.length);
}

} // namespace zelvane
