#pragma once

// Writes PMD bytes from a plain description, so reader tests can build exactly the file
// they need, section by section.

#include "text/BinaryWriter.h"
#include "text/Encoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvane::test {

struct PmdVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 1, nz = 0;
    float u = 0, v = 0;
    std::uint16_t bone0 = 0, bone1 = 0;
    std::uint8_t weight = 100;
    std::uint8_t edge = 0;
};

struct PmdMaterial {
    float diffuse[4] = {1, 1, 1, 1};
    float power = 5;
    float specular[3] = {0, 0, 0};
    float ambient[3] = {0.5f, 0.5f, 0.5f};
    std::int8_t toon = -1;
    std::uint8_t edge = 1;
    std::uint32_t faceVertexCount = 0;
    std::string fileNames;
};

struct PmdBone {
    std::string name;
    std::int16_t parent = -1;
    std::int16_t tail = -1;
    std::uint8_t type = 0;
    std::int16_t ikIndex = 0;
    float x = 0, y = 0, z = 0;
    std::string englishName;
};

struct PmdIK {
    std::uint16_t ikBone = 0, effector = 0;
    std::uint16_t iterations = 0;
    float limitAngle = 0;
    std::vector<std::uint16_t> chain;
};

struct PmdMorphVertex {
    std::uint32_t index = 0;
    float x = 0, y = 0, z = 0;
};

struct PmdMorph {
    std::string name;
    std::uint8_t type = 0;
    std::vector<PmdMorphVertex> vertices;
    std::string englishName;
};

struct PmdBoneDisplay {
    std::uint16_t bone = 0;
    std::uint8_t group = 1; // 1-based
};

struct PmdFile {
    std::string name, comment;
    std::vector<PmdVertex> vertices;
    std::vector<std::uint16_t> indices;
    std::vector<PmdMaterial> materials;
    std::vector<PmdBone> bones;
    std::vector<PmdIK> iks;
    std::vector<PmdMorph> morphs;
    std::vector<std::uint16_t> morphDisplay;
    std::vector<std::string> boneGroups, boneGroupEnglishNames;
    std::vector<PmdBoneDisplay> boneDisplay;
    bool english = true;
    std::string englishName, englishComment;
    bool withToons = true;
    std::array<std::string, 10> toons;
    bool withPhysics = true;
    int rigidBodies = 0;
    int joints = 0;
};

// Byte offsets of the section starts, for tests that cut or patch at a boundary.
struct PmdLayout {
    std::size_t vertices = 0, indices = 0, materials = 0, bones = 0, iks = 0, morphs = 0,
                morphDisplay = 0, boneGroups = 0, boneDisplay = 0, english = 0, toons = 0,
                rigidBodies = 0, joints = 0, end = 0;
};

inline void WriteText(BinaryWriter& out, const std::string& utf8, std::size_t size)
{
    out.WriteFixed(Utf8ToCp932(utf8), size);
}

inline std::vector<std::uint8_t> WritePmd(const PmdFile& file, PmdLayout* layout = nullptr)
{
    PmdLayout at;
    BinaryWriter out;
    out.WriteBytes(AsBytes("Pmd"));
    out.WriteF32(1.0f);
    WriteText(out, file.name, 20);
    WriteText(out, file.comment, 256);
    at.vertices = out.bytes().size();
    out.WriteU32(static_cast<std::uint32_t>(file.vertices.size()));
    for (const PmdVertex& v : file.vertices) {
        for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v})
            out.WriteF32(f);
        out.WriteU16(v.bone0);
        out.WriteU16(v.bone1);
        out.WriteU8(v.weight);
        out.WriteU8(v.edge);
    }
    at.indices = out.bytes().size();
    out.WriteU32(static_cast<std::uint32_t>(file.indices.size()));
    for (std::uint16_t i : file.indices)
        out.WriteU16(i);
    at.materials = out.bytes().size();
    out.WriteU32(static_cast<std::uint32_t>(file.materials.size()));
    for (const PmdMaterial& m : file.materials) {
        for (float f : m.diffuse)
            out.WriteF32(f);
        out.WriteF32(m.power);
        for (float f : m.specular)
            out.WriteF32(f);
        for (float f : m.ambient)
            out.WriteF32(f);
        out.WriteU8(static_cast<std::uint8_t>(m.toon));
        out.WriteU8(m.edge);
        out.WriteU32(m.faceVertexCount);
        WriteText(out, m.fileNames, 20);
    }
    at.bones = out.bytes().size();
    out.WriteU16(static_cast<std::uint16_t>(file.bones.size()));
    for (const PmdBone& b : file.bones) {
        WriteText(out, b.name, 20);
        out.WriteI16(b.parent);
        out.WriteI16(b.tail);
        out.WriteU8(b.type);
        out.WriteI16(b.ikIndex);
        for (float f : {b.x, b.y, b.z})
            out.WriteF32(f);
    }
    at.iks = out.bytes().size();
    out.WriteU16(static_cast<std::uint16_t>(file.iks.size()));
    for (const PmdIK& ik : file.iks) {
        out.WriteU16(ik.ikBone);
        out.WriteU16(ik.effector);
        out.WriteU8(static_cast<std::uint8_t>(ik.chain.size()));
        out.WriteU16(ik.iterations);
        out.WriteF32(ik.limitAngle);
        for (std::uint16_t link : ik.chain)
            out.WriteU16(link);
    }
    at.morphs = out.bytes().size();
    out.WriteU16(static_cast<std::uint16_t>(file.morphs.size()));
    for (const PmdMorph& m : file.morphs) {
        WriteText(out, m.name, 20);
        out.WriteU32(static_cast<std::uint32_t>(m.vertices.size()));
        out.WriteU8(m.type);
        for (const PmdMorphVertex& v : m.vertices) {
            out.WriteU32(v.index);
            for (float f : {v.x, v.y, v.z})
                out.WriteF32(f);
        }
    }
    at.morphDisplay = out.bytes().size();
    out.WriteU8(static_cast<std::uint8_t>(file.morphDisplay.size()));
    for (std::uint16_t m : file.morphDisplay)
        out.WriteU16(m);
    at.boneGroups = out.bytes().size();
    out.WriteU8(static_cast<std::uint8_t>(file.boneGroups.size()));
    for (const std::string& g : file.boneGroups)
        WriteText(out, g, 50);
    at.boneDisplay = out.bytes().size();
    out.WriteU32(static_cast<std::uint32_t>(file.boneDisplay.size()));
    for (const PmdBoneDisplay& d : file.boneDisplay) {
        out.WriteU16(d.bone);
        out.WriteU8(d.group);
    }
    at.english = out.bytes().size();
    out.WriteU8(file.english ? 1 : 0);
    if (file.english) {
        WriteText(out, file.englishName, 20);
        WriteText(out, file.englishComment, 256);
        for (const PmdBone& b : file.bones)
            WriteText(out, b.englishName, 20);
        for (const PmdMorph& m : file.morphs) {
            if (m.type != 0)
                WriteText(out, m.englishName, 20);
        }
        for (std::size_t g = 0; g < file.boneGroups.size(); ++g)
            WriteText(out,
                      g < file.boneGroupEnglishNames.size() ? file.boneGroupEnglishNames[g] : "",
                      50);
    }
    at.toons = out.bytes().size();
    if (file.withToons) {
        for (const std::string& t : file.toons)
            WriteText(out, t, 100);
    }
    at.rigidBodies = out.bytes().size();
    if (file.withPhysics) {
        out.WriteU32(static_cast<std::uint32_t>(file.rigidBodies));
        for (int i = 0; i < file.rigidBodies; ++i) {
            WriteText(out, "body" + std::to_string(i), 20);
            out.WriteU16(static_cast<std::uint16_t>(i));
            out.WriteU8(3);
            out.WriteU16(0xFFFE);
            out.WriteU8(1);
            for (int k = 0; k < 14; ++k)
                out.WriteF32(static_cast<float>(i * 100 + k));
            out.WriteU8(2);
        }
        at.joints = out.bytes().size();
        out.WriteU32(static_cast<std::uint32_t>(file.joints));
        for (int i = 0; i < file.joints; ++i) {
            WriteText(out, "joint" + std::to_string(i), 20);
            out.WriteI32(i);
            out.WriteI32(i + 1);
            for (int k = 0; k < 24; ++k)
                out.WriteF32(static_cast<float>(i * 100 + k));
        }
    }
    at.end = out.bytes().size();
    if (layout)
        *layout = at;
    return out.TakeBytes();
}

} // namespace zelvane::test
