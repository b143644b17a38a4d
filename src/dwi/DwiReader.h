#pragma once

#include "base/Style.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelvane {

class CStepDocument;
class CScore;
struct CNote;

// Reads the text of one DWI file into a document: song settings tag by tag, and every chart
// into the score of its style and difficulty. It only adds; emptying the document first is
// the import's job. Problems do not stop it: each becomes a line of the error list.
class CDwiReader {
public:
    // `path` is where the bytes came from; the song's FILE value is taken from its folder.
    CDwiReader(CStepDocument& document, std::filesystem::path path,
               std::span<const std::uint8_t> bytes);

    // Reads every tag; returns the error list ("N行目:" and the message, CR LF between).
    std::string Read();
    // The song the last FILE tag named, resolved against the chart's folder; none when the
    // file has no FILE tag. Attaching it (which may ask the user) is the import's job.
    const std::optional<std::string>& audioPath() const { return m_audioPath; }

private:
    // The notes read for one score. They reach the score only when reading ends, in the
    // order inserting them one by one in clock order would give (after every note of the
    // same or an earlier clock); meanwhile the first note of each clock and panel is found
    // at once, so a long chart reads in n log n rather than n squared.
    struct StagedScore {
        CScore* score = nullptr;
        std::vector<std::unique_ptr<CNote>> notes;
        std::unordered_map<std::uint64_t, CNote*> firstAt;       // key: clock and panel
        std::unordered_map<std::uint64_t, std::int64_t> blockAt; // the last block with a note there
    };

    StagedScore& Stage(CScore* score);
    void AddNote(std::int32_t clock, std::int32_t panel);
    CNote* FindNote(std::int32_t clock, std::int32_t panel) const;
    void CommitNotes();

    std::optional<std::uint8_t> NextByte();
    bool ReadLine();
    void DiscardRestOfLine() { m_linePosition = m_line.size(); }
    std::string ReadUntil(char terminator);

    void ReadTag();
    void ReadBpm(const std::string& value);
    void ReadChart(Style style);
    void ReadGroup(bool freeze, std::int32_t markClock);
    void ApplyArrow(std::uint8_t c, bool freeze, std::int32_t markClock);
    void Advance();
    void StartBlock();
    void AddError(const std::string& message);

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
    std::int64_t m_block = 0; // counts the blocks read, so each has a number of its own
    std::int32_t m_clock = 0;
    std::int32_t m_lastClock = -1;
    std::int32_t m_stepClocks = 24;
    std::array<CNote*, 8> m_pendingFreeze{};
    static constexpr std::int64_t kMaxListedErrors = 100;
    std::string m_errors;
    std::int64_t m_errorCount = 0;
    std::optional<std::string> m_audioPath;
};

} // namespace zelvane
