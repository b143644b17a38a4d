#pragma once

#include "base/Style.h"
#include "dwi/DwiDiagnostics.h"
#include "model/PmxFile.h"
#include "stepmania/SmImport.h"

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

// What reading a chart file passed over: the DWI reader's diagnostics or the StepMania
// import's warnings (nothing for documents).
struct ChartReadWarnings {
    DwiDiagnostics dwi;
    SmWarnings stepMania;
};

// The chart files a command reads, by extension.
bool IsChartExtension(const std::string& lowerExtension);

// Reads a .dwi, .sm or .ssc (import) or .zlvm (open) file into `document`; returns what the
// reader could not take. `withDocumentModel` false leaves the model a
// document names unread, for a command that is given another. Throws CoreError with a clear
// message.
ChartReadWarnings LoadChart(CStepDocument& document, const std::filesystem::path& path,
                            bool withDocumentModel = true);

// Reads a PMD model; its errors name the file, as those of the other files do. Throws
// CoreError.
std::unique_ptr<CModelDocument> LoadModel(const std::filesystem::path& path);
// The records of a PMX file, refused as LoadModel refuses a model.
PmxFile LoadPmxModelFile(const std::filesystem::path& path);
// One warning line on stderr naming the standard bones the dance keys or measures that the
// model lacks; nothing when it has them all.
void WarnAboutMissingDanceBones(const CModelDocument& model, const std::string& path);

// The reader's diagnostics in English, one line each: the tags passed over on one line, then
// everything else. Tags that do not change the dance are left out unless `verbose`.
std::vector<std::string> DescribeReadErrors(const ChartReadWarnings& warnings, bool verbose);

// DescribeReadErrors on standard error, each line naming the file.
void PrintReadErrors(const std::filesystem::path& path, const ChartReadWarnings& warnings,
                     bool verbose);

// "SINGLE", "double", ... Throws InvalidArgumentError for anything else.
Style ParseStyle(const std::string& text);

// The score of that style and difficulty, or InvalidArgumentError naming what there is.
CScore& RequireScore(CStepDocument& document, Style style, const std::string& difficulty);

} // namespace zelvane::cli
