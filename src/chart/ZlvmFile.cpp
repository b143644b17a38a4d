#include "chart/ZlvmFile.h"

#include "base/ChartLimits.h"
#include "chart/NoteRecord.h"
#include "chart/StepDocument.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace zelvane {
namespace {

ZlvmScoreRecord ReadScore(BinaryReader& reader)
{
    ZlvmScoreRecord record;
    const std::uint8_t styleValue = reader.ReadU8();
    const auto style = StyleFromValue(styleValue);
    if (!style)
        throw FileFormatError(Reason(IDS_REASON_ZLVM_UNKNOWN_STYLE, {styleValue}));
    record.style = *style;
    record.difficulty = reader.ReadArchiveString();
    const std::uint16_t noteCount = reader.ReadU16();
    reader.RequireRecords(noteCount, kNoteRecordSize);
    record.notes.reserve(noteCount);
    for (std::uint16_t i = 0; i < noteCount; ++i)
        record.notes.push_back(ReadNoteRecord(reader));
    record.aviPath = reader.ReadArchiveString();
    const std::int32_t players = StylePlayerCount(record.style);
    for (std::int32_t i = 0; i < players; ++i)
        record.motionPaths.push_back(reader.ReadArchiveString());
    return record;
}

// Version 0x0201 follows the colours with sections: a four-byte tag, the length of what
// follows in bytes (32 bits), and that many bytes. A reader passes over sections it does not
// know, so later versions can add their own; one it knows must be exactly as long as it says.
//
// "TMAP", the tempo map after the song's tempo: a 32-bit count, then per event its kind
// (8 bits, in the order of CTempoEvent), its clock (32 bits), and its value: a tempo change's
// BPM as a 32-bit float, a delay's or stop's milliseconds as a 64-bit double, a warp's length
// in clocks (32 bits).
//
// "METR", the scores' meters: a 32-bit count, which must be the number of scores, then a
// 32-bit meter for each score in order.
constexpr std::array<std::uint8_t, 4> kTempoMapTag{'T', 'M', 'A', 'P'};
constexpr std::array<std::uint8_t, 4> kMetersTag{'M', 'E', 'T', 'R'};
constexpr std::size_t kSmallestTempoEvent = 9;

double ReadF64(BinaryReader& reader)
{
    return std::bit_cast<double>(reader.ReadU64());
}

std::vector<CTempoEvent> ReadTempoEvents(std::span<const std::uint8_t> bytes)
{
    BinaryReader reader(bytes);
    const std::uint32_t count = reader.ReadU32();
    if (count >= kMaxTempoEvents)
        throw FileFormatError(
            Reason(IDS_REASON_TOO_MANY_TEMPO_EVENTS, {count + std::uint64_t{1}, kMaxTempoEvents}));
    reader.RequireRecords(count, kSmallestTempoEvent);
    std::vector<CTempoEvent> events;
    events.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t kind = reader.ReadU8();
        const std::int32_t clock = reader.ReadI32();
        switch (kind) {
        case 0:
            events.push_back(CTempoChange{clock, reader.ReadF32()});
            break;
        case 1:
            events.push_back(CDelay{clock, ReadF64(reader)});
            break;
        case 2:
            events.push_back(CStop{clock, ReadF64(reader)});
            break;
        case 3:
            events.push_back(CWarp{clock, reader.ReadI32()});
            break;
        default:
            throw FileFormatError(Reason(IDS_REASON_ZLVM_UNKNOWN_TEMPO_EVENT, {kind}));
        }
    }
    if (!reader.atEnd())
        throw FileFormatError(Reason(IDS_REASON_ZLVM_SECTION_LENGTH, {"TMAP"}));
    return events;
}

void WriteTempoEvents(BinaryWriter& writer, const std::vector<CTempoEvent>& events)
{
    BinaryWriter section;
    section.WriteU32(static_cast<std::uint32_t>(events.size()));
    for (const CTempoEvent& event : events) {
        section.WriteU8(static_cast<std::uint8_t>(event.index()));
        section.WriteI32(EventClock(event));
        if (const auto* tempo = std::get_if<CTempoChange>(&event))
            section.WriteF32(tempo->bpm);
        else if (const auto* delay = std::get_if<CDelay>(&event))
            section.WriteU64(std::bit_cast<std::uint64_t>(delay->milliseconds));
        else if (const auto* stop = std::get_if<CStop>(&event))
            section.WriteU64(std::bit_cast<std::uint64_t>(stop->milliseconds));
        else
            section.WriteI32(std::get<CWarp>(event).length);
    }
    const std::vector<std::uint8_t> bytes = section.TakeBytes();
    writer.WriteBytes(kTempoMapTag);
    writer.WriteU32(static_cast<std::uint32_t>(bytes.size()));
    writer.WriteBytes(bytes);
}

void ReadMeters(std::span<const std::uint8_t> bytes, std::vector<ZlvmScoreRecord>& scores)
{
    BinaryReader reader(bytes);
    if (reader.ReadU32() != scores.size() || reader.remaining() != 4 * scores.size())
        throw FileFormatError(Reason(IDS_REASON_ZLVM_SECTION_LENGTH, {"METR"}));
    for (ZlvmScoreRecord& score : scores)
        score.meter = reader.ReadI32();
}

void WriteMeters(BinaryWriter& writer, const std::vector<ZlvmScoreRecord>& scores)
{
    writer.WriteBytes(kMetersTag);
    writer.WriteU32(static_cast<std::uint32_t>(4 + 4 * scores.size()));
    writer.WriteU32(static_cast<std::uint32_t>(scores.size()));
    for (const ZlvmScoreRecord& score : scores)
        writer.WriteI32(score.meter);
}

void ReadSections(BinaryReader& reader, ZlvmDocumentData& data)
{
    while (!reader.atEnd()) {
        const std::span<const std::uint8_t> tag = reader.ReadBytes(kTempoMapTag.size());
        const std::uint32_t length = reader.ReadU32();
        const std::span<const std::uint8_t> bytes = reader.ReadBytes(length);
        if (std::equal(tag.begin(), tag.end(), kTempoMapTag.begin()))
            data.tempoEvents = ReadTempoEvents(bytes);
        else if (std::equal(tag.begin(), tag.end(), kMetersTag.begin()))
            ReadMeters(bytes, data.scores);
    }
}

} // namespace

ZlvmDocumentData ReadZlvm(std::span<const std::uint8_t> bytes)
{
    BinaryReader reader(bytes);
    const std::uint16_t version = reader.ReadU16();
    if (version != kZlvmVersion && version != kZlvmSectionsVersion)
        throw FileFormatError(Reason(IDS_REASON_ZLVM_UNKNOWN_VERSION));
    ZlvmDocumentData data;
    data.title = reader.ReadArchiveString();
    data.artist = reader.ReadArchiveString();
    data.bpm = reader.ReadF32();
    if (!IsValidBpm(data.bpm))
        throw FileFormatError(Reason(IDS_REASON_ZLVM_BAD_TEMPO));
    if (Reason breach = ChartTempoBreach(data.bpm); !breach.empty())
        throw FileFormatError(breach);
    data.gap = reader.ReadI32();
    if (Reason breach = ChartGapBreach(data.gap); !breach.empty())
        throw FileFormatError(breach);
    data.audioPath = reader.ReadArchiveString();
    data.modelPath = reader.ReadArchiveString();
    data.twist = reader.ReadU8() != 0;
    data.turnEnabled = reader.ReadU8() != 0;
    const std::uint16_t scoreCount = reader.ReadU16();
    // The smallest score record: style, two empty 8-bit strings, a count, one motion path.
    reader.RequireRecords(scoreCount, 6);
    data.scores.reserve(scoreCount);
    for (std::uint16_t i = 0; i < scoreCount; ++i)
        data.scores.push_back(ReadScore(reader));
    data.backgroundColor = reader.ReadU32();
    data.screenColor = reader.ReadU32();
    if (version == kZlvmSectionsVersion)
        ReadSections(reader, data);

    CTempoMap tempo(data.bpm);
    if (Reason refused = tempo.Add(data.tempoEvents); !refused.empty())
        throw FileFormatError(refused);
    // A chart beyond the limits would make its dance unbounded: the file is refused.
    for (const ZlvmScoreRecord& score : data.scores) {
        const Reason breach = ChartLimitBreach(score.notes, tempo);
        if (!breach.empty())
            throw FileFormatError(
                Reason(IDS_REASON_IN_CHART,
                       {std::string(StyleName(score.style)), score.difficulty, breach}));
    }
    return data;
}

std::vector<std::uint8_t> WriteZlvm(const ZlvmDocumentData& data)
{
    constexpr std::size_t kMaxCount = std::numeric_limits<std::uint16_t>::max();
    if (data.scores.size() > kMaxCount)
        throw InvalidArgumentError(Reason(IDS_REASON_ZLVM_TOO_MANY_SCORES));
    if (data.tempoEvents.size() >= kMaxTempoEvents)
        throw InvalidArgumentError(Reason(IDS_REASON_TOO_MANY_TEMPO_EVENTS,
                                          {data.tempoEvents.size() + 1, kMaxTempoEvents}));
    const bool meters = std::any_of(data.scores.begin(), data.scores.end(),
                                    [](const ZlvmScoreRecord& score) { return score.meter != 0; });
    const bool sections = !data.tempoEvents.empty() || meters;
    BinaryWriter writer;
    writer.WriteU16(sections ? kZlvmSectionsVersion : kZlvmVersion);
    writer.WriteArchiveString(data.title);
    writer.WriteArchiveString(data.artist);
    writer.WriteF32(data.bpm);
    writer.WriteI32(data.gap);
    writer.WriteArchiveString(data.audioPath);
    writer.WriteArchiveString(data.modelPath);
    writer.WriteU8(data.twist ? 1 : 0);
    writer.WriteU8(data.turnEnabled ? 1 : 0);
    writer.WriteU16(static_cast<std::uint16_t>(data.scores.size()));
    for (const ZlvmScoreRecord& score : data.scores) {
        if (score.notes.size() > kMaxCount)
            throw InvalidArgumentError(
                Reason(IDS_REASON_ZLVM_TOO_MANY_NOTES, {score.notes.size()}));
        writer.WriteU8(static_cast<std::uint8_t>(score.style));
        writer.WriteArchiveString(score.difficulty);
        writer.WriteU16(static_cast<std::uint16_t>(score.notes.size()));
        for (const CNote& note : score.notes)
            WriteNoteRecord(writer, note);
        writer.WriteArchiveString(score.aviPath);
        const std::size_t players = static_cast<std::size_t>(StylePlayerCount(score.style));
        for (std::size_t i = 0; i < players; ++i)
            writer.WriteArchiveString(i < score.motionPaths.size() ? score.motionPaths[i] : "");
    }
    writer.WriteU32(data.backgroundColor);
    writer.WriteU32(data.screenColor);
    if (!data.tempoEvents.empty())
        WriteTempoEvents(writer, data.tempoEvents);
    if (meters)
        WriteMeters(writer, data.scores);
    return writer.TakeBytes();
}

ZlvmDocumentData CaptureZlvm(const CStepDocument& document)
{
    ZlvmDocumentData data;
    data.title = document.description().title;
    data.artist = document.description().artist;
    data.bpm = document.tempoMap().songBpm();
    data.gap = document.description().gap;
    data.audioPath = document.audio().path;
    data.modelPath = document.model().path;
    data.twist = document.motionOptions().twist;
    data.turnEnabled = document.motionOptions().turnEnabled;
    for (const auto& score : document.scores()) {
        ZlvmScoreRecord record;
        record.style = score->style();
        record.difficulty = score->difficulty();
        for (const auto& note : score->notes())
            record.notes.push_back(*note);
        record.aviPath = score->aviPath();
        record.meter = score->meter();
        for (const auto& player : score->players())
            record.motionPaths.push_back(player->motionPath());
        data.scores.push_back(std::move(record));
    }
    data.backgroundColor = document.colors().background;
    data.screenColor = document.colors().screen;
    const std::vector<CTempoEvent>& events = document.tempoMap().events();
    data.tempoEvents.assign(events.begin() + 1, events.end());
    return data;
}

} // namespace zelvane
