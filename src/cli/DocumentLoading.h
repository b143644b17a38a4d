#pragma once

#include "base/Style.h"
#include "dwi/DwiDiagnostics.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {
class CStepDocument;
class CScore;
class CModelDocument;
} // namespace zelvane

namespace zelvane::cli {

// The extension in lower case, with its dot.
std::string LowerExtension(const std::filesystem::path& path);

// Reads a .dwi (import) or .zlvm (open) file into `document`; returns what the DWI reader
// could not take (nothing for documents). `withDocumentModel` false leaves the model a
// document names unread, for a command that is given another. Throws CoreError with a clear
// message.
DwiDiagnostics LoadChart(CStepDocument& document, const std::filesystem::path& path,
                         bool withDocumentModel = true);

// Reads a PMD model; its errors name the file, as those of the other files do. Throws
// CoreError.
std::unique_ptr<CModelDocument> LoadModel(const std::filesystem::path& path);

// The reader's diagnostics in English, one line each: the tags passed over on one line, then
// everything else. Tags that do not change the dance are left out unless `verbose`.
std::vector<std::string> DescribeReadErrors(const DwiDiagnostics& diagnostics, bool verbose);

// DescribeReadErrors on standard error, each line naming the file.
void PrintReadErrors(const std::filesystem::path& path, const DwiDiagnostics& diagnostics,
                     bool verbose);

// "SINGLE", "double", ... Throws InvalidArgumentError for anything else.
Style ParseStyle(const std::string& text);

// The score of that style and difficulty, or InvalidArgumentError naming what there is.
CScore& RequireScore(CStepDocument& document, Style style, const std::string& difficulty);

} // namespace zelvane::cli
