#include "cli/PmdJson.h"

#include "model/ModelDocument.h"
#include "model/NameIds.h"

namespace zelvane {

namespace {

nlohmann::json Array(const Vector3& v)
{
    return nlohmann::json::array({v.x, v.y, v.z});
}

nlohmann::json MaterialToJson(const CModelMaterial& material)
{
    const Color4& d = material.diffuse;
    const Color4& s = material.specular;
    const Color4& a = material.ambient;
    return {
        {"diffuse", {d.r, d.g, d.b, d.a}},
        {"specular", {s.r, s.g, s.b}},
        {"ambient", {a.r, a.g, a.b}},
        {"power", material.power},
        {"toonIndex", material.toonIndex},
        {"edge", material.edge},
        {"faceVertexCount", material.faceVertexCount},
        {"texturePath", material.texturePath},
        {"spherePath", material.spherePath},
        {"sphereAdd", material.sphereAdd},
    };
}

nlohmann::json BoneToJson(const CModelBone& bone)
{
    return {
        {"name", IDToName(bone.nameID)},
        {"nameID", bone.nameID},
        {"parent", bone.parent},
        {"tail", bone.tail},
        {"type", bone.type},
        {"ikIndex", bone.ikIndex},
        {"position", Array(bone.position)},
        {"isKnee", bone.isKnee},
    };
}

nlohmann::json IKToJson(const CModelIK& ik)
{
    return {
        {"ikBone", ik.ikBone},         {"effector", ik.effector}, {"iterations", ik.iterations},
        {"limitAngle", ik.limitAngle}, {"chain", ik.chain},
    };
}

} // namespace

nlohmann::json PmdToJson(const CModelDocument& model)
{
    nlohmann::json materials = nlohmann::json::array();
    for (const CModelMaterial& material : model.materials)
        materials.push_back(MaterialToJson(material));
    nlohmann::json bones = nlohmann::json::array();
    for (const CModelBone& bone : model.bones)
        bones.push_back(BoneToJson(bone));
    nlohmann::json iks = nlohmann::json::array();
    for (const CModelIK& ik : model.iks)
        iks.push_back(IKToJson(ik));
    nlohmann::json morphs = nlohmann::json::array();
    for (const CModelMorph& morph : model.morphs) {
        morphs.push_back({
            {"name", IDToName(morph.nameID)},
            {"type", morph.type},
            {"vertexCount", morph.vertices.size()},
        });
    }
    nlohmann::json groups = nlohmann::json::array();
    for (const CModelBoneGroup& group : model.boneGroups)
        groups.push_back({{"name", group.name}, {"bones", group.bones}});

    return {
        {"name", model.name},
        {"comment", model.comment},
        {"englishName", model.englishName},
        {"englishComment", model.englishComment},
        {"vertexCount", model.vertices.size()},
        {"indexCount", model.indices.size()},
        {"materials", std::move(materials)},
        {"bones", std::move(bones)},
        {"iks", std::move(iks)},
        {"morphs", std::move(morphs)},
        {"boneGroups", std::move(groups)},
        {"toonPaths", model.toonPaths},
        {"rigidBodyCount", model.rigidBodies.size()},
        {"jointCount", model.joints.size()},
    };
}

} // namespace zelvane
