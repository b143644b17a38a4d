#include "model/PmxReader.h"

#include "model/PmxFieldReader.h"
#include "model/RecordFields.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zelvane {

namespace {

// A bone index of 1, 2 or 4 bytes, signed.
std::int32_t IndexAt(const std::uint8_t* p, std::uint8_t size)
{
    switch (size) {
    case 1:
        return static_cast<std::int8_t>(p[0]);
    case 2:
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
    default:
        return static_cast<std::int32_t>(U32At(p));
    }
}

// A vertex index of 1, 2 or 4 bytes, unsigned.
std::uint32_t VertexIndexAt(const std::uint8_t* p, std::uint8_t size)
{
    switch (size) {
    case 1:
        return p[0];
    case 2:
        return U16At(p);
    default:
        return U32At(p);
    }
}

constexpr std::size_t kNamesSize = 4 + 4; // two empty texts
constexpr std::size_t kFloatSize = 4;
// Bones are linked by 16-bit indices in IK chains. Morphs are held to the count a PMD can
// hold: a morph record is 14 bytes at the least but takes a few hundred in memory, so a file
// of millions of them would take gigabytes without being any model one could edit.
constexpr std::size_t kMaxBones = 65535;
constexpr std::size_t kMaxMorphs = 65535;

bool IsIndexSize(std::uint8_t size)
{
    return size == 1 || size == 2 || size == 4;
}

// Reads the sections in file order. Each list's count is checked against the bytes left with
// the smallest size one of its records can have, so a count larger than the file could hold is
// refused before anything is reserved for it. Vertices name bones and impulse morphs name
// rigid bodies, both read later: those indices are checked once their tables are known.
class CPmxReader {
public:
    CPmxReader(std::span<const std::uint8_t> bytes, PmxFile& file)
        : m_in(bytes)
        , m_file(file)
    {
    }

    void Read()
    {
        using Step = void (CPmxReader::*)();
        static constexpr std::pair<std::uint32_t, Step> kSections[] = {
            {IDS_REASON_PMD_HEADER, &CPmxReader::ReadHeader},
            {IDS_REASON_PMD_VERTICES, &CPmxReader::ReadVertices},
            {IDS_REASON_PMD_FACE_INDICES, &CPmxReader::ReadIndices},
            {IDS_REASON_PMX_TEXTURES, &CPmxReader::ReadTextures},
            {IDS_REASON_PMD_MATERIALS, &CPmxReader::ReadMaterials},
            {IDS_REASON_PMD_BONES, &CPmxReader::ReadBones},
            {IDS_REASON_PMD_MORPHS, &CPmxReader::ReadMorphs},
            {IDS_REASON_PMX_DISPLAY_FRAMES, &CPmxReader::ReadDisplayFrames},
            {IDS_REASON_PMD_RIGID_BODIES, &CPmxReader::ReadRigidBodies},
            {IDS_REASON_PMD_JOINTS, &CPmxReader::ReadJoints},
            {IDS_REASON_PMX_SOFT_BODIES, &CPmxReader::SkipSoftBodies},
        };
        for (const auto& [name, read] : kSections) {
            m_in.SetSection(name);
            try {
                (this->*read)();
            } catch (const EndOfFileError&) {
                throw FileFormatError(Reason(IDS_REASON_PMD_CUT_SHORT, {Reason(name)}));
            }
        }
        CheckLaterIndices();
    }

private:
    const PmxHeader& header() const { return m_in.header(); }
    BinaryReader& in() { return m_in.reader(); }

    void ReadHeader()
    {
        static constexpr std::uint8_t kMagic[] = {'P', 'M', 'X', ' '};
        if (in().remaining() < sizeof kMagic
            || std::memcmp(in().ReadBytes(sizeof kMagic).data(), kMagic, sizeof kMagic) != 0)
            throw FileFormatError(Reason(IDS_REASON_PMX_NOT_PMX));
        PmxHeader h;
        h.version = in().ReadF32();
        if (h.version != 2.0f && h.version != 2.1f) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", static_cast<double>(h.version));
            throw FileFormatError(Reason(IDS_REASON_PMX_VERSION, {std::string(text)}));
        }
        const std::uint8_t globals = in().ReadU8();
        if (globals < 8)
            m_in.ThrowInvalidValue(IDS_REASON_PMX_GLOBALS_COUNT, globals);
        h.encoding = in().ReadU8();
        h.additionalUvCount = in().ReadU8();
        h.vertexIndexSize = in().ReadU8();
        h.textureIndexSize = in().ReadU8();
        h.materialIndexSize = in().ReadU8();
        h.boneIndexSize = in().ReadU8();
        h.morphIndexSize = in().ReadU8();
        h.rigidBodyIndexSize = in().ReadU8();
        // Settings a later version may add are passed over.
        in().Skip(globals - 8u);
        if (h.encoding > 1)
            m_in.ThrowInvalidValue(IDS_REASON_PMX_TEXT_ENCODING, h.encoding);
        if (h.additionalUvCount > 4)
            m_in.ThrowInvalidValue(IDS_REASON_PMX_UV_COUNT, h.additionalUvCount);
        for (std::uint8_t size : {h.vertexIndexSize, h.textureIndexSize, h.materialIndexSize,
                                  h.boneIndexSize, h.morphIndexSize, h.rigidBodyIndexSize}) {
            if (!IsIndexSize(size))
                m_in.ThrowInvalidValue(IDS_REASON_PMX_INDEX_SIZE, size);
        }
        m_in.SetHeader(h);
        m_file.header = h;
        m_file.name = m_in.ReadText();
        m_file.englishName = m_in.ReadText();
        m_file.comment = m_in.ReadText();
        m_file.englishComment = m_in.ReadText();
    }

    bool Is21() const { return header().version == 2.1f; }

    void ReadVertices()
    {
        const std::uint8_t b = header().boneIndexSize;
        // Position, normal and UV, the extra UVs, the weight type, one bone (BDEF1) and the
        // edge scale.
        const std::size_t count
            = m_in.ReadCount(32 + 16 * header().additionalUvCount + 1 + b + kFloatSize);
        // Each record is built on the stack and appended whole: sizing the list first would
        // write all of it twice, and clearing each new record in place is slower than
        // copying one out of the cache.
        m_file.vertices.reserve(count);
        m_file.additionalUvs.reserve(count * header().additionalUvCount);
        const int maximumType = Is21() ? 4 : 3;
        const std::size_t uvs = header().additionalUvCount;
        const std::size_t fixed = 32 + 16 * uvs + 1;
        // The bytes after the weight type, up to and with the edge scale.
        const std::size_t weightSizes[]
            = {b + kFloatSize, 2 * b + 2 * kFloatSize, 4 * b + 5 * kFloatSize,
               2 * b + 11 * kFloatSize, 4 * b + 5 * kFloatSize};
        // The records are walked with a pointer of our own, each checked against the end
        // before it is read; the reader moves past them all at the end.
        const std::span<const std::uint8_t> rest = in().Rest();
        const std::uint8_t* next = rest.data();
        const std::uint8_t* const end = next + rest.size();
        const auto take = [&next, end](std::size_t size) {
            if (static_cast<std::size_t>(end - next) < size)
                throw EndOfFileError(Reason(IDS_REASON_DATA_ENDS));
            const std::uint8_t* taken = next;
            next += size;
            return taken;
        };
        // The range of the bones named, noted as each index is decoded.
        std::int32_t smallest = -1;
        std::int32_t largest = -1;
        const auto boneAt = [b, &smallest, &largest](const std::uint8_t* at) {
            const std::int32_t bone = IndexAt(at, b);
            smallest = std::min(smallest, bone);
            largest = std::max(largest, bone);
            return bone;
        };
        for (std::size_t n = 0; n < count; ++n) {
            PmxVertex v;
            const std::uint8_t* p = take(fixed);
            v.position = Vector3At(p);
            v.normal = Vector3At(p + 12);
            v.uv = {F32At(p + 24), F32At(p + 28)};
            for (std::size_t i = 0; i < uvs; ++i) {
                const std::uint8_t* uv = p + 32 + 16 * i;
                m_file.additionalUvs.push_back(
                    {F32At(uv), F32At(uv + 4), F32At(uv + 8), F32At(uv + 12)});
            }
            const std::uint8_t type = p[fixed - 1];
            if (type > maximumType)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_WEIGHT_TYPE, type);
            v.weightType = static_cast<PmxWeightType>(type);
            const std::uint8_t* w = take(weightSizes[type]);
            switch (v.weightType) {
            case PmxWeightType::Bdef1:
                v.bones[0] = boneAt(w);
                v.weights[0] = 1.0f;
                w += b;
                break;
            case PmxWeightType::Bdef2:
            case PmxWeightType::Sdef:
                v.bones[0] = boneAt(w);
                v.bones[1] = boneAt(w + b);
                w += 2 * b;
                v.weights[0] = F32At(w);
                v.weights[1] = 1.0f - v.weights[0];
                w += kFloatSize;
                if (v.weightType == PmxWeightType::Sdef) {
                    v.sdefC = Vector3At(w);
                    v.sdefR0 = Vector3At(w + 12);
                    v.sdefR1 = Vector3At(w + 24);
                    w += 36;
                }
                break;
            case PmxWeightType::Bdef4:
            case PmxWeightType::Qdef:
                for (std::int32_t& bone : v.bones) {
                    bone = boneAt(w);
                    w += b;
                }
                for (float& weight : v.weights) {
                    weight = F32At(w);
                    w += kFloatSize;
                }
                break;
            }
            v.edgeScale = F32At(w);
            m_file.vertices.push_back(v);
        }
        in().Skip(static_cast<std::size_t>(next - rest.data()));
        m_smallestVertexBone = smallest;
        m_largestVertexBone = largest;
    }

    void ReadIndices()
    {
        const std::uint8_t size = header().vertexIndexSize;
        const std::size_t count = m_in.ReadCount(size);
        if (count % 3 != 0)
            throw FileFormatError(Reason(IDS_REASON_PMX_FACES_NOT_TRIANGLES, {count}));
        const std::uint8_t* p = in().ReadBytes(count * size).data();
        m_file.indices.resize(count);
        std::uint32_t* out = m_file.indices.data();
        // One loop per index size, so that each is a plain copy the compiler can widen; the
        // largest index is checked once at the end.
        std::uint32_t largest = 0;
        switch (size) {
        case 1:
            for (std::size_t i = 0; i < count; ++i) {
                out[i] = p[i];
                largest = std::max(largest, out[i]);
            }
            break;
        case 2:
            for (std::size_t i = 0; i < count; ++i) {
                out[i] = U16At(p + 2 * i);
                largest = std::max(largest, out[i]);
            }
            break;
        default:
            for (std::size_t i = 0; i < count; ++i) {
                out[i] = U32At(p + 4 * i);
                largest = std::max(largest, out[i]);
            }
            break;
        }
        const std::size_t vertexCount = m_file.vertices.size();
        if (count > 0 && largest >= vertexCount) {
            // The first index outside the vertices is the one named.
            for (std::uint32_t index : m_file.indices) {
                if (index >= vertexCount)
                    m_in.ThrowIndexOutOfRange(index, IDS_REASON_PMD_VERTICES);
            }
        }
    }

    void ReadTextures()
    {
        m_file.textures.resize(m_in.ReadCount(4));
        for (std::string& texture : m_file.textures)
            texture = m_in.ReadText();
    }

    void ReadMaterials()
    {
        const std::uint8_t t = header().textureIndexSize;
        const std::size_t count = m_in.ReadCount(kNamesSize + 76 + 2 * t);
        m_file.materials.resize(count);
        const std::size_t textures = m_file.textures.size();
        std::uint64_t indexTotal = 0;
        for (PmxMaterial& m : m_file.materials) {
            m.name = m_in.ReadText();
            m.englishName = m_in.ReadText();
            m.diffuse = m_in.ReadFloat4();
            m.specular = m_in.ReadVector3();
            m.specularPower = in().ReadF32();
            m.ambient = m_in.ReadVector3();
            m.flags = in().ReadU8();
            m.edgeColor = m_in.ReadFloat4();
            m.edgeSize = in().ReadF32();
            m.texture = m_in.ReadIndex(t, textures, IDS_REASON_PMX_TEXTURES, true);
            m.sphereTexture = m_in.ReadIndex(t, textures, IDS_REASON_PMX_TEXTURES, true);
            m.sphereMode = in().ReadU8();
            if (m.sphereMode > 3)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_SPHERE_MODE, m.sphereMode);
            const std::uint8_t shared = in().ReadU8();
            if (shared > 1)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_SHARED_TOON, shared);
            m.sharedToon = shared == 1;
            if (m.sharedToon) {
                m.toon = in().ReadU8();
                if (m.toon > 9)
                    m_in.ThrowInvalidValue(IDS_REASON_PMX_SHARED_TOON, m.toon);
            } else {
                m.toon = m_in.ReadIndex(t, textures, IDS_REASON_PMX_TEXTURES, true);
            }
            m.memo = m_in.ReadText();
            const std::int32_t indexCount = in().ReadI32();
            if (indexCount < 0)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_COUNT, indexCount);
            m.indexCount = static_cast<std::uint32_t>(indexCount);
            indexTotal += m.indexCount;
        }
        if (indexTotal != m_file.indices.size())
            throw FileFormatError(
                Reason(IDS_REASON_PMX_MATERIAL_INDEX_COUNTS, {indexTotal, m_file.indices.size()}));
    }

    std::int32_t ReadBoneIndex(std::size_t bones)
    {
        return m_in.ReadIndex(header().boneIndexSize, bones, IDS_REASON_PMD_BONES, true);
    }

    void ReadBones()
    {
        const std::uint8_t b = header().boneIndexSize;
        // Names, position, parent, layer, flags and the smaller form of the tail.
        const std::size_t count = m_in.ReadCount(kNamesSize + 12 + b + 4 + 2 + b);
        if (count > kMaxBones)
            m_in.ThrowInvalidValue(IDS_REASON_PMX_COUNT, static_cast<std::int64_t>(count));
        m_file.bones.resize(count);
        for (PmxBone& bone : m_file.bones) {
            bone.name = m_in.ReadText();
            bone.englishName = m_in.ReadText();
            bone.position = m_in.ReadVector3();
            bone.parent = ReadBoneIndex(count);
            bone.layer = in().ReadI32();
            bone.flags = in().ReadU16();
            if (bone.flags & PmxBone::kTailIsBone)
                bone.tailBone = ReadBoneIndex(count);
            else
                bone.tailOffset = m_in.ReadVector3();
            if (bone.flags & (PmxBone::kInheritRotation | PmxBone::kInheritTranslation)) {
                bone.inheritParent = ReadBoneIndex(count);
                bone.inheritRatio = in().ReadF32();
            }
            if (bone.flags & PmxBone::kFixedAxis)
                bone.fixedAxis = m_in.ReadVector3();
            if (bone.flags & PmxBone::kLocalAxes) {
                bone.localAxisX = m_in.ReadVector3();
                bone.localAxisZ = m_in.ReadVector3();
            }
            if (bone.flags & PmxBone::kExternalParent)
                bone.externalParentKey = in().ReadI32();
            if (bone.flags & PmxBone::kIK)
                ReadIK(bone, count);
        }
    }

    void ReadIK(PmxBone& bone, std::size_t bones)
    {
        bone.ikTarget = m_in.ReadIndex(header().boneIndexSize, bones, IDS_REASON_PMD_BONES, false);
        bone.ikLoopCount = in().ReadI32();
        bone.ikUnitAngle = in().ReadF32();
        bone.ikLinks.resize(m_in.ReadCount(header().boneIndexSize + 1u));
        for (PmxIKLink& link : bone.ikLinks) {
            link.bone = m_in.ReadIndex(header().boneIndexSize, bones, IDS_REASON_PMD_BONES, false);
            const std::uint8_t limited = in().ReadU8();
            link.hasLimits = limited != 0;
            if (link.hasLimits) {
                link.lowerLimit = m_in.ReadVector3();
                link.upperLimit = m_in.ReadVector3();
            }
        }
    }

    void ReadMorphs()
    {
        const std::size_t count = m_in.ReadCount(kNamesSize + 1 + 1 + 4);
        if (count > kMaxMorphs)
            m_in.ThrowInvalidValue(IDS_REASON_PMX_COUNT, static_cast<std::int64_t>(count));
        m_file.morphs.resize(count);
        const int maximumKind = Is21() ? 10 : 8;
        for (PmxMorph& morph : m_file.morphs) {
            morph.name = m_in.ReadText();
            morph.englishName = m_in.ReadText();
            morph.panel = in().ReadU8();
            const std::uint8_t kind = in().ReadU8();
            if (kind > maximumKind)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_MORPH_KIND, kind);
            morph.kind = static_cast<PmxMorphKind>(kind);
            ReadMorphOffsets(morph);
        }
    }

    void ReadMorphOffsets(PmxMorph& morph)
    {
        const PmxHeader& h = header();
        const std::size_t morphs = m_file.morphs.size();
        switch (morph.kind) {
        case PmxMorphKind::Group:
        case PmxMorphKind::Flip:
            morph.weights.resize(m_in.ReadCount(h.morphIndexSize + kFloatSize));
            for (PmxMorphWeight& w : morph.weights) {
                w.morph = m_in.ReadIndex(h.morphIndexSize, morphs, IDS_REASON_PMD_MORPHS, false);
                w.weight = in().ReadF32();
            }
            break;
        case PmxMorphKind::Vertex: {
            // Records of one size, most of a morph section: their bytes are checked once and
            // decoded as they lie, each vertex index checked.
            const std::size_t size = h.vertexIndexSize + 12u;
            const std::size_t count = m_in.ReadCount(size);
            const std::uint8_t* p = in().ReadBytes(count * size).data();
            morph.vertices.reserve(count);
            for (std::size_t i = 0; i < count; ++i, p += size) {
                const std::uint32_t vertex = VertexIndexAt(p, h.vertexIndexSize);
                if (vertex >= m_file.vertices.size())
                    m_in.ThrowIndexOutOfRange(vertex, IDS_REASON_PMD_VERTICES);
                const Vector3 offset = Vector3At(p + h.vertexIndexSize);
                morph.vertices.push_back({vertex, {offset.x, offset.y, offset.z, 0.0f}});
            }
            break;
        }
        case PmxMorphKind::Bone:
            morph.bones.resize(m_in.ReadCount(h.boneIndexSize + 28u));
            for (PmxBoneOffset& o : morph.bones) {
                o.bone = m_in.ReadIndex(h.boneIndexSize, m_file.bones.size(), IDS_REASON_PMD_BONES,
                                        false);
                o.translation = m_in.ReadVector3();
                o.rotation = m_in.ReadFloat4();
            }
            break;
        case PmxMorphKind::Uv:
        case PmxMorphKind::ExtraUv1:
        case PmxMorphKind::ExtraUv2:
        case PmxMorphKind::ExtraUv3:
        case PmxMorphKind::ExtraUv4:
            morph.vertices.resize(m_in.ReadCount(h.vertexIndexSize + 16u));
            for (PmxVertexOffset& v : morph.vertices) {
                v.vertex = m_in.ReadVertexIndex(m_file.vertices.size());
                v.offset = m_in.ReadFloat4();
            }
            break;
        case PmxMorphKind::Material:
            morph.materials.resize(m_in.ReadCount(h.materialIndexSize + 1u + 28 * kFloatSize));
            for (PmxMaterialOffset& o : morph.materials) {
                o.material = m_in.ReadIndex(h.materialIndexSize, m_file.materials.size(),
                                            IDS_REASON_PMD_MATERIALS, true);
                o.operation = in().ReadU8();
                if (o.operation > 1)
                    m_in.ThrowInvalidValue(IDS_REASON_PMX_OPERATION, o.operation);
                o.diffuse = m_in.ReadFloat4();
                o.specular = m_in.ReadVector3();
                o.specularPower = in().ReadF32();
                o.ambient = m_in.ReadVector3();
                o.edgeColor = m_in.ReadFloat4();
                o.edgeSize = in().ReadF32();
                o.textureTint = m_in.ReadFloat4();
                o.sphereTint = m_in.ReadFloat4();
                o.toonTint = m_in.ReadFloat4();
            }
            break;
        case PmxMorphKind::Impulse:
            morph.impulses.resize(m_in.ReadCount(h.rigidBodyIndexSize + 1u + 24));
            for (PmxImpulseOffset& o : morph.impulses) {
                // Checked once the rigid bodies are read.
                o.rigidBody = m_in.ReadIndexUnchecked(h.rigidBodyIndexSize);
                o.local = in().ReadU8() != 0;
                o.velocity = m_in.ReadVector3();
                o.torque = m_in.ReadVector3();
            }
            break;
        }
    }

    void ReadDisplayFrames()
    {
        const PmxHeader& h = header();
        m_file.displayFrames.resize(m_in.ReadCount(kNamesSize + 1 + 4));
        const std::size_t smallestElement = 1u + std::min(h.boneIndexSize, h.morphIndexSize);
        for (PmxDisplayFrame& frame : m_file.displayFrames) {
            frame.name = m_in.ReadText();
            frame.englishName = m_in.ReadText();
            frame.special = in().ReadU8() != 0;
            frame.elements.resize(m_in.ReadCount(smallestElement));
            for (PmxDisplayElement& element : frame.elements) {
                const std::uint8_t kind = in().ReadU8();
                if (kind > 1)
                    m_in.ThrowInvalidValue(IDS_REASON_PMX_ELEMENT_KIND, kind);
                element.isMorph = kind == 1;
                element.index = element.isMorph
                    ? m_in.ReadIndex(h.morphIndexSize, m_file.morphs.size(), IDS_REASON_PMD_MORPHS,
                                     false)
                    : m_in.ReadIndex(h.boneIndexSize, m_file.bones.size(), IDS_REASON_PMD_BONES,
                                     false);
            }
        }
    }

    void ReadRigidBodies()
    {
        const std::uint8_t b = header().boneIndexSize;
        m_file.rigidBodies.resize(m_in.ReadCount(kNamesSize + b + 1 + 2 + 1 + 36 + 20 + 1));
        for (PmxRigidBody& body : m_file.rigidBodies) {
            body.name = m_in.ReadText();
            body.englishName = m_in.ReadText();
            body.bone = ReadBoneIndex(m_file.bones.size());
            body.group = in().ReadU8();
            body.noCollisionMask = in().ReadU16();
            body.shape = in().ReadU8();
            if (body.shape > 2)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_BODY_SHAPE, body.shape);
            body.size = m_in.ReadVector3();
            body.position = m_in.ReadVector3();
            body.rotation = m_in.ReadVector3();
            body.mass = in().ReadF32();
            body.linearDamping = in().ReadF32();
            body.angularDamping = in().ReadF32();
            body.restitution = in().ReadF32();
            body.friction = in().ReadF32();
            body.mode = in().ReadU8();
            if (body.mode > 2)
                m_in.ThrowInvalidValue(IDS_REASON_PMX_BODY_MODE, body.mode);
        }
    }

    void ReadJoints()
    {
        const std::uint8_t r = header().rigidBodyIndexSize;
        m_file.joints.resize(m_in.ReadCount(kNamesSize + 1 + 2 * r + 8 * 12));
        const std::size_t bodies = m_file.rigidBodies.size();
        for (PmxJoint& joint : m_file.joints) {
            joint.name = m_in.ReadText();
            joint.englishName = m_in.ReadText();
            joint.kind = in().ReadU8();
            if (joint.kind > (Is21() ? 5 : 0))
                m_in.ThrowInvalidValue(IDS_REASON_PMX_JOINT_KIND, joint.kind);
            joint.bodyA = m_in.ReadIndex(r, bodies, IDS_REASON_PMD_RIGID_BODIES, true);
            joint.bodyB = m_in.ReadIndex(r, bodies, IDS_REASON_PMD_RIGID_BODIES, true);
            Vector3* const fields[]
                = {&joint.position,          &joint.rotation,      &joint.translationMin,
                   &joint.translationMax,    &joint.rotationMin,   &joint.rotationMax,
                   &joint.springTranslation, &joint.springRotation};
            for (Vector3* field : fields)
                *field = m_in.ReadVector3();
        }
    }

    // Soft bodies are only read past, every length and index still checked.
    void SkipSoftBodies()
    {
        if (!Is21())
            return;
        const PmxHeader& h = header();
        // After the names: shape, material, group, mask, flags, five 32-bit settings, 12
        // config, 6 cluster, 4 iteration and 3 material values.
        constexpr std::size_t kFixedAfterMaterial = 1 + 2 + 1 + 5 * 4 + (12 + 6 + 4 + 3) * 4;
        const std::size_t count
            = m_in.ReadCount(kNamesSize + 1 + h.materialIndexSize + kFixedAfterMaterial + 4 + 4);
        const std::size_t vertices = m_file.vertices.size();
        for (std::size_t i = 0; i < count; ++i) {
            m_in.ReadText();
            m_in.ReadText();
            in().Skip(1);
            m_in.ReadIndex(h.materialIndexSize, m_file.materials.size(), IDS_REASON_PMD_MATERIALS,
                           true);
            in().Skip(kFixedAfterMaterial);
            const std::size_t anchors
                = m_in.ReadCount(h.rigidBodyIndexSize + h.vertexIndexSize + 1u);
            for (std::size_t a = 0; a < anchors; ++a) {
                m_in.ReadIndex(h.rigidBodyIndexSize, m_file.rigidBodies.size(),
                               IDS_REASON_PMD_RIGID_BODIES, false);
                m_in.ReadVertexIndex(vertices);
                in().Skip(1);
            }
            const std::size_t pins = m_in.ReadCount(h.vertexIndexSize);
            for (std::size_t p = 0; p < pins; ++p)
                m_in.ReadVertexIndex(vertices);
        }
        m_file.softBodyCount = count;
    }

    void CheckLaterIndices()
    {
        m_in.SetSection(IDS_REASON_PMD_VERTICES);
        const std::size_t bones = m_file.bones.size();
        // The vertices are gone through one by one only when the bones they name, smallest
        // and largest, say that one of them is out of range, to name the first.
        const bool inRange = m_smallestVertexBone >= -1
            && (m_largestVertexBone < 0 || static_cast<std::size_t>(m_largestVertexBone) < bones);
        const std::span<const PmxVertex> vertices
            = inRange ? std::span<const PmxVertex>() : std::span<const PmxVertex>(m_file.vertices);
        for (const PmxVertex& v : vertices) {
            for (std::int32_t bone : v.bones) {
                // -1 names no bone; anything else must be one of the bones.
                if (bone != -1 && (bone < 0 || static_cast<std::size_t>(bone) >= bones))
                    m_in.CheckIndex(bone, bones, IDS_REASON_PMD_BONES, true);
            }
        }
        m_in.SetSection(IDS_REASON_PMD_MORPHS);
        for (const PmxMorph& morph : m_file.morphs) {
            for (const PmxImpulseOffset& o : morph.impulses)
                m_in.CheckIndex(o.rigidBody, m_file.rigidBodies.size(), IDS_REASON_PMD_RIGID_BODIES,
                                false);
        }
    }

    CPmxFieldReader m_in;
    PmxFile& m_file;
    // The range of the bone indices the vertices hold, checked once the bones are read.
    std::int32_t m_smallestVertexBone = -1;
    std::int32_t m_largestVertexBone = -1;
};

} // namespace

PmxFile ReadPmxFile(std::span<const std::uint8_t> bytes)
{
    PmxFile file;
    CPmxReader(bytes, file).Read();
    return file;
}

PmxFile LoadPmxFile(const std::filesystem::path& path)
{
    return ReadPmxFile(ReadWholeFile(path, kMaxModelFileBytes));
}

} // namespace zelvane
