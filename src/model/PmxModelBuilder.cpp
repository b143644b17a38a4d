#include "model/PmxModelBuilder.h"

#include "model/NameIds.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelvane {

namespace {

VertexSkinning SkinningOf(PmxWeightType type)
{
    switch (type) {
    case PmxWeightType::Bdef1:
        return VertexSkinning::Bdef1;
    case PmxWeightType::Bdef2:
        return VertexSkinning::Bdef2;
    case PmxWeightType::Bdef4:
        return VertexSkinning::Bdef4;
    case PmxWeightType::Sdef:
        return VertexSkinning::Sdef;
    case PmxWeightType::Qdef:
        return VertexSkinning::Qdef;
    }
    return VertexSkinning::Bdef1;
}

// std::lround of a share in percent, 0 to 100, without the library call every vertex would
// make: the fraction of a float that size is exact, so the halfway case rounds up as there.
int RoundPercent(float percent)
{
    if (!(percent >= 0.0f && percent <= 100.0f))
        return static_cast<int>(std::lround(percent));
    const int whole = static_cast<int>(percent);
    return percent - static_cast<float>(whole) >= 0.5f ? whole + 1 : whole;
}

// A list's memory, given back.
template<typename T> void Release(std::vector<T>& list)
{
    std::vector<T>().swap(list);
}

void AddVertices(PmxFile& file, CModelDocument& model)
{
    // Built in place, one pass over each list.
    model.vertices.reserve(file.vertices.size());
    model.vertexWeights.reserve(file.vertices.size());
    model.edgeScales.reserve(file.vertices.size());
    // A sub-texture is laid by the first extra UV channel, where the model has one.
    const auto extraUvs = static_cast<std::size_t>(file.header.additionalUvCount);
    const bool subTextures
        = extraUvs > 0 && file.additionalUvs.size() == file.vertices.size() * extraUvs;
    if (subTextures)
        model.subTextureUVs.reserve(file.vertices.size());
    for (const PmxVertex& in : file.vertices) {
        if (subTextures) {
            const PmxFloat4& uv = file.additionalUvs[model.vertices.size() * extraUvs];
            model.subTextureUVs.push_back({uv[0], uv[1]});
        }
        CModelVertex& vertex = model.vertices.emplace_back();
        vertex.position = in.position;
        vertex.normal = in.normal;
        vertex.uv = in.uv;
        // The two-bone fields say what a PMD reader would see: the first two bones, the
        // first one's share in percent.
        vertex.bone0 = std::max(in.bones[0], 0);
        vertex.bone1 = in.bones[1] >= 0 ? in.bones[1] : vertex.bone0;
        const bool oneBone = in.weightType == PmxWeightType::Bdef1;
        const float share = std::clamp(in.weights[0], 0.0f, 1.0f);
        vertex.weight = oneBone ? 100 : RoundPercent(share * 100.0f);
        vertex.noEdge = in.edgeScale == 0.0f;
        model.edgeScales.push_back(in.edgeScale);

        CVertexWeights& weights = model.vertexWeights.emplace_back();
        weights.skinning = SkinningOf(in.weightType);
        weights.bones = in.bones;
        weights.weights = in.weights;
        switch (in.weightType) {
        case PmxWeightType::Bdef1:
            weights.weights = {1.0f, 0.0f, 0.0f, 0.0f};
            break;
        case PmxWeightType::Bdef2:
        case PmxWeightType::Sdef:
            weights.weights = {in.weights[0], 1.0f - in.weights[0], 0.0f, 0.0f};
            break;
        case PmxWeightType::Bdef4:
        case PmxWeightType::Qdef:
            break;
        }
        weights.sdefC = in.sdefC;
        weights.sdefR0 = in.sdefR0;
        weights.sdefR1 = in.sdefR1;
    }
    Release(file.vertices);
    Release(file.additionalUvs);
}

void AddMaterials(const PmxFile& file, const std::string& folder, CModelDocument& model)
{
    model.materials.reserve(file.materials.size());
    for (const PmxMaterial& in : file.materials) {
        CModelMaterial material;
        material.diffuse = {in.diffuse[0], in.diffuse[1], in.diffuse[2], in.diffuse[3]};
        material.specular = {in.specular.x, in.specular.y, in.specular.z, 0.0f};
        material.ambient = {in.ambient.x, in.ambient.y, in.ambient.z, 0.0f};
        material.power = in.specularPower;
        material.toonIndex = in.sharedToon ? in.toon : -1;
        if (!in.sharedToon)
            material.toonPath = PmxTexturePath(file, in.toon, folder);
        material.flags = in.flags;
        material.edge = (in.flags & CModelMaterial::kEdge) != 0;
        material.edgeColor = {in.edgeColor[0], in.edgeColor[1], in.edgeColor[2], in.edgeColor[3]};
        material.edgeSize = in.edgeSize;
        material.texturePath = PmxTexturePath(file, in.texture, folder);
        material.sphereMode = in.sphereMode;
        if (in.sphereMode != 0)
            material.spherePath = PmxTexturePath(file, in.sphereTexture, folder);
        material.sphereAdd = in.sphereMode == 2;
        // The reader checked that the counts add up to the face list, which fits the
        // vertex limit's index count only if each count does.
        material.faceVertexCount = static_cast<int>(in.indexCount);
        model.materials.push_back(std::move(material));
    }
    // Shared toons are the standard files toon01.bmp to toon10.bmp, looked up beside the
    // model as a PMD's toon names are.
    for (int i = 0; i < CModelDocument::kToonCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "toon%02d.bmp", i + 1);
        model.toonPaths[static_cast<std::size_t>(i)] = folder + name;
    }
}

void AddBones(PmxFile& file, CModelDocument& model)
{
    model.bones.reserve(file.bones.size());
    for (std::size_t i = 0; i < file.bones.size(); ++i) {
        PmxBone& in = file.bones[i];
        CModelBone bone;
        bone.nameID = NameToID(in.name);
        bone.englishName = std::move(in.englishName);
        bone.parent = in.parent;
        bone.tail = (in.flags & PmxBone::kTailIsBone) != 0 ? in.tailBone : -1;
        // The PMD kinds the flags come nearest to: 2 IK, 1 moves and turns, 0 turns.
        bone.type = (in.flags & PmxBone::kIK) != 0     ? 2
            : (in.flags & PmxBone::kTranslatable) != 0 ? 1
                                                       : 0;
        bone.position = in.position;
        bone.flags = in.flags;
        bone.layer = in.layer;
        bone.inheritParent = in.inheritParent;
        bone.inheritRatio = in.inheritRatio;
        bone.fixedAxis = in.fixedAxis;
        if ((in.flags & PmxBone::kLocalAxes) != 0) {
            bone.localAxisX = in.localAxisX;
            bone.localAxisZ = in.localAxisZ;
        }
        model.bones.push_back(std::move(bone));
        if ((in.flags & PmxBone::kIK) == 0)
            continue;
        CModelIK ik;
        ik.ikBone = static_cast<int>(i);
        ik.effector = in.ikTarget;
        ik.iterations = in.ikLoopCount;
        ik.limitAngle = in.ikUnitAngle;
        ik.chain.reserve(in.ikLinks.size());
        ik.limits.reserve(in.ikLinks.size());
        for (const PmxIKLink& link : in.ikLinks) {
            ik.chain.push_back(static_cast<std::uint16_t>(link.bone));
            ik.limits.push_back({link.hasLimits, link.lowerLimit, link.upperLimit});
        }
        Release(in.ikLinks);
        model.iks.push_back(std::move(ik));
    }
    Release(file.bones);
}

void AddMorphs(PmxFile& file, CModelDocument& model)
{
    model.morphs.reserve(file.morphs.size());
    for (PmxMorph& in : file.morphs) {
        CModelMorph morph;
        morph.nameID = NameToID(in.name);
        morph.englishName = std::move(in.englishName);
        // PMD's kinds are the panels, and its kind 0 is the base morph PMX has not: a PMX
        // morph on the system panel counts as "other".
        morph.type = in.panel == 0 ? 4 : in.panel;
        morph.pmxKind = static_cast<int>(in.kind);
        const std::size_t offsets = in.weights.size() + in.vertices.size() + in.bones.size()
            + in.materials.size() + in.impulses.size();
        morph.offsetCount = static_cast<int>(std::min<std::size_t>(offsets, INT32_MAX));
        if (in.kind == PmxMorphKind::Vertex) {
            morph.vertices.reserve(in.vertices.size());
            for (const PmxVertexOffset& offset : in.vertices) {
                morph.vertices.push_back({static_cast<int>(offset.vertex),
                                          {offset.offset[0], offset.offset[1], offset.offset[2]}});
            }
        } else if (in.kind == PmxMorphKind::Bone) {
            morph.bones.reserve(in.bones.size());
            for (const PmxBoneOffset& offset : in.bones) {
                // A rotation as stored need not be of unit length; one of no length at all,
                // or none a float can hold, turns nothing.
                const auto& r = offset.rotation;
                const Quaternion stored{r[0], r[1], r[2], r[3]};
                const float length = QuaternionLength(stored);
                const bool usable = length > 0.0f && std::isfinite(length);
                morph.bones.push_back({offset.bone, offset.translation,
                                       usable ? QuaternionNormalize(stored) : Quaternion{}});
            }
        } else if (in.kind == PmxMorphKind::Group) {
            morph.members.reserve(in.weights.size());
            for (const PmxMorphWeight& member : in.weights)
                morph.members.push_back({member.morph, member.weight});
        }
        model.morphs.push_back(std::move(morph));
        in = PmxMorph{};
    }
    Release(file.morphs);
}

void AddFramesAndPhysics(PmxFile& file, CModelDocument& model)
{
    model.boneGroups.reserve(file.displayFrames.size());
    for (PmxDisplayFrame& frame : file.displayFrames) {
        CModelBoneGroup group;
        group.name = std::move(frame.name);
        group.englishName = std::move(frame.englishName);
        for (const PmxDisplayElement& element : frame.elements) {
            if (!element.isMorph)
                group.bones.push_back(element.index);
        }
        Release(frame.elements);
        model.boneGroups.push_back(std::move(group));
    }
    Release(file.displayFrames);
    model.rigidBodies.reserve(file.rigidBodies.size());
    for (const PmxRigidBody& in : file.rigidBodies) {
        CRigidBody body;
        body.name = in.name;
        body.bone = in.bone;
        body.group = in.group;
        body.groupMask = in.noCollisionMask;
        body.shape = in.shape;
        body.size = in.size;
        body.position = in.position;
        body.rotation = in.rotation;
        body.mass = in.mass;
        body.linearDamping = in.linearDamping;
        body.angularDamping = in.angularDamping;
        body.restitution = in.restitution;
        body.friction = in.friction;
        body.type = in.mode;
        model.rigidBodies.push_back(std::move(body));
    }
    model.joints.reserve(file.joints.size());
    for (const PmxJoint& in : file.joints) {
        model.joints.push_back({in.name, in.bodyA, in.bodyB, in.position, in.rotation,
                                in.translationMin, in.translationMax, in.rotationMin,
                                in.rotationMax, in.springTranslation, in.springRotation});
    }
}

} // namespace

std::string PmxTexturePath(const PmxFile& file, int texture, const std::string& modelFolder)
{
    if (texture < 0 || static_cast<std::size_t>(texture) >= file.textures.size())
        return {};
    std::string name = file.textures[static_cast<std::size_t>(texture)];
    std::replace(name.begin(), name.end(), '\\', '/');
    return modelFolder + name;
}

std::unique_ptr<CModelDocument> ModelFromPmx(PmxFile&& file, const std::string& modelFolder)
{
    // Bones are linked by 16-bit indices in IK chains.
    if (file.bones.size() > 65535)
        throw InvalidArgumentError(Reason(
            IDS_REASON_PMX_INVALID_VALUE,
            {Reason(IDS_REASON_PMD_BONES), Reason(IDS_REASON_PMX_COUNT), file.bones.size()}));
    auto model = std::make_unique<CModelDocument>();
    model->format = file.header.version > 2.05f ? CModelDocument::Format::Pmx21
                                                : CModelDocument::Format::Pmx20;
    model->name = std::move(file.name);
    model->englishName = std::move(file.englishName);
    model->comment = std::move(file.comment);
    model->englishComment = std::move(file.englishComment);
    AddVertices(file, *model);
    model->indices = std::move(file.indices);
    AddMaterials(file, modelFolder, *model);
    AddBones(file, *model);
    AddMorphs(file, *model);
    AddFramesAndPhysics(file, *model);
    return model;
}

} // namespace zelvane
