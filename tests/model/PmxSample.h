#pragma once

// A small PMX model with every kind of record its version allows, Japanese texts included:
// the reader's tests read it back in every layout, and the PMX fuzzer starts from it.

#include "PmxTestWriter.h"
#include "model/PmxFile.h"

#include <string>
#include <vector>

namespace zelvane::test {

inline PmxHeader PmxSampleHeader(float version, std::uint8_t encoding, std::uint8_t indexSize)
{
    PmxHeader h;
    h.version = version;
    h.encoding = encoding;
    h.additionalUvCount = 2;
    h.vertexIndexSize = indexSize;
    h.textureIndexSize = indexSize;
    h.materialIndexSize = indexSize;
    h.boneIndexSize = indexSize;
    h.morphIndexSize = indexSize;
    h.rigidBodyIndexSize = indexSize;
    return h;
}

inline PmxVertex SampleVertex(float x, PmxWeightType type, std::array<std::int32_t, 4> bones,
                              std::array<float, 4> weights)
{
    PmxVertex v;
    v.position = {x, 1, 2};
    v.normal = {0, 1, 0};
    v.uv = {0.25f, x / 8};
    v.weightType = type;
    v.bones = bones;
    v.weights = weights;
    v.edgeScale = 0.5f;
    return v;
}

inline PmxMorph SampleMorph(const std::string& name, PmxMorphKind kind)
{
    PmxMorph morph;
    morph.name = name;
    morph.englishName = name + "_en";
    morph.panel = 4;
    morph.kind = kind;
    return morph;
}

// A small model with every kind of record the version allows, Japanese texts included.
inline PmxFile PmxSample(const PmxHeader& header)
{
    const bool v21 = header.version == 2.1f;
    PmxFile f;
    f.header = header;
    f.name = "テスト";
    f.englishName = "Test";
    f.comment = "コメント\n二行目";
    f.englishComment = "comment";
    f.vertices = {
        SampleVertex(0, PmxWeightType::Bdef1, {2, -1, -1, -1}, {1, 0, 0, 0}),
        SampleVertex(1, PmxWeightType::Bdef2, {0, 1, -1, -1}, {0.25f, 0.75f, 0, 0}),
        SampleVertex(2, PmxWeightType::Bdef4, {0, 1, 2, -1}, {0.5f, 0.25f, 0.25f, 0}),
        SampleVertex(3, PmxWeightType::Sdef, {1, 2, -1, -1}, {0.5f, 0.5f, 0, 0}),
        SampleVertex(4, v21 ? PmxWeightType::Qdef : PmxWeightType::Bdef4, {3, 2, 1, 0},
                     {0.125f, 0.125f, 0.25f, 0.5f}),
    };
    // Two extra UV channels a vertex.
    for (const PmxVertex& v : f.vertices) {
        const float x = v.position.x;
        f.additionalUvs.push_back({x, 2, 3, 4});
        f.additionalUvs.push_back({-1, -2, -3, x});
    }
    f.vertices[3].sdefC = {1, 2, 3};
    f.vertices[3].sdefR0 = {4, 5, 6};
    f.vertices[3].sdefR1 = {7, 8, 9};
    f.indices = {0, 1, 2, 2, 3, 4, 4, 3, 0};
    f.textures = {"tex/skin.png", "スフィア.spa"};

    PmxMaterial skin;
    skin.name = "肌";
    skin.englishName = "skin";
    skin.diffuse = {1, 0.5f, 0.25f, 1};
    skin.specular = {0.1f, 0.2f, 0.3f};
    skin.specularPower = 12;
    skin.ambient = {0.5f, 0.5f, 0.5f};
    skin.flags = 0x13;
    skin.edgeColor = {0, 0, 0, 1};
    skin.edgeSize = 1.5f;
    skin.texture = 0;
    skin.sphereTexture = 1;
    skin.sphereMode = 2;
    skin.sharedToon = true;
    skin.toon = 9;
    skin.memo = "メモ";
    skin.indexCount = 6;
    PmxMaterial cloth = skin;
    cloth.name = "服";
    cloth.texture = -1;
    cloth.sphereTexture = -1;
    cloth.sphereMode = 3;
    cloth.sharedToon = false;
    cloth.toon = 0;
    cloth.indexCount = 3;
    f.materials = {skin, cloth};

    PmxBone center;
    center.name = "センター";
    center.englishName = "center";
    center.position = {0, 8, 0};
    center.flags = PmxBone::kTailIsBone | PmxBone::kRotatable | PmxBone::kTranslatable;
    center.tailBone = 1;
    PmxBone leg;
    leg.name = "左足";
    leg.position = {1, 10, 0};
    leg.parent = 0;
    leg.layer = 1;
    leg.flags = PmxBone::kRotatable | PmxBone::kInheritRotation | PmxBone::kInheritTranslation
        | PmxBone::kFixedAxis | PmxBone::kLocalAxes | PmxBone::kExternalParent;
    leg.tailOffset = {0, -4, 0};
    leg.inheritParent = 0;
    leg.inheritRatio = -0.5f;
    leg.fixedAxis = {0, 0, 1};
    leg.localAxisX = {1, 0, 0};
    leg.localAxisZ = {0, 0, 1};
    leg.externalParentKey = 7;
    PmxBone ankle;
    ankle.name = "左足首";
    ankle.parent = 1;
    ankle.flags = PmxBone::kTailIsBone;
    ankle.tailBone = -1;
    PmxBone ik;
    ik.name = "左足ＩＫ";
    ik.parent = 0;
    ik.flags = PmxBone::kIK | PmxBone::kTranslatable | PmxBone::kAfterPhysics;
    ik.ikTarget = 2;
    ik.ikLoopCount = 40;
    ik.ikUnitAngle = 0.5f;
    ik.ikLinks = {{1, true, {-3, 0, 0}, {-0.01f, 0, 0}}, {0, false, {}, {}}};
    f.bones = {center, leg, ankle, ik};

    PmxMorph group = SampleMorph("グループ", PmxMorphKind::Group);
    group.weights = {{1, 0.5f}, {2, 1}};
    PmxMorph vertex = SampleMorph("あ", PmxMorphKind::Vertex);
    vertex.vertices = {{4, {0, 0.5f, -1, 0}}, {0, {1, 1, 1, 0}}};
    PmxMorph bone = SampleMorph("骨", PmxMorphKind::Bone);
    bone.bones = {{3, {1, 2, 3}, {0, 0, 0.6f, 0.8f}}};
    PmxMorph material = SampleMorph("材質", PmxMorphKind::Material);
    PmxMaterialOffset all;
    all.material = -1;
    all.operation = 1;
    all.diffuse = {0, 0, 0, -1};
    all.toonTint = {1, 1, 1, 1};
    PmxMaterialOffset one = all;
    one.material = 1;
    one.operation = 0;
    one.edgeSize = 2;
    material.materials = {all, one};
    f.morphs = {group, vertex, bone, material};
    const PmxMorphKind uvKinds[]
        = {PmxMorphKind::Uv, PmxMorphKind::ExtraUv1, PmxMorphKind::ExtraUv2, PmxMorphKind::ExtraUv3,
           PmxMorphKind::ExtraUv4};
    for (PmxMorphKind kind : uvKinds) {
        PmxMorph uv = SampleMorph("UV" + std::to_string(static_cast<int>(kind)), kind);
        uv.vertices = {{static_cast<std::uint32_t>(kind) - 3, {0.5f, 0.25f, 0, 1}}};
        f.morphs.push_back(uv);
    }
    if (v21) {
        PmxMorph flip = SampleMorph("フリップ", PmxMorphKind::Flip);
        flip.weights = {{0, 1}};
        PmxMorph impulse = SampleMorph("衝撃", PmxMorphKind::Impulse);
        impulse.impulses = {{1, true, {0, 1, 0}, {0, 0, 2}}};
        f.morphs.push_back(flip);
        f.morphs.push_back(impulse);
    }

    f.displayFrames = {{"Root", "Root", true, {{false, 0}}},
                       {"表情", "Exp", true, {{true, 1}, {true, 0}, {false, 3}}},
                       {"空", "", false, {}}};

    PmxRigidBody head;
    head.name = "頭";
    head.bone = 2;
    head.group = 3;
    head.noCollisionMask = 0xFFF0;
    head.shape = 2;
    head.size = {1, 2, 0};
    head.position = {0, 15, 0};
    head.rotation = {0.1f, 0, 0};
    head.mass = 1;
    head.linearDamping = 0.5f;
    head.angularDamping = 0.5f;
    head.friction = 0.25f;
    head.mode = 1;
    PmxRigidBody free = head;
    free.name = "free";
    free.bone = -1;
    free.mode = 2;
    f.rigidBodies = {head, free};
    PmxJoint joint;
    joint.name = "首";
    joint.kind = v21 ? 5 : 0;
    joint.bodyA = 0;
    joint.bodyB = 1;
    joint.rotationMin = {-1, -1, -1};
    joint.rotationMax = {1, 1, 1};
    joint.springRotation = {10, 0, 0};
    f.joints = {joint};
    if (v21)
        f.softBodyCount = 1;
    return f;
}

inline std::vector<PmxSoftBodySample> PmxSampleSoftBodies()
{
    return {{1, {{0, 4}, {1, 0}}, {1, 2, 3}}};
}

} // namespace zelvane::test
