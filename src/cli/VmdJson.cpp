#include "cli/VmdJson.h"

#include "motion/VmdFormat.h"

namespace zelvane::cli {

nlohmann::json VmdToJson(std::span<const std::uint8_t> bytes)
{
    const VmdFile file = ReadVmdRecords(bytes);
    nlohmann::json bones = nlohmann::json::array();
    for (const VmdBoneRecord& bone : file.bones) {
        nlohmann::json interpolation = nlohmann::json::array();
        for (std::uint8_t value : bone.interpolation)
            interpolation.push_back(value);
        bones.push_back(
            {{"name", bone.name},
             {"frame", bone.frame},
             {"translation", {bone.translation.x, bone.translation.y, bone.translation.z}},
             {"rotation", {bone.rotation.x, bone.rotation.y, bone.rotation.z, bone.rotation.w}},
             {"interpolation", interpolation}});
    }
    nlohmann::json morphs = nlohmann::json::array();
    for (const VmdMorphRecord& morph : file.morphs)
        morphs.push_back({{"name", morph.name}, {"frame", morph.frame}, {"weight", morph.weight}});
    return {{"modelName", file.modelName}, {"bones", bones}, {"morphs", morphs}};
}

} // namespace zelvane::cli
