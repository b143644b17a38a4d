#include "chart/ZlvmFile.h"

#include "base/ChartLimits.h"
#include "chart/NoteRecord.h"
#include "chart/StepDocument.h"
#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Errors.h"
#include "text/StringTable.h"

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

} // namespace

ZlvmDocumentData ReadZlvm(std::span<const std::uint8_t> bytes)
{
    BinaryReader reader(bytes);
    const std::uint16_t version = reader.ReadU16();
    if (version != kZlvmVersion)
        throw FileFormatError(Reason(IDS_REASON_ZLVM_UNKNOWN_VERSION));
    ZlvmDocumentData data;
    data.title = reader.ReadArchiveString();
    data.artist = reader.ReadArchiveString();
    data.bpm = reader.ReadF32();
    if (!CStepDocument::IsValidBpm(data.bpm))
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
    for (std::uint16_t i = 0; i < scoreCount; ++i) {
        data.scores.push_back(ReadScore(reader));
        // A chart beyond the limits would make its dance unbounded: the file is refused.
        const ZlvmScoreRecord& score = data.scores.back();
        const Reason breach = ChartLimitBreach(score.notes, data.bpm);
        if (!breach.empty())
            throw FileFormatError(
                Reason(IDS_REASON_IN_CHART,
                       {std::string(StyleName(score.style)), score.difficulty, breach}));
    }
    data.backgroundColor = reader.ReadU32();
    data.screenColor = reader.ReadU32();
    return data;
}

std::vector<std::uint8_t> WriteZlvm(const ZlvmDocumentData& data)
{
    constexpr std::size_t kMaxCount = std::numeric_limits<std::uint16_t>::max();
    if (data.scores.size() > kMaxCount)
        throw InvalidArgumentError(Reason(IDS_REASON_ZLVM_TOO_MANY_SCORES));
    BinaryWriter writer;
    writer.WriteU16(kZlvmVersion);
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
    return writer.TakeBytes();
}

ZlvmDocumentData CaptureZlvm(const CStepDocument& document)
{
    ZlvmDocumentData data;
    data.title = document.title();
    data.artist = document.artist();
    data.bpm = document.bpm();
    data.gap = document.gap();
    data.audioPath = document.audioPath();
    data.modelPath = document.modelPath();
    data.twist = document.twist();
    data.turnEnabled = document.turnEnabled();
    for (const auto& score : document.scores()) {
        ZlvmScoreRecord record;
        record.style = score->style();
        record.difficulty = score->difficulty();
        for (const auto& note : score->notes())
            record.notes.push_back(*note);
        record.aviPath = score->aviPath();
        for (const auto& player : score->players())
            record.motionPaths.push_back(player->motionPath());
        data.scores.push_back(std::move(record));
    }
    data.backgroundColor = document.backgroundColor();
    data.screenColor = document.screenColor();
    return data;
}

} // namespace zelvane
