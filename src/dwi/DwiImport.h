#pragma once

#include "chart/StepDocument.h"
#include "dwi/DwiDiagnostics.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zelvane {

// How an import of a chart file ended.
struct DwiImportResult {
    bool imported = false; // false: the user declined, or the file could not be opened
    // In Japanese: one line per problem read, "N行目:" first, CR LF between lines; or why
    // the file could not be read.
    std::string errors;
};

// One DWI import in two steps, so that everything that can refuse the file does so before
// the user is asked whether the charts may be replaced: the file is read into a document of
// its own and checked, and only then, if still wanted, moved into the user's document.
class CDwiImport {
public:
    // Reads `bytes` (the contents of the DWI file at `path`) starting from the document's
    // song settings. Throws FileFormatError, the document untouched, for bytes that are not
    // a DWI file (NotDwiFileError), tempo changes and freezes no tempo map takes, or charts,
    // a tempo or a gap beyond the chart limits (charts judged through the file's map).
    CDwiImport(CStepDocument& document, std::filesystem::path path,
               std::span<const std::uint8_t> bytes);
    CDwiImport(const CDwiImport&) = delete;
    CDwiImport& operator=(const CDwiImport&) = delete;

    // What the reader could not take.
    const DwiDiagnostics& diagnostics() const { return m_diagnostics; }

    // Every score of the document is replaced by the charts read, empty scores are dropped,
    // the history is cleared and the lengths are recomputed. Called at most once.
    void Apply();

private:
    void CheckChartLimits() const;

    CStepDocument& m_document;
    std::filesystem::path m_path;
    CStepDocument m_read;
    DwiDiagnostics m_diagnostics;
    std::optional<std::string> m_audioPath;
    Reason m_tempoMapRefusal;
};

// Both steps at once, for callers with nobody to ask (ImportDwi asks between them). Returns
// what the reader could not take.
DwiDiagnostics ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                              std::span<const std::uint8_t> bytes);

// Replaces every score of `document` with the charts of the DWI file at `path`.
// `confirmReplace` is asked, once the file is read, when any score has notes; false leaves
// all as it was. A file that cannot be read comes back not imported, why in `errors`. Bytes
// that are not a DWI file, or charts, a tempo or a gap beyond the chart limits throw
// FileFormatError before anyone is asked, nothing changed. `describe` words what the reader
// could not take for `errors`.
DwiImportResult ImportDwi(CStepDocument& document, const std::filesystem::path& path,
                          const std::function<bool()>& confirmReplace = {},
                          const std::function<std::string(const DwiDiagnostics&)>& describe
                          = FormatDwiDiagnosticsJapanese);

} // namespace zelvane
