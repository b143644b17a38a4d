#pragma once

#include "model/Vector.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvane {

// Four floats of a PMX record: an extra UV channel, a quaternion or a colour with alpha.
using PmxFloat4 = std::array<float, 4>;

// The header's settings that shape the rest of the file.
struct PmxHeader {
    float version = 2.0f;
    // 0: texts are UTF-16LE, 1: UTF-8. The records hold them as UTF-8 either way.
    std::uint8_t encoding = 0;
    std::uint8_t additionalUvCount = 0;
    // Bytes per index (1, 2 or 4) of each table.
    std::uint8_t vertexIndexSize = 1;
    std::uint8_t textureIndexSize = 1;
    std::uint8_t materialIndexSize = 1;
    std::uint8_t boneIndexSize = 1;
    std::uint8_t morphIndexSize = 1;
    std::uint8_t rigidBodyIndexSize = 1;

    friend bool operator==(const PmxHeader&, const PmxHeader&) = default;
};

enum class PmxWeightType : std::uint8_t { Bdef1, Bdef2, Bdef4, Sdef, Qdef };

struct PmxVertex {
    Vector3 position;
    Vector3 normal;
    Vector2 uv;
    PmxWeightType weightType = PmxWeightType::Bdef1;
    // Bdef1 uses the first bone, Bdef2 and Sdef the first two (the second weight is
    // 1 - weights[0]), Bdef4 and Qdef all four. Unused bones are -1.
    std::array<std::int32_t, 4> bones{-1, -1, -1, -1};
    std::array<float, 4> weights{};
    // Sdef only.
    Vector3 sdefC;
    Vector3 sdefR0;
    Vector3 sdefR1;
    float edgeScale = 1.0f;

    friend bool operator==(const PmxVertex&, const PmxVertex&) = default;
};

struct PmxMaterial {
    std::string name;
    std::string englishName;
    PmxFloat4 diffuse{};
    Vector3 specular;
    float specularPower = 0.0f;
    Vector3 ambient;
    // Bit 0 no culling, 1 ground shadow, 2 draws to and 3 receives the self shadow, 4 edge;
    // 2.1 adds 5 vertex colour, 6 points and 7 lines.
    std::uint8_t flags = 0;
    PmxFloat4 edgeColor{};
    float edgeSize = 0.0f;
    std::int32_t texture = -1;
    std::int32_t sphereTexture = -1;
    // 0 none, 1 multiplied, 2 added, 3 the extra UV channel 1 as sphere coordinates.
    std::uint8_t sphereMode = 0;
    // With the shared toon, `toon` is 0 to 9 (toon01.bmp to toon10.bmp); otherwise a
    // texture index or -1.
    bool sharedToon = false;
    std::int32_t toon = -1;
    std::string memo;
    std::uint32_t indexCount = 0;

    friend bool operator==(const PmxMaterial&, const PmxMaterial&) = default;
};

struct PmxIKLink {
    std::int32_t bone = -1;
    bool hasLimits = false;
    Vector3 lowerLimit; // radians
    Vector3 upperLimit;

    friend bool operator==(const PmxIKLink&, const PmxIKLink&) = default;
};

struct PmxBone {
    static constexpr std::uint16_t kTailIsBone = 0x0001;
    static constexpr std::uint16_t kRotatable = 0x0002;
    static constexpr std::uint16_t kTranslatable = 0x0004;
    static constexpr std::uint16_t kVisible = 0x0008;
    static constexpr std::uint16_t kEnabled = 0x0010;
    static constexpr std::uint16_t kIK = 0x0020;
    static constexpr std::uint16_t kInheritRotation = 0x0100;
    static constexpr std::uint16_t kInheritTranslation = 0x0200;
    static constexpr std::uint16_t kFixedAxis = 0x0400;
    static constexpr std::uint16_t kLocalAxes = 0x0800;
    static constexpr std::uint16_t kAfterPhysics = 0x1000;
    static constexpr std::uint16_t kExternalParent = 0x2000;

    std::string name;
    std::string englishName;
    Vector3 position;
    std::int32_t parent = -1;
    std::int32_t layer = 0;
    std::uint16_t flags = 0;
    // With kTailIsBone the tail is `tailBone` (or -1), otherwise the head plus `tailOffset`.
    std::int32_t tailBone = -1;
    Vector3 tailOffset;
    // With kInheritRotation or kInheritTranslation.
    std::int32_t inheritParent = -1;
    float inheritRatio = 0.0f;
    Vector3 fixedAxis;
    Vector3 localAxisX;
    Vector3 localAxisZ;
    std::int32_t externalParentKey = 0;
    // With kIK.
    std::int32_t ikTarget = -1;
    std::int32_t ikLoopCount = 0;
    float ikUnitAngle = 0.0f; // radians
    std::vector<PmxIKLink> ikLinks;

    friend bool operator==(const PmxBone&, const PmxBone&) = default;
};

enum class PmxMorphKind : std::uint8_t {
    Group,
    Vertex,
    Bone,
    Uv,
    ExtraUv1,
    ExtraUv2,
    ExtraUv3,
    ExtraUv4,
    Material,
    Flip,
    Impulse,
};

// A group or flip morph's entry: another morph and its weight.
struct PmxMorphWeight {
    std::int32_t morph = 0;
    float weight = 0.0f;

    friend bool operator==(const PmxMorphWeight&, const PmxMorphWeight&) = default;
};

// A vertex morph's entry (x, y, z used) or a UV morph's (all four used).
struct PmxVertexOffset {
    std::uint32_t vertex = 0;
    PmxFloat4 offset{};

    friend bool operator==(const PmxVertexOffset&, const PmxVertexOffset&) = default;
};

struct PmxBoneOffset {
    std::int32_t bone = 0;
    Vector3 translation;
    PmxFloat4 rotation{}; // a quaternion x, y, z, w

    friend bool operator==(const PmxBoneOffset&, const PmxBoneOffset&) = default;
};

struct PmxMaterialOffset {
    std::int32_t material = -1; // -1: every material
    // 0: the values multiply the material's, 1: they are added to it.
    std::uint8_t operation = 0;
    PmxFloat4 diffuse{};
    Vector3 specular;
    float specularPower = 0.0f;
    Vector3 ambient;
    PmxFloat4 edgeColor{};
    float edgeSize = 0.0f;
    PmxFloat4 textureTint{};
    PmxFloat4 sphereTint{};
    PmxFloat4 toonTint{};

    friend bool operator==(const PmxMaterialOffset&, const PmxMaterialOffset&) = default;
};

struct PmxImpulseOffset {
    std::int32_t rigidBody = 0;
    bool local = false;
    Vector3 velocity;
    Vector3 torque;

    friend bool operator==(const PmxImpulseOffset&, const PmxImpulseOffset&) = default;
};

struct PmxMorph {
    std::string name;
    std::string englishName;
    // 1 eyebrows, 2 eyes, 3 mouth, 4 other (0 is the system's own).
    std::uint8_t panel = 0;
    PmxMorphKind kind = PmxMorphKind::Vertex;
    // Only the list of the morph's kind is filled: `weights` for group and flip morphs,
    // `vertices` for vertex and every UV kind.
    std::vector<PmxMorphWeight> weights;
    std::vector<PmxVertexOffset> vertices;
    std::vector<PmxBoneOffset> bones;
    std::vector<PmxMaterialOffset> materials;
    std::vector<PmxImpulseOffset> impulses;

    friend bool operator==(const PmxMorph&, const PmxMorph&) = default;
};

struct PmxDisplayElement {
    bool isMorph = false;
    std::int32_t index = 0; // a bone or a morph

    friend bool operator==(const PmxDisplayElement&, const PmxDisplayElement&) = default;
};

struct PmxDisplayFrame {
    std::string name;
    std::string englishName;
    bool special = false;
    std::vector<PmxDisplayElement> elements;

    friend bool operator==(const PmxDisplayFrame&, const PmxDisplayFrame&) = default;
};

struct PmxRigidBody {
    std::string name;
    std::string englishName;
    std::int32_t bone = -1;
    std::uint8_t group = 0;
    std::uint16_t noCollisionMask = 0;
    std::uint8_t shape = 0; // 0 sphere, 1 box, 2 capsule
    Vector3 size;
    Vector3 position;
    Vector3 rotation;
    float mass = 0.0f;
    float linearDamping = 0.0f;
    float angularDamping = 0.0f;
    float restitution = 0.0f;
    float friction = 0.0f;
    std::uint8_t mode = 0; // 0 follows its bone, 1 physics, 2 physics moving the bone

    friend bool operator==(const PmxRigidBody&, const PmxRigidBody&) = default;
};

struct PmxJoint {
    std::string name;
    std::string englishName;
    // 0 spring 6DOF; 2.1 adds 1 6DOF, 2 point to point, 3 cone twist, 4 slider, 5 hinge.
    std::uint8_t kind = 0;
    std::int32_t bodyA = -1;
    std::int32_t bodyB = -1;
    Vector3 position;
    Vector3 rotation;
    Vector3 translationMin;
    Vector3 translationMax;
    Vector3 rotationMin;
    Vector3 rotationMax;
    Vector3 springTranslation;
    Vector3 springRotation;

    friend bool operator==(const PmxJoint&, const PmxJoint&) = default;
};

// Everything a PMX file holds, as it is in the file; texts in UTF-8. Indices refer to
// positions in these lists and were checked to be in range (or -1 where "none" is allowed).
// Soft bodies (2.1) are checked and passed over: nothing here simulates them.
struct PmxFile {
    PmxHeader header;
    std::string name;
    std::string englishName;
    std::string comment;
    std::string englishComment;
    std::vector<PmxVertex> vertices;
    // The vertices' extra UV channels, `header.additionalUvCount` a vertex, vertex by vertex:
    // kept beside the vertices rather than in them, as most models have none and a vertex
    // with room for four would be most of the records' memory.
    std::vector<PmxFloat4> additionalUvs;
    // Three per face, in material order.
    std::vector<std::uint32_t> indices;
    // Texture paths as written, relative to the model's folder.
    std::vector<std::string> textures;
    std::vector<PmxMaterial> materials;
    std::vector<PmxBone> bones;
    std::vector<PmxMorph> morphs;
    std::vector<PmxDisplayFrame> displayFrames;
    std::vector<PmxRigidBody> rigidBodies;
    std::vector<PmxJoint> joints;
    std::size_t softBodyCount = 0;

    friend bool operator==(const PmxFile&, const PmxFile&) = default;
};

} // namespace zelvane
