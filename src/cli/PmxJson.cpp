#include "cli/PmxJson.h"

#include "model/PmxFile.h"
#include "model/PmxModelBuilder.h"

namespace zelvane {

namespace {

nlohmann::json Array(const Vector3& v)
{
    return nlohmann::json::array({v.x, v.y, v.z});
}

nlohmann::json Array(const PmxFloat4& v)
{
    return nlohmann::json::array({v[0], v[1], v[2], v[3]});
}

nlohmann::json WeightTypes(const PmxFile& file)
{
    std::size_t counts[5] = {};
    for (const PmxVertex& vertex : file.vertices)
        ++counts[static_cast<std::size_t>(vertex.weightType)];
    return {{"BDEF1", counts[0]},
            {"BDEF2", counts[1]},
            {"BDEF4", counts[2]},
            {"SDEF", counts[3]},
            {"QDEF", counts[4]}};
}

nlohmann::json MaterialToJson(const PmxFile& file, const PmxMaterial& material,
                              const std::string& folder)
{
    const Vector3& s = material.specular;
    const Vector3& a = material.ambient;
    return {
        {"name", material.name},
        {"englishName", material.englishName},
        {"diffuse", Array(material.diffuse)},
        {"specular", {s.x, s.y, s.z}},
        {"ambient", {a.x, a.y, a.z}},
        {"power", material.specularPower},
        {"flags", material.flags},
        {"edge", (material.flags & 0x10) != 0},
        {"edgeColor", Array(material.edgeColor)},
        {"edgeSize", material.edgeSize},
        {"faceVertexCount", material.indexCount},
        {"texturePath", PmxTexturePath(file, material.texture, folder)},
        {"spherePath", PmxTexturePath(file, material.sphereTexture, folder)},
        {"sphereMode", material.sphereMode},
        {"toonIndex", material.sharedToon ? material.toon : -1},
        {"toonPath",
         material.sharedToon ? std::string() : PmxTexturePath(file, material.toon, folder)},
        {"memo", material.memo},
    };
}

nlohmann::json BoneToJson(const PmxBone& bone)
{
    nlohmann::json inherit = nullptr;
    const bool rotation = (bone.flags & PmxBone::kInheritRotation) != 0;
    const bool translation = (bone.flags & PmxBone::kInheritTranslation) != 0;
    if (rotation || translation) {
        inherit = {{"parent", bone.inheritParent},
                   {"ratio", bone.inheritRatio},
                   {"rotation", rotation},
                   {"translation", translation}};
    }
    nlohmann::json fixedAxis = nullptr;
    if ((bone.flags & PmxBone::kFixedAxis) != 0)
        fixedAxis = Array(bone.fixedAxis);
    return {
        {"name", bone.name},
        {"englishName", bone.englishName},
        {"parent", bone.parent},
        {"position", Array(bone.position)},
        {"flags", bone.flags},
        {"layer", bone.layer},
        {"tail", (bone.flags & PmxBone::kTailIsBone) != 0 ? bone.tailBone : -1},
        {"inherit", std::move(inherit)},
        {"fixedAxis", std::move(fixedAxis)},
    };
}

nlohmann::json IKToJson(std::size_t index, const PmxBone& bone)
{
    nlohmann::json chain = nlohmann::json::array();
    nlohmann::json links = nlohmann::json::array();
    for (const PmxIKLink& link : bone.ikLinks) {
        chain.push_back(link.bone);
        links.push_back({
            {"bone", link.bone},
            {"minAngle", link.hasLimits ? Array(link.lowerLimit) : nlohmann::json(nullptr)},
            {"maxAngle", link.hasLimits ? Array(link.upperLimit) : nlohmann::json(nullptr)},
        });
    }
    return {
        {"ikBone", index},
        {"effector", bone.ikTarget},
        {"iterations", bone.ikLoopCount},
        {"limitAngle", bone.ikUnitAngle},
        {"chain", std::move(chain)},
        {"links", std::move(links)},
    };
}

nlohmann::json MorphToJson(const PmxMorph& morph)
{
    const std::size_t offsets = morph.weights.size() + morph.vertices.size() + morph.bones.size()
        + morph.materials.size() + morph.impulses.size();
    return {
        {"name", morph.name},
        {"englishName", morph.englishName},
        {"type", static_cast<int>(morph.kind)},
        {"panel", morph.panel},
        // Vertex and UV morphs move vertices; the other kinds list no vertex.
        {"vertexCount", morph.vertices.size()},
        {"offsetCount", offsets},
    };
}

} // namespace

const char* PmxFormatName(const PmxFile& file)
{
    return file.header.version > 2.05f ? "PMX 2.1" : "PMX 2.0";
}

const char* PmxEncodingName(const PmxFile& file)
{
    return file.header.encoding == 0 ? "UTF-16LE" : "UTF-8";
}

nlohmann::json PmxToJson(const PmxFile& file, const std::string& modelFolder)
{
    nlohmann::json materials = nlohmann::json::array();
    for (const PmxMaterial& material : file.materials)
        materials.push_back(MaterialToJson(file, material, modelFolder));
    nlohmann::json bones = nlohmann::json::array();
    nlohmann::json iks = nlohmann::json::array();
    for (std::size_t i = 0; i < file.bones.size(); ++i) {
        bones.push_back(BoneToJson(file.bones[i]));
        if ((file.bones[i].flags & PmxBone::kIK) != 0)
            iks.push_back(IKToJson(i, file.bones[i]));
    }
    nlohmann::json morphs = nlohmann::json::array();
    for (const PmxMorph& morph : file.morphs)
        morphs.push_back(MorphToJson(morph));
    nlohmann::json frames = nlohmann::json::array();
    for (const PmxDisplayFrame& frame : file.displayFrames) {
        nlohmann::json frameBones = nlohmann::json::array();
        for (const PmxDisplayElement& element : frame.elements) {
            if (!element.isMorph)
                frameBones.push_back(element.index);
        }
        frames.push_back({{"name", frame.name}, {"bones", std::move(frameBones)}});
    }
    return {
        {"format", PmxFormatName(file)},
        {"encoding", PmxEncodingName(file)},
        {"name", file.name},
        {"comment", file.comment},
        {"englishName", file.englishName},
        {"englishComment", file.englishComment},
        {"vertexCount", file.vertices.size()},
        {"indexCount", file.indices.size()},
        {"weightTypes", WeightTypes(file)},
        {"materials", std::move(materials)},
        {"bones", std::move(bones)},
        {"iks", std::move(iks)},
        {"morphs", std::move(morphs)},
        {"boneGroups", std::move(frames)},
        {"rigidBodyCount", file.rigidBodies.size()},
        {"jointCount", file.joints.size()},
    };
}

} // namespace zelvane
