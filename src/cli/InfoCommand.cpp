#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentJson.h"
#include "cli/DocumentLoading.h"
#include "cli/PmdJson.h"
#include "cli/PmxJson.h"
#include "cli/VmdJson.h"
#include "model/PmdReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <algorithm>
#include <iostream>

namespace zelvane::cli {
namespace {

// Stored paths and names are bytes as some program wrote them: what is not UTF-8 prints as
// U+FFFD, so the output is always valid JSON.
std::string Dump(const nlohmann::json& json)
{
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

int ChartInfo(const std::string& file, bool json, bool verbose)
{
    CliChart chart(file, {verbose, true});
    const std::vector<std::string> errors = DescribeReadErrors(chart.diagnostics(), verbose);
    if (json)
        std::cout << Dump(DocumentToJson(chart.document(), errors)) << "\n";
    else
        std::cout << DocumentSummary(chart.document(), errors);
    return 0;
}

int ModelInfo(const std::string& file, bool json)
{
    const auto model = LoadModel(file);
    const nlohmann::json info = PmdToJson(*model);
    if (json) {
        std::cout << Dump(info) << "\n";
        return 0;
    }
    std::cout << "name:      " << model->name << "\n"
              << "vertices:  " << info["vertexCount"] << "\n"
              << "materials: " << model->materials.size() << "\n"
              << "bones:     " << model->bones.size() << "\n"
              << "IK chains: " << model->iks.size() << "\n"
              << "morphs:    " << model->morphs.size() << "\n"
              << "comment:\n"
              << model->comment << "\n";
    return 0;
}

int PmxInfo(const std::string& file, bool json)
{
    const PmxFile pmx = LoadPmxModelFile(file);
    std::string folder = std::filesystem::absolute(file).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    if (json) {
        std::cout << Dump(PmxToJson(pmx, folder)) << "\n";
        return 0;
    }
    // The listing needs only counts: building the JSON of a model of millions of records
    // just to count its IK bones would take far longer than reading it.
    const auto iks = std::count_if(pmx.bones.begin(), pmx.bones.end(), [](const PmxBone& bone) {
        return (bone.flags & PmxBone::kIK) != 0;
    });
    std::cout << "name:      " << pmx.name << "\n"
              << "format:    " << PmxFormatName(pmx) << ", " << PmxEncodingName(pmx) << "\n"
              << "vertices:  " << pmx.vertices.size() << "\n"
              << "materials: " << pmx.materials.size() << "\n"
              << "bones:     " << pmx.bones.size() << "\n"
              << "IK chains: " << iks << "\n"
              << "morphs:    " << pmx.morphs.size() << "\n"
              << "comment:\n"
              << pmx.comment << "\n";
    return 0;
}

int MotionInfo(const std::string& file, bool json)
{
    nlohmann::json info;
    try {
        info = VmdToJson(ReadWholeFile(file, kMaxMotionFileBytes));
    } catch (const FileFormatError& error) {
        throw FileFormatError("\"" + file + "\" is damaged or not a VMD motion: " + error.what());
    }
    if (json) {
        std::cout << Dump(info) << "\n";
        return 0;
    }
    std::cout << "model:      " << info["modelName"].get<std::string>() << "\n"
              << "bone keys:  " << info["bones"].size() << "\n"
              << "morph keys: " << info["morphs"].size() << "\n";
    return 0;
}

} // namespace

int RunInfo(const std::string& file, bool json, bool verbose)
{
    const std::string extension = LowerExtension(file);
    if (IsChartExtension(extension))
        return ChartInfo(file, json, verbose);
    if (extension == ".pmd")
        return ModelInfo(file, json);
    if (extension == ".pmx")
        return PmxInfo(file, json);
    if (extension == ".vmd")
        return MotionInfo(file, json);
    throw InvalidArgumentError("cannot tell what \"" + file
                               + "\" holds: expected .dwi, .sm, .ssc, .zlvm, .pmd, .pmx or .vmd");
}

} // namespace zelvane::cli
