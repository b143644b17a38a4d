#pragma once

// Writes PMX bytes from the reader's own records, so reader tests can build exactly the model
// they need in any encoding, index size and version, and compare what is read back.

#include "model/PmxFile.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zelvane::test {

// A 2.1 soft body; only the parts the reader checks are described, the rest is zeros.
struct PmxSoftBodySample {
    std::int32_t material = -1;
    std::vector<std::pair<std::int32_t, std::uint32_t>> anchors; // rigid body, vertex
    std::vector<std::uint32_t> pins;
};

class PmxTestWriter {
public:
    explicit PmxTestWriter(const PmxFile& file)
        : m_file(file)
        , m_h(file.header)
    {
    }

    std::vector<std::uint8_t> Write(const std::vector<PmxSoftBodySample>& softBodies = {})
    {
        WriteHeader();
        Count(m_file.vertices.size());
        for (std::size_t i = 0; i < m_file.vertices.size(); ++i)
            WriteVertex(m_file.vertices[i], i);
        Count(m_file.indices.size());
        for (std::uint32_t index : m_file.indices)
            VertexIndex(index);
        Count(m_file.textures.size());
        for (const std::string& texture : m_file.textures)
            Text(texture);
        Count(m_file.materials.size());
        for (const PmxMaterial& m : m_file.materials)
            WriteMaterial(m);
        Count(m_file.bones.size());
        for (const PmxBone& bone : m_file.bones)
            WriteBone(bone);
        Count(m_file.morphs.size());
        for (const PmxMorph& morph : m_file.morphs)
            WriteMorph(morph);
        Count(m_file.displayFrames.size());
        for (const PmxDisplayFrame& frame : m_file.displayFrames) {
            Text(frame.name);
            Text(frame.englishName);
            m_w.WriteU8(frame.special ? 1 : 0);
            Count(frame.elements.size());
            for (const PmxDisplayElement& e : frame.elements) {
                m_w.WriteU8(e.isMorph ? 1 : 0);
                Index(e.isMorph ? m_h.morphIndexSize : m_h.boneIndexSize, e.index);
            }
        }
        Count(m_file.rigidBodies.size());
        for (const PmxRigidBody& body : m_file.rigidBodies)
            WriteRigidBody(body);
        Count(m_file.joints.size());
        for (const PmxJoint& joint : m_file.joints)
            WriteJoint(joint);
        if (m_h.version == 2.1f) {
            Count(softBodies.size());
            for (const PmxSoftBodySample& body : softBodies)
                WriteSoftBody(body);
        }
        return m_w.TakeBytes();
    }

private:
    void Count(std::size_t count) { m_w.WriteI32(static_cast<std::int32_t>(count)); }
    void F(float value) { m_w.WriteF32(value); }
    void V3(const Vector3& v)
    {
        F(v.x);
        F(v.y);
        F(v.z);
    }
    void V4(const PmxFloat4& v)
    {
        for (float f : v)
            F(f);
    }
    void Text(const std::string& text)
    {
        if (m_h.encoding == 0) {
            const std::vector<std::uint8_t> utf16 = Utf8ToUtf16Le(text);
            Count(utf16.size());
            m_w.WriteBytes(utf16);
        } else {
            Count(text.size());
            m_w.WriteBytes(AsBytes(text));
        }
    }
    void Index(std::uint8_t size, std::int32_t index)
    {
        if (size == 1)
            m_w.WriteU8(static_cast<std::uint8_t>(index));
        else if (size == 2)
            m_w.WriteI16(static_cast<std::int16_t>(index));
        else
            m_w.WriteI32(index);
    }
    void VertexIndex(std::uint32_t index)
    {
        if (m_h.vertexIndexSize == 1)
            m_w.WriteU8(static_cast<std::uint8_t>(index));
        else if (m_h.vertexIndexSize == 2)
            m_w.WriteU16(static_cast<std::uint16_t>(index));
        else
            m_w.WriteU32(index);
    }

    void WriteHeader()
    {
        m_w.WriteBytes(AsBytes("PMX "));
        F(m_h.version);
        m_w.WriteU8(8);
        for (std::uint8_t setting :
             {m_h.encoding, m_h.additionalUvCount, m_h.vertexIndexSize, m_h.textureIndexSize,
              m_h.materialIndexSize, m_h.boneIndexSize, m_h.morphIndexSize, m_h.rigidBodyIndexSize})
            m_w.WriteU8(setting);
        Text(m_file.name);
        Text(m_file.englishName);
        Text(m_file.comment);
        Text(m_file.englishComment);
    }

    // Extra UVs the file's list lacks are written as zeros.
    void WriteVertex(const PmxVertex& v, std::size_t index)
    {
        V3(v.position);
        V3(v.normal);
        F(v.uv.x);
        F(v.uv.y);
        for (std::size_t i = 0; i < m_h.additionalUvCount; ++i) {
            const std::size_t at = index * m_h.additionalUvCount + i;
            V4(at < m_file.additionalUvs.size() ? m_file.additionalUvs[at] : PmxFloat4{});
        }
        m_w.WriteU8(static_cast<std::uint8_t>(v.weightType));
        switch (v.weightType) {
        case PmxWeightType::Bdef1:
            Index(m_h.boneIndexSize, v.bones[0]);
            break;
        case PmxWeightType::Bdef2:
        case PmxWeightType::Sdef:
            Index(m_h.boneIndexSize, v.bones[0]);
            Index(m_h.boneIndexSize, v.bones[1]);
            F(v.weights[0]);
            if (v.weightType == PmxWeightType::Sdef) {
                V3(v.sdefC);
                V3(v.sdefR0);
                V3(v.sdefR1);
            }
            break;
        case PmxWeightType::Bdef4:
        case PmxWeightType::Qdef:
            for (std::int32_t bone : v.bones)
                Index(m_h.boneIndexSize, bone);
            for (float weight : v.weights)
                F(weight);
            break;
        }
        F(v.edgeScale);
    }

    void WriteMaterial(const PmxMaterial& m)
    {
        Text(m.name);
        Text(m.englishName);
        V4(m.diffuse);
        V3(m.specular);
        F(m.specularPower);
        V3(m.ambient);
        m_w.WriteU8(m.flags);
        V4(m.edgeColor);
        F(m.edgeSize);
        Index(m_h.textureIndexSize, m.texture);
        Index(m_h.textureIndexSize, m.sphereTexture);
        m_w.WriteU8(m.sphereMode);
        m_w.WriteU8(m.sharedToon ? 1 : 0);
        if (m.sharedToon)
            m_w.WriteU8(static_cast<std::uint8_t>(m.toon));
        else
            Index(m_h.textureIndexSize, m.toon);
        Text(m.memo);
        m_w.WriteU32(m.indexCount);
    }

    void WriteBone(const PmxBone& bone)
    {
        Text(bone.name);
        Text(bone.englishName);
        V3(bone.position);
        Index(m_h.boneIndexSize, bone.parent);
        m_w.WriteI32(bone.layer);
        m_w.WriteU16(bone.flags);
        if (bone.flags & PmxBone::kTailIsBone)
            Index(m_h.boneIndexSize, bone.tailBone);
        else
            V3(bone.tailOffset);
        if (bone.flags & (PmxBone::kInheritRotation | PmxBone::kInheritTranslation)) {
            Index(m_h.boneIndexSize, bone.inheritParent);
            F(bone.inheritRatio);
        }
        if (bone.flags & PmxBone::kFixedAxis)
            V3(bone.fixedAxis);
        if (bone.flags & PmxBone::kLocalAxes) {
            V3(bone.localAxisX);
            V3(bone.localAxisZ);
        }
        if (bone.flags & PmxBone::kExternalParent)
            m_w.WriteI32(bone.externalParentKey);
        if (bone.flags & PmxBone::kIK) {
            Index(m_h.boneIndexSize, bone.ikTarget);
            m_w.WriteI32(bone.ikLoopCount);
            F(bone.ikUnitAngle);
            Count(bone.ikLinks.size());
            for (const PmxIKLink& link : bone.ikLinks) {
                Index(m_h.boneIndexSize, link.bone);
                m_w.WriteU8(link.hasLimits ? 1 : 0);
                if (link.hasLimits) {
                    V3(link.lowerLimit);
                    V3(link.upperLimit);
                }
            }
        }
    }

    void WriteMorph(const PmxMorph& morph)
    {
        Text(morph.name);
        Text(morph.englishName);
        m_w.WriteU8(morph.panel);
        m_w.WriteU8(static_cast<std::uint8_t>(morph.kind));
        switch (morph.kind) {
        case PmxMorphKind::Group:
        case PmxMorphKind::Flip:
            Count(morph.weights.size());
            for (const PmxMorphWeight& w : morph.weights) {
                Index(m_h.morphIndexSize, w.morph);
                F(w.weight);
            }
            break;
        case PmxMorphKind::Vertex:
            Count(morph.vertices.size());
            for (const PmxVertexOffset& v : morph.vertices) {
                VertexIndex(v.vertex);
                V3({v.offset[0], v.offset[1], v.offset[2]});
            }
            break;
        case PmxMorphKind::Bone:
            Count(morph.bones.size());
            for (const PmxBoneOffset& o : morph.bones) {
                Index(m_h.boneIndexSize, o.bone);
                V3(o.translation);
                V4(o.rotation);
            }
            break;
        case PmxMorphKind::Material:
            Count(morph.materials.size());
            for (const PmxMaterialOffset& o : morph.materials) {
                Index(m_h.materialIndexSize, o.material);
                m_w.WriteU8(o.operation);
                V4(o.diffuse);
                V3(o.specular);
                F(o.specularPower);
                V3(o.ambient);
                V4(o.edgeColor);
                F(o.edgeSize);
                V4(o.textureTint);
                V4(o.sphereTint);
                V4(o.toonTint);
            }
            break;
        case PmxMorphKind::Impulse:
            Count(morph.impulses.size());
            for (const PmxImpulseOffset& o : morph.impulses) {
                Index(m_h.rigidBodyIndexSize, o.rigidBody);
                m_w.WriteU8(o.local ? 1 : 0);
                V3(o.velocity);
                V3(o.torque);
            }
            break;
        default: // every UV kind
            Count(morph.vertices.size());
            for (const PmxVertexOffset& v : morph.vertices) {
                VertexIndex(v.vertex);
                V4(v.offset);
            }
            break;
        }
    }

    void WriteRigidBody(const PmxRigidBody& body)
    {
        Text(body.name);
        Text(body.englishName);
        Index(m_h.boneIndexSize, body.bone);
        m_w.WriteU8(body.group);
        m_w.WriteU16(body.noCollisionMask);
        m_w.WriteU8(body.shape);
        V3(body.size);
        V3(body.position);
        V3(body.rotation);
        for (float f :
             {body.mass, body.linearDamping, body.angularDamping, body.restitution, body.friction})
            F(f);
        m_w.WriteU8(body.mode);
    }

    void WriteJoint(const PmxJoint& joint)
    {
        Text(joint.name);
        Text(joint.englishName);
        m_w.WriteU8(joint.kind);
        Index(m_h.rigidBodyIndexSize, joint.bodyA);
        Index(m_h.rigidBodyIndexSize, joint.bodyB);
        for (const Vector3& v :
             {joint.position, joint.rotation, joint.translationMin, joint.translationMax,
              joint.rotationMin, joint.rotationMax, joint.springTranslation, joint.springRotation})
            V3(v);
    }

    void WriteSoftBody(const PmxSoftBodySample& body)
    {
        Text("soft");
        Text("");
        m_w.WriteU8(1); // shape: rope
        Index(m_h.materialIndexSize, body.material);
        // Group, mask, flags, five 32-bit settings and 25 physics values.
        for (int i = 0; i < 1 + 2 + 1 + 5 * 4 + 25 * 4; ++i)
            m_w.WriteU8(0);
        Count(body.anchors.size());
        for (const auto& [rigidBody, vertex] : body.anchors) {
            Index(m_h.rigidBodyIndexSize, rigidBody);
            VertexIndex(vertex);
            m_w.WriteU8(0);
        }
        Count(body.pins.size());
        for (std::uint32_t vertex : body.pins)
            VertexIndex(vertex);
    }

    const PmxFile& m_file;
    const PmxHeader& m_h;
    BinaryWriter m_w;
};

} // namespace zelvane::test
