#pragma once

#include "chart/StepDocument.h"
#include "dwi/DwiDiagnostics.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelvane {

// The import after its questions: every score of the document is replaced by the charts of
// `bytes` (the contents of the DWI file at `path`), empty scores are dropped, the history is
// cleared and the lengths are recomputed. CStepDocument::ImportDwi reads the file, asks,
// and comes here. A file whose charts break the chart limits at its tempo throws
// FileFormatError before anything changes. Returns what the reader could not take.
DwiDiagnostics ImportDwiBytes(CStepDocument& document, const std::filesystem::path& path,
                              std::span<const std::uint8_t> bytes);

} // namespace zelvane
