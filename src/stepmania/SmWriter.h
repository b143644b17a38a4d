#pragma once

#include "text/Reason.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zelvane {

class CStepDocument;

struct SmWritten {
    std::string text;
    // What the file could not hold, said once each (an .sm has no warps).
    std::vector<Reason> leftOut;
};

// The document as a StepMania file, .sm or .ssc by `path`'s extension, in UTF-8: the song's
// tags, its tempo map, and every score as a chart, each measure with the fewest rows that
// hold its notes. `#MUSIC` is relative to `path` when the song lies beside or below it.
SmWritten WriteSmText(const CStepDocument& document, const std::filesystem::path& path);

// The StepMania difficulty a score's difficulty becomes: the five named ones by name, any
// other an Edit.
std::string DifficultyToStepMania(const std::string& difficulty);

} // namespace zelvane
