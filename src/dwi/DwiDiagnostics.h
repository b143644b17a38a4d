#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

// One thing of a DWI file the reader could not take, kept as data: the desktop program words
// it from its Japanese string table, the command-line tool in English.
struct DwiDiagnostic {
    enum class Kind {
        UnknownTag,         // argument: the tag's name, upper-cased
        InvalidTempo,       // argument: the BPM value as written
        UnknownCharacter,   // argument: the chart character, as UTF-8
        InvalidTempoChange, // argument: the #CHANGEBPM entry as written
        InvalidFreeze,      // argument: the #FREEZE entry as written
    };
    Kind kind = Kind::UnknownTag;
    std::int32_t line = 0; // counting the lines that hold anything, from 1
    std::string argument;

    bool operator==(const DwiDiagnostic&) const = default;
};

// What reading a DWI file reported. A damaged file can repeat one fault a million times: the
// first kMaxListed are kept, the rest only counted, so the list stays small whatever the file.
struct DwiDiagnostics {
    static constexpr std::size_t kMaxListed = 100;
    std::vector<DwiDiagnostic> listed;
    std::int64_t unlisted = 0;
    // Of the unlisted, the tags without bearing on the dance.
    std::int64_t unlistedWithoutBearing = 0;

    bool empty() const { return listed.empty(); }
    void Add(DwiDiagnostic diagnostic);
};

// Tags that name things around the song (its cover, genre, preview) and do not change the
// charts or the dance: passing over them loses nothing the editor keeps.
bool IsTagWithoutBearingOnTheDance(std::string_view tag);

// Whether the entry is a tag that IsTagWithoutBearingOnTheDance names.
bool IsWithoutBearingOnTheDance(const DwiDiagnostic& diagnostic);

// The desktop program's error list: "N行目:" and the string table's message, CR LF between,
// and "…ほかN件" last when entries were left out. It lists only what changes the charts or
// the dance: tags without bearing on it are left out, listed or counted; with nothing else
// the list is empty and no dialog is shown.
std::string FormatDwiDiagnosticsJapanese(const DwiDiagnostics& diagnostics);

// One English line, "line N: ...".
std::string DescribeDwiDiagnostic(const DwiDiagnostic& diagnostic);

} // namespace zelvane
