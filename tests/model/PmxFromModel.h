#pragma once

// Turns a loaded PMD model into PMX records, as a modelling tool would convert it, so tests
// can check that the same model in both formats loads, poses and dances alike. Knees get the
// hinge limits PMX models give them instead of PMD's rule by name.

#include "model/ModelDocument.h"
#include "model/NameIds.h"
#include "model/PmxFile.h"

#include <numbers>

namespace zelvane::test {

inline PmxFile PmxFromModel(const CModelDocument& model, std::uint8_t encoding = 0)
{
    PmxFile f;
    f.header.version = 2.0f;
    f.header.encoding = encoding;
    f.header.vertexIndexSize = 2;
    f.header.textureIndexSize = 1;
    f.header.materialIndexSize = 1;
    f.header.boneIndexSize = 2;
    f.header.morphIndexSize = 2;
    f.header.rigidBodyIndexSize = 2;
    f.name = model.name;
    f.comment = model.comment;
    f.englishName = model.englishName;
    f.englishComment = model.englishComment;
    for (const CModelVertex& in : model.vertices) {
        PmxVertex v;
        v.position = in.position;
        v.normal = in.normal;
        v.uv = in.uv;
        if (in.weight >= 100 || in.weight <= 0) {
            v.weightType = PmxWeightType::Bdef1;
            v.bones[0] = in.weight >= 100 ? in.bone0 : in.bone1;
            v.weights[0] = 1.0f;
        } else {
            v.weightType = PmxWeightType::Bdef2;
            v.bones = {in.bone0, in.bone1, -1, -1};
            v.weights = {static_cast<float>(in.weight) / 100.0f, 0, 0, 0};
        }
        v.edgeScale = in.noEdge ? 0.0f : 1.0f;
        f.vertices.push_back(v);
    }
    f.indices.assign(model.indices.begin(), model.indices.end());
    for (const CModelMaterial& in : model.materials) {
        PmxMaterial m;
        m.diffuse = {in.diffuse.r, in.diffuse.g, in.diffuse.b, in.diffuse.a};
        m.specular = {in.specular.r, in.specular.g, in.specular.b};
        m.specularPower = in.power;
        m.ambient = {in.ambient.r, in.ambient.g, in.ambient.b};
        m.flags = in.edge ? 0x10 : 0;
        m.edgeColor = {0, 0, 0, 1};
        m.edgeSize = 1;
        m.sharedToon = in.toonIndex >= 0 && in.toonIndex <= 9;
        m.toon = m.sharedToon ? in.toonIndex : -1;
        m.indexCount = static_cast<std::uint32_t>(in.faceVertexCount);
        f.materials.push_back(m);
    }
    constexpr float kPi = std::numbers::pi_v<float>;
    for (std::size_t i = 0; i < model.bones.size(); ++i) {
        const CModelBone& in = model.bones[i];
        PmxBone b;
        b.name = IDToName(in.nameID);
        b.englishName = in.englishName;
        b.position = in.position;
        b.parent = in.parent;
        b.flags = PmxBone::kRotatable | PmxBone::kVisible | PmxBone::kEnabled
            | (in.type == 1 || in.type == 2 ? PmxBone::kTranslatable : 0);
        if (in.tail >= 0 && static_cast<std::size_t>(in.tail) < model.bones.size()) {
            b.flags |= PmxBone::kTailIsBone;
            b.tailBone = in.tail;
        }
        f.bones.push_back(b);
    }
    for (const CModelIK& ik : model.iks) {
        PmxBone& b = f.bones[static_cast<std::size_t>(ik.ikBone)];
        b.flags |= PmxBone::kIK;
        b.ikTarget = ik.effector;
        b.ikLoopCount = ik.iterations;
        // PMD's step is four times its stored angle.
        b.ikUnitAngle = ik.limitAngle * 4.0f;
        for (std::uint16_t link : ik.chain) {
            PmxIKLink l;
            l.bone = link;
            if (model.bones[link].isKnee) {
                l.hasLimits = true;
                l.lowerLimit = {-kPi, 0, 0};
                l.upperLimit = {-0.008f, 0, 0};
            }
            b.ikLinks.push_back(l);
        }
    }
    for (const CModelMorph& in : model.morphs) {
        if (in.type == CModelMorph::kBaseType)
            continue;
        PmxMorph m;
        m.name = IDToName(in.nameID);
        m.panel = static_cast<std::uint8_t>(in.type);
        m.kind = PmxMorphKind::Vertex;
        for (const CModelMorphVertex& v : in.vertices)
            m.vertices.push_back(
                {static_cast<std::uint32_t>(v.index), {v.offset.x, v.offset.y, v.offset.z, 0}});
        f.morphs.push_back(m);
    }
    PmxDisplayFrame root{"Root", "Root", true, {{false, 0}}};
    f.displayFrames = {root};
    return f;
}

} // namespace zelvane::test
