#include "cli/DocumentLoading.h"

#include "chart/StepDocument.h"
#include "chart/ZlvmFile.h"
#include "dwi/DwiImport.h"
#include "model/ModelLoader.h"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "model/PmxReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <system_error>

namespace zelvane::cli {

std::string LowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsChartExtension(const std::string& lowerExtension)
{
    return lowerExtension == ".dwi" || lowerExtension == ".sm" || lowerExtension == ".ssc"
        || lowerExtension == ".zlvm";
}

ChartReadWarnings LoadChart(CStepDocument& document, const std::filesystem::path& path,
                            bool withDocumentModel)
{
    const std::string extension = LowerExtension(path);
    if (!IsChartExtension(extension))
        throw InvalidArgumentError("\"" + path.string()
                                   + "\" is not a chart: expected .dwi, .sm, .ssc or .zlvm");
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxChartFileBytes);
    // The document knows its file by the absolute path, as in the desktop program: the song
    // and model it names are found from the file's folder and kept as absolute paths, so a
    // copy written to another folder still finds them.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::filesystem::path& documentPath = error ? path : absolute;
    if (extension == ".dwi") {
        document.NewDocument();
        return {ImportDwiBytes(document, documentPath, bytes), {}};
    }
    if (extension == ".sm" || extension == ".ssc") {
        document.NewDocument();
        CSmImport import(document, documentPath, bytes);
        import.Apply();
        return {{}, import.warnings()};
    }
    try {
        ZlvmDocumentData data = ReadZlvm(bytes);
        if (!withDocumentModel)
            data.modelPath.clear();
        document.SetPathName(documentPath);
        document.Load(data);
        document.SetModifiedFlag(false);
    } catch (const CoreError& error) {
        throw FileFormatError("\"" + path.string()
                              + "\" is damaged or not a Zelvane document: " + error.what());
    }
    document.AttachFiles();
    return {};
}

namespace {

// Runs a model reader; the reader speaks of bytes only, so its reasons get the file's name.
template<typename Read> auto ReadNamedModel(const std::filesystem::path& path, Read read)
{
    const auto named = [&path](const std::exception& error) {
        return "\"" + path.string() + "\" is damaged or not a PMD or PMX model: " + error.what();
    };
    try {
        return read();
    } catch (const InvalidArgumentError& error) {
        throw InvalidArgumentError(named(error));
    } catch (const FileFormatError& error) {
        throw FileFormatError(named(error));
    } catch (const std::bad_alloc&) {
        throw FileIoError("cannot read \"" + path.string() + "\": there is not enough memory");
    }
}

} // namespace

std::unique_ptr<CModelDocument> LoadModel(const std::filesystem::path& path)
{
    return ReadNamedModel(path, [&path] { return LoadModelFile(path); });
}

PmxFile LoadPmxModelFile(const std::filesystem::path& path)
{
    return ReadNamedModel(path, [&path] { return LoadPmxFile(path); });
}

void WarnAboutMissingDanceBones(const CModelDocument& model, const std::string& path)
{
    const std::vector<int> missing = MissingDanceBones(model);
    if (missing.empty())
        return;
    std::string names;
    for (int id : missing)
        names += (names.empty() ? "" : ", ") + IDToName(id);
    std::cerr << "zelvane-cli: warning: the model \"" << path
              << "\" lacks bones the dance moves or measures: " << names
              << "; it dances with the bones it has\n";
}

std::vector<std::string> DescribeReadErrors(const ChartReadWarnings& warnings, bool verbose)
{
    const DwiDiagnostics& diagnostics = warnings.dwi;
    std::vector<std::string> lines;
    std::string tags;
    std::vector<std::string_view> named;
    for (const DwiDiagnostic& diagnostic : diagnostics.listed) {
        if (diagnostic.kind != DwiDiagnostic::Kind::UnknownTag) {
            lines.push_back(DescribeDwiDiagnostic(diagnostic));
            continue;
        }
        const std::string& tag = diagnostic.argument;
        if ((!verbose && IsTagWithoutBearingOnTheDance(tag))
            || std::find(named.begin(), named.end(), tag) != named.end())
            continue;
        named.push_back(tag);
        tags += (tags.empty() ? "" : ", ") + tag;
    }
    if (!tags.empty())
        lines.insert(lines.begin(), "tags not supported, passed over: " + tags);
    if (diagnostics.unlisted > 0)
        lines.push_back("... and " + std::to_string(diagnostics.unlisted) + " more");
    for (const Reason& reason : warnings.stepMania.listed)
        lines.push_back(EnglishText(reason));
    if (warnings.stepMania.unlisted > 0)
        lines.push_back("... and " + std::to_string(warnings.stepMania.unlisted) + " more");
    return lines;
}

void PrintReadErrors(const std::filesystem::path& path, const ChartReadWarnings& warnings,
                     bool verbose)
{
    for (const std::string& line : DescribeReadErrors(warnings, verbose))
        std::cerr << "zelvane-cli: warning: " << path.string() << ": " << line << "\n";
}

Style ParseStyle(const std::string& text)
{
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (int value = 0; value < kStyleCount; ++value)
        if (StyleName(static_cast<Style>(value)) == upper)
            return static_cast<Style>(value);
    throw InvalidArgumentError("unknown style \"" + text + "\": expected SINGLE, DOUBLE or COUPLE");
}

CScore& RequireScore(CStepDocument& document, Style style, const std::string& difficulty)
{
    if (CScore* score = document.scores().Find(style, difficulty))
        return *score;
    std::string known;
    for (const auto& score : document.scores()) {
        if (!known.empty())
            known += ", ";
        known += std::string(StyleName(score->style())) + " " + score->difficulty();
    }
    throw InvalidArgumentError("there is no " + std::string(StyleName(style)) + " \"" + difficulty
                               + "\" chart; the file has: " + known);
}

} // namespace zelvane::cli
