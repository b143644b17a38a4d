#pragma once

#include "base/Note.h"
#include "base/Style.h"
#include "base/TempoEvents.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

class CStepDocument;

// The document file as it is laid out: plain records, read and written here and nowhere
// else.
struct ZlvmScoreRecord {
    Style style = Style::SINGLE;
    std::string difficulty;
    std::vector<CNote> notes;
    std::string aviPath;
    std::vector<std::string> motionPaths; // one per player
    std::int32_t meter = 0;
};

struct ZlvmDocumentData {
    std::string title;
    std::string artist;
    float bpm = 120.0f;
    std::int32_t gap = 0;
    std::string audioPath;
    std::string modelPath;
    bool twist = true;
    bool turnEnabled = false;
    std::vector<ZlvmScoreRecord> scores;
    std::uint32_t backgroundColor = 0xFFFFFF;
    std::uint32_t screenColor = 0;
    // The tempo map after the song's tempo (`bpm`), in its order.
    std::vector<CTempoEvent> tempoEvents;
};

// A document whose song keeps one tempo is written in the first version, byte for byte as
// before; one with a tempo map needs the second, which adds sections after the colours.
constexpr std::uint16_t kZlvmVersion = 0x0200;
constexpr std::uint16_t kZlvmSectionsVersion = 0x0201;

// Parses a whole document file. Throws FileFormatError (wrong version, a tempo that is not
// a number above 0, a style that does not exist, a chart, tempo, gap or tempo map beyond the
// chart limits, a damaged section) or EndOfFileError (the data ends early); nothing is
// returned half-read.
ZlvmDocumentData ReadZlvm(std::span<const std::uint8_t> bytes);

// Throws InvalidArgumentError when the document holds more scores or notes in a score than
// the file's 16-bit counts can say, rather than writing a file that reads back wrong.
std::vector<std::uint8_t> WriteZlvm(const ZlvmDocumentData& data);

// What the document would write.
ZlvmDocumentData CaptureZlvm(const CStepDocument& document);

} // namespace zelvane
