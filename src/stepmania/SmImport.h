#pragma once

#include "chart/StepDocument.h"
#include "stepmania/SmTiming.h"
#include "text/Reason.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelvane {

// What a StepMania import passed over or left out, each said once. A damaged file can repeat
// one fault a million times: the first kMaxListed are kept, the rest only counted.
struct SmWarnings {
    static constexpr std::size_t kMaxListed = 100;
    std::vector<Reason> listed;
    std::int64_t unlisted = 0;

    bool empty() const { return listed.empty(); }
    void Add(Reason reason);
};

// One import of a .sm or .ssc file (by its extension) in two steps, as for DWI: everything
// that can refuse the file does so in the constructor, before the user is asked whether the
// charts may be replaced; Apply moves the charts into the document.
class CSmImport {
public:
    // Throws FileFormatError, the document untouched, for bytes that are no StepMania file,
    // a song without a tempo, or charts, a tempo map or a gap beyond the chart limits.
    CSmImport(CStepDocument& document, std::filesystem::path path,
              std::span<const std::uint8_t> bytes);
    CSmImport(const CSmImport&) = delete;
    CSmImport& operator=(const CSmImport&) = delete;

    const SmWarnings& warnings() const { return m_warnings; }

    // Every score of the document is replaced by the charts read, the song's settings and
    // tempo map by the file's, the history is cleared. Called at most once.
    void Apply();

private:
    struct Chart {
        Style style = Style::SINGLE;
        std::string difficulty;
        std::int32_t meter = 0;
        std::vector<CNote> notes;
    };

    CStepDocument& m_document;
    std::filesystem::path m_path;
    std::string m_title;
    std::string m_artist;
    std::optional<std::string> m_audioPath;
    stepmania::SmTiming m_timing;
    std::vector<Chart> m_charts;
    SmWarnings m_warnings;
};

// The difficulty name a StepMania difficulty becomes; empty for one the program has none for.
std::string DifficultyFromStepMania(std::string_view difficulty);

} // namespace zelvane
