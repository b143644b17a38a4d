#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentJson.h"
#include "cli/DocumentLoading.h"
#include "cli/PmdJson.h"
#include "cli/VmdJson.h"
#include "model/PmdReader.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <iostream>

namespace zelvane::cli {
namespace {

int ChartInfo(const std::string& file, bool json)
{
    CliChart chart(file);
    if (json)
        std::cout << DocumentToJson(chart.document(), chart.readErrors()).dump() << "\n";
    else
        std::cout << DocumentSummary(chart.document(), chart.readErrors());
    return 0;
}

int ModelInfo(const std::string& file, bool json)
{
    const auto model = LoadModelDocument(file);
    const nlohmann::json info = PmdToJson(*model);
    if (json) {
        std::cout << info.dump() << "\n";
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

int MotionInfo(const std::string& file, bool json)
{
    nlohmann::json info;
    try {
        info = VmdToJson(ReadWholeFile(file));
    } catch (const FileFormatError& error) {
        throw FileFormatError("\"" + file + "\" is damaged or not a VMD motion: " + error.what());
    }
    if (json) {
        std::cout << info.dump() << "\n";
        return 0;
    }
    std::cout << "model:      " << info["modelName"].get<std::string>() << "\n"
              << "bone keys:  " << info["bones"].size() << "\n"
              << "morph keys: " << info["morphs"].size() << "\n";
    return 0;
}

} // namespace

int RunInfo(const std::string& file, bool json)
{
    const std::string extension = LowerExtension(file);
    if (extension == ".zlvm" || extension == ".dwi")
        return ChartInfo(file, json);
    if (extension == ".pmd")
        return ModelInfo(file, json);
    if (extension == ".vmd")
        return MotionInfo(file, json);
    throw InvalidArgumentError("cannot tell what \"" + file
                               + "\" holds: expected .dwi, .zlvm, .pmd or .vmd");
}

} // namespace zelvane::cli
