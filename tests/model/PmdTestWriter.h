#pragma once

// Writes PMD bytes from a plain description, so reader tests can build exactly the file
// they need, section by section.

#include "text/BinaryWriter.h"
#include "text/Encoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zelvane::test {

struct PmdVertex {
    float x = 0, y = 0, z = 0, nx = 0, ny = 1, nz = 0, u = 0, v = 0;
    std::uint16_t bone0 = 0, bone1 = 0;
    std::uint8_t weight = 100, edge = 0;
};

struct PmdMaterial {
    float diffuse[4] = {1, 1, 1, 1}, power = 5, specular[3] = {}, ambient[3] = {.5f, .5f, .5f};
    std::int8_t toon = -1;
    std::uint8_t edge = 1;
    std::uint32_t faceVertexCount = 0;
    std::string fileNames;
};

struct PmdBone {
    std::string name;
    std::int16_t parent = -1, tail = -1;
    std::uint8_t type = 0;
    std::int16_t ikIndex = 0;
    float x = 0, y = 0, z = 0;
    std::string englishName;
};

struct PmdIK {
    std::uint16_t ikBone = 0, effector = 0, iterations = 0;
    float limitAngle = 0;
    std::vector<std::uint16_t> chain;
};

struct PmdMorph {
    struct Vertex {
        std::uint32_t index = 0;
        float x = 0, y = 0, z = 0;
    };
    std::string name;
    std::uint8_t type = 0;
    std::vector<Vertex> vertices;
    std::string englishName;
};

struct PmdFile {
    std::string name, comment, englishName, englishComment;
    std::vector<PmdVertex> vertices;
    std::vector<std::uint16_t> indices, morphDisplay;
    std::vector<PmdMaterial> materials;
    std::vector<PmdBone> bones;
    std::vector<PmdIK> iks;
    std::vector<PmdMorph> morphs;
    std::vector<std::string> boneGroups, boneGroupEnglishNames;
    std::vector<std::pair<std::uint16_t, std::uint8_t>> boneDisplay; // bone, 1-based group
    std::array<std::string, 10> toons;
    int rigidBodies = 0, joints = 0;
};

// Byte offsets of the section starts, for tests that cut or patch at a boundary.
struct PmdLayout {
    std::size_t vertices = 0, indices = 0, materials = 0, bones = 0, iks = 0, morphs = 0,
                morphDisplay = 0, boneGroups = 0, boneDisplay = 0, english = 0, toons = 0,
                rigidBodies = 0, joints = 0, end = 0;
};

// Writes each value in the width of its type; text goes into a fixed field.
struct PmdOut {
    struct Fixed {
        std::string text;
        std::size_t size;
    };
    BinaryWriter out;
    void Put(float v) { out.WriteF32(v); }
    void Put(std::int8_t v) { out.WriteU8(static_cast<std::uint8_t>(v)); }
    void Put(std::uint8_t v) { out.WriteU8(v); }
    void Put(std::int16_t v) { out.WriteI16(v); }
    void Put(std::uint16_t v) { out.WriteU16(v); }
    void Put(std::int32_t v) { out.WriteI32(v); }
    void Put(std::uint32_t v) { out.WriteU32(v); }
    void Put(const Fixed& t) { out.WriteFixed(Utf8ToCp932(t.text), t.size); }
    template<std::size_t N> void Put(const float (&values)[N])
    {
        for (float v : values)
            Put(v);
    }
    template<typename... T> void operator()(const T&... values) { (Put(values), ...); }
    // Writes a section's count; returns where the section starts.
    template<typename Count> std::size_t Section(std::size_t count)
    {
        const std::size_t start = out.bytes().size();
        Put(static_cast<Count>(count));
        return start;
    }
};

inline std::vector<std::uint8_t> WritePmd(const PmdFile& file, PmdLayout* layout = nullptr)
{
    using Fixed = PmdOut::Fixed;
    using U8 = std::uint8_t;
    using U16 = std::uint16_t;
    using U32 = std::uint32_t;
    PmdLayout at;
    PmdOut put;
    put(U8{'P'}, U8{'m'}, U8{'d'}, 1.0f, Fixed{file.name, 20}, Fixed{file.comment, 256});
    at.vertices = put.Section<U32>(file.vertices.size());
    for (const PmdVertex& v : file.vertices)
        put(v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v, v.bone0, v.bone1, v.weight, v.edge);
    at.indices = put.Section<U32>(file.indices.size());
    for (U16 i : file.indices)
        put(i);
    at.materials = put.Section<U32>(file.materials.size());
    for (const PmdMaterial& m : file.materials)
        put(m.diffuse, m.power, m.specular, m.ambient, m.toon, m.edge, m.faceVertexCount,
            Fixed{m.fileNames, 20});
    at.bones = put.Section<U16>(file.bones.size());
    for (const PmdBone& b : file.bones)
        put(Fixed{b.name, 20}, b.parent, b.tail, b.type, b.ikIndex, b.x, b.y, b.z);
    at.iks = put.Section<U16>(file.iks.size());
    for (const PmdIK& ik : file.iks) {
        put(ik.ikBone, ik.effector, static_cast<U8>(ik.chain.size()), ik.iterations, ik.limitAngle);
        for (U16 link : ik.chain)
            put(link);
    }
    at.morphs = put.Section<U16>(file.morphs.size());
    for (const PmdMorph& m : file.morphs) {
        put(Fixed{m.name, 20}, static_cast<U32>(m.vertices.size()), m.type);
        for (const PmdMorph::Vertex& v : m.vertices)
            put(v.index, v.x, v.y, v.z);
    }
    at.morphDisplay = put.Section<U8>(file.morphDisplay.size());
    for (U16 m : file.morphDisplay)
        put(m);
    at.boneGroups = put.Section<U8>(file.boneGroups.size());
    for (const std::string& g : file.boneGroups)
        put(Fixed{g, 50});
    at.boneDisplay = put.Section<U32>(file.boneDisplay.size());
    for (const auto& [bone, group] : file.boneDisplay)
        put(bone, group);
    at.english = put.Section<U8>(1); // English names follow
    put(Fixed{file.englishName, 20}, Fixed{file.englishComment, 256});
    for (const PmdBone& b : file.bones)
        put(Fixed{b.englishName, 20});
    for (const PmdMorph& m : file.morphs) {
        if (m.type != 0) // the base morph has no English name
            put(Fixed{m.englishName, 20});
    }
    for (std::size_t g = 0; g < file.boneGroups.size(); ++g)
        put(Fixed{g < file.boneGroupEnglishNames.size() ? file.boneGroupEnglishNames[g] : "", 50});
    at.toons = put.out.bytes().size();
    for (const std::string& t : file.toons)
        put(Fixed{t, 100});
    // Body i: bone i, group 3, mask 0xFFFE, shape 1, fourteen floats i * 100 + k, type 2.
    // Joint i: bodies i and i + 1, twenty-four floats i * 100 + k.
    at.rigidBodies = put.Section<U32>(static_cast<std::size_t>(file.rigidBodies));
    for (int i = 0; i < file.rigidBodies; ++i) {
        put(Fixed{"body" + std::to_string(i), 20}, static_cast<U16>(i), U8{3}, U16{0xFFFE}, U8{1});
        for (int k = 0; k < 14; ++k)
            put(static_cast<float>(i * 100 + k));
        put(U8{2});
    }
    at.joints = put.Section<U32>(static_cast<std::size_t>(file.joints));
    for (std::int32_t i = 0; i < file.joints; ++i) {
        put(Fixed{"joint" + std::to_string(i), 20}, i, i + 1);
        for (int k = 0; k < 24; ++k)
            put(static_cast<float>(i * 100 + k));
    }
    at.end = put.out.bytes().size();
    if (layout)
        *layout = at;
    return put.out.TakeBytes();
}

} // namespace zelvane::test
