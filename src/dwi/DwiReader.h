#pragma once

#include "base/Style.h"
#include "dwi/DwiDiagnostics.h"
#include "dwi/DwiTiming.h"
#include "dwi/FirstNoteIndex.h"
#include "text/Errors.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

class CStepDocument;
class CScore;
struct CNote;

// The bytes are not a DWI file at all: they hold NUL bytes, which no text does, or not one
// tag the reader takes with its value. Nothing is read from them.
class NotDwiFileError : public FileFormatError {
public:
    // `fileName` is how the reason names the file; `why` is what gave the bytes away.
    NotDwiFileError(const std::string& fileName, const Reason& why);

    // What gave the bytes away, without the file's name, for a message that names the file
    // itself.
    const Reason& why() const noexcept { return *m_why; }

private:
    // Shared, so copying the exception cannot throw.
    std::shared_ptr<const Reason> m_why;
};

// Reads the text of one DWI file into a document: song settings tag by tag, and every chart
// into the score of its style and difficulty. It only adds; emptying the document first is
// the import's job. Problems do not stop it: each becomes a diagnostic.
class CDwiReader {
public:
    // `path` is where the bytes came from; the song's FILE value is taken from its folder.
    CDwiReader(CStepDocument& document, std::filesystem::path path,
               std::span<const std::uint8_t> bytes);

    // Reads every tag; returns what could not be read. A file whose charts reach beyond the
    // chart limits through its final timing (its clock or its number of notes) is read only
    // up to the first note past them (the import refuses it whole anyway), so a huge file
    // costs no more memory than a valid one. Bytes that are no DWI file throw
    // NotDwiFileError before the document is touched.
    DwiDiagnostics Read();
    // Why the file's tempo changes and freezes make no tempo map the document can hold (too
    // many, or stops of more than the limit); empty when they do. The document then keeps
    // the song's tempo alone, and the import refuses the file.
    const Reason& tempoMapRefusal() const { return m_tempoMapRefusal; }
    // The song the last FILE tag named, resolved against the chart's folder; none when the
    // file has no FILE tag. Attaching it (which may ask the user) is the import's job.
    const std::optional<std::string>& audioPath() const { return m_audioPath; }

private:
    // The notes read for one score. They reach the score only when reading ends, in the
    // order inserting them one by one in clock order would give (after every note of the
    // same or an earlier clock). A freeze mark needs the first note at a clock and panel:
    // in the block being read it lies among the last few notes, and the notes of earlier
    // blocks are put in an index only when a mark first asks, so a chart without marks on
    // laid-over blocks pays nothing per note for it.
    struct StagedScore {
        CScore* score = nullptr;
        std::vector<std::unique_ptr<CNote>> notes;
        // Where each block's notes begin (the score's own notes are the first run): a block
        // adds its notes in clock order. The last entry is the block being read.
        std::vector<std::size_t> runStarts{0};
        CFirstNoteIndex earlierBlocks;
        std::size_t indexed = 0; // notes[0, indexed) are in earlierBlocks
    };

    StagedScore& Stage(CScore* score);
    void AddNote(std::int32_t clock, std::int32_t panel);
    CNote* FindNote(std::int32_t clock, std::int32_t panel);
    void CommitNotes();

    std::optional<std::uint8_t> NextByte();
    bool ReadLine();
    void DiscardRestOfLine() { m_linePosition = m_line.size(); }
    // The field up to `terminator`, trimmed; m_fieldEnded tells whether the terminator came
    // before the end of the file.
    std::string ReadUntil(char terminator);

    void ReadTag();
    void ReadBpm(const std::string& value);
    void ReadTempoChanges(const std::string& value);
    void ReadFreezes(const std::string& value);
    void ReadChart(Style style);
    // The first pass's ReadChart: finds where the chart ends and nothing else.
    void SkipChart();
    void ReadGroup(bool freeze, std::int32_t markClock);
    void ApplyArrow(std::uint8_t c, bool freeze, std::int32_t markClock);
    void Advance();
    void StartBlock();
    void AddDiagnostic(DwiDiagnostic::Kind kind, std::string argument);
    // Reads the whole file as Read does but changes nothing: the timing the file leaves, in
    // m_timing, and whether any tag of a DWI file was found.
    void ReadFinalTiming();
    // Throws NotDwiFileError unless the bytes are text with a tag of a DWI file.
    void RequireDwiText() const;
    void Rewind();

    CStepDocument& m_document;
    std::filesystem::path m_path;
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_filePosition = 0;

    std::string_view m_line; // a run of bytes above 0x1F; control bytes only split lines
    std::size_t m_linePosition = 0;
    std::int32_t m_lineNumber = 0;

    std::vector<std::unique_ptr<StagedScore>> m_staged;
    StagedScore* m_score = nullptr;
    std::int32_t m_panelOffset = 0;
    std::int32_t m_clock = 0;
    // The panels this block has stepped on at m_clock: the clock of a block only grows, so a
    // panel stepped twice in one block can only be stepped twice at its current clock.
    std::uint32_t m_steppedAtClock = 0;
    std::int32_t m_steppedClock = -1;
    std::int32_t m_lastClock = -1;
    std::int32_t m_stepClocks = 24;
    std::array<CNote*, 8> m_pendingFreeze{};
    DwiDiagnostics m_diagnostics;
    bool m_readsTempoOnly = false;
    bool m_fieldEnded = false;
    bool m_foundDwiTag = false;
    // The file's tempo tags, taken by the first pass only; the second reports their faults.
    CDwiTiming m_timing{0.0f};
    Reason m_tempoMapRefusal;
    std::int32_t m_maxClock = 0;
    bool m_pastChartLimits = false;
    std::optional<std::string> m_audioPath;
};

} // namespace zelvane
