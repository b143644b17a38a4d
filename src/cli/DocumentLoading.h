#pragma once

#include "base/Style.h"

#include <filesystem>
#include <string>

namespace zelvane {
class CStepDocument;
class CScore;
} // namespace zelvane

namespace zelvane::cli {

// The extension in lower case, with its dot.
std::string LowerExtension(const std::filesystem::path& path);

// Reads a .dwi (import) or .zlvm (open) file into `document`; returns the DWI reader's error
// list (empty for documents). Throws CoreError with a clear message.
std::string LoadChart(CStepDocument& document, const std::filesystem::path& path);

// The DWI reader's error list on standard error, one line each.
void PrintReadErrors(const std::filesystem::path& path, const std::string& errors);

// "SINGLE", "double", ... Throws InvalidArgumentError for anything else.
Style ParseStyle(const std::string& text);

// The score of that style and difficulty, or InvalidArgumentError naming what there is.
CScore& RequireScore(CStepDocument& document, Style style, const std::string& difficulty);

} // namespace zelvane::cli
