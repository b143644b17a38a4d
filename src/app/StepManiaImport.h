#pragma once

#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"

#include <filesystem>
#include <functional>
#include <string>

namespace zelvane {

struct SmWarnings;

// Replaces every score with the charts of a .sm or .ssc file, in the steps and words of the
// DWI import: the file is read whole and checked first (a file that is no chart, or beyond
// the chart limits, throws FileFormatError with nothing changed), then `confirmReplace` is
// asked when any score has notes (false leaves all as it was), then the charts move in. The
// result's errors are the import's warnings, or why the file could not be read.
DwiImportResult ImportStepMania(CStepDocument& document, const std::filesystem::path& path,
                                const std::function<bool()>& confirmReplace);

// The warnings in the desktop program's words, CR LF between, the count of those left off the
// list on a line of its own last.
std::string FormatSmWarnings(const SmWarnings& warnings);

} // namespace zelvane
