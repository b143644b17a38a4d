// Writes the demo mannequin, a PMD model of boxes on the standard dance skeleton, so that a
// new user sees a dancer without bringing a model. Run it and commit what it writes:
//   MakeMannequin resources/mannequin/mannequin.pmd
//
// The figure is sized so that the measurements the dance takes from a model (hip height,
// feet apart, toe reach) give exactly the dance's defaults.

#include "model/Vector.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/FileIo.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zelvane;

namespace {

constexpr float kFootX = 0.875424f; // rest x of 左足ＩＫ
constexpr float kHipY = 10.75273f;  // rest y of 左足, a pad of 12 units
constexpr float kToeZ = -2.463567f; // rest z of 左つま先ＩＫ
constexpr float kAnkleY = 1.3f;

enum BoneType : std::uint8_t {
    kRotate = 0,
    kRotateMove = 1,
    kIK = 2,
    kUnderIK = 4,
    kIKTarget = 6,
};

struct Bone {
    std::string name;
    std::string englishName;
    std::string parent; // empty: a root
    Vector3 head;
    std::uint8_t type = kRotate;
};

// A box around a limb segment. Its near end is shared with the parent's box: the vertices
// there follow both bones half and half, so the joint bends smoothly.
struct Box {
    std::string bone;
    Vector3 start, end;
    float halfWidth, halfDepth;
    int material;
    std::string blendWith; // empty: the near end follows the bone alone
};

struct Vertex {
    Vector3 position, normal;
    int bone0, bone1, weight;
};

std::vector<Bone> Skeleton()
{
    std::vector<Bone> bones = {
        {"センター", "center", "", {0, 8.0f, 0}, kRotateMove},
        {"上半身", "upper body", "センター", {0, 11.4f, 0}},
        {"首", "neck", "上半身", {0, 16.4f, 0}},
        {"頭", "head", "首", {0, 17.2f, 0}},
        {"下半身", "lower body", "センター", {0, 11.4f, 0}},
    };
    for (int side = 0; side < 2; ++side) {
        const float s = side == 0 ? 1.0f : -1.0f;
        const std::string lr = side == 0 ? "左" : "右";
        const std::string en = side == 0 ? "_L" : "_R";
        bones.push_back({lr + "足", "leg" + en, "下半身", {s * kFootX, kHipY, 0}, kUnderIK});
        // The knee stands a little forward so the leg is never straight.
        bones.push_back(
            {lr + "ひざ", "knee" + en, lr + "足", {s * kFootX, 6.0f, -0.15f}, kUnderIK});
        bones.push_back(
            {lr + "足首", "ankle" + en, lr + "ひざ", {s * kFootX, kAnkleY, 0}, kUnderIK});
        bones.push_back(
            {lr + "つま先", "toe" + en, lr + "足首", {s * kFootX, 0, kToeZ}, kIKTarget});
    }
    for (int side = 0; side < 2; ++side) {
        const float s = side == 0 ? 1.0f : -1.0f;
        const std::string lr = side == 0 ? "左" : "右";
        const std::string en = side == 0 ? "_L" : "_R";
        bones.push_back({lr + "足ＩＫ", "leg IK" + en, "", {s * kFootX, kAnkleY, 0}, kIK});
        bones.push_back(
            {lr + "つま先ＩＫ", "toe IK" + en, lr + "足ＩＫ", {s * kFootX, 0, kToeZ}, kIK});
    }
    for (int side = 0; side < 2; ++side) {
        const float s = side == 0 ? 1.0f : -1.0f;
        const std::string lr = side == 0 ? "左" : "右";
        const std::string en = side == 0 ? "_L" : "_R";
        bones.push_back({lr + "腕", "arm" + en, "上半身", {s * 1.4f, 15.9f, 0}});
        bones.push_back({lr + "ひじ", "elbow" + en, lr + "腕", {s * 3.8f, 14.3f, 0.1f}});
        bones.push_back({lr + "手首", "wrist" + en, lr + "ひじ", {s * 6.0f, 12.8f, 0}});
        // Fingers fan out from the wrist, three joints each, the thumb two and forwards.
        const char* fingers[] = {"人指", "中指", "薬指", "小指"};
        const char* fingerNames[] = {"index", "middle", "ring", "little"};
        for (int f = 0; f < 4; ++f) {
            const float z = -0.3f + 0.2f * static_cast<float>(f);
            std::string parent = lr + "手首";
            for (int joint = 0; joint < 3; ++joint) {
                const float t = static_cast<float>(joint);
                static const char* digits[] = {"１", "２", "３"};
                const std::string name = lr + fingers[f] + digits[joint];
                bones.push_back({name,
                                 std::string(fingerNames[f]) + std::to_string(joint + 1) + en,
                                 parent,
                                 {s * (6.8f + 0.35f * t), 12.2f - 0.25f * t, z}});
                parent = name;
            }
        }
        bones.push_back({lr + "親指１", "thumb1" + en, lr + "手首", {s * 6.3f, 12.5f, -0.4f}});
        bones.push_back({lr + "親指２", "thumb2" + en, lr + "親指１", {s * 6.5f, 12.15f, -0.5f}});
    }
    return bones;
}

std::vector<Box> Boxes()
{
    std::vector<Box> boxes = {
        {"上半身", {0, 11.4f, 0}, {0, 16.4f, 0}, 1.3f, 0.8f, 0, "下半身"},
        {"下半身", {0, 11.4f, 0}, {0, 10.0f, 0}, 1.5f, 0.9f, 0, "上半身"},
        {"首", {0, 16.4f, 0}, {0, 17.2f, 0}, 0.35f, 0.35f, 1, "上半身"},
        {"頭", {0, 17.2f, 0}, {0, 19.6f, 0}, 1.0f, 1.1f, 1, "首"},
    };
    for (int side = 0; side < 2; ++side) {
        const float s = side == 0 ? 1.0f : -1.0f;
        const std::string lr = side == 0 ? "左" : "右";
        boxes.push_back({lr + "足",
                         {s * kFootX, kHipY, 0},
                         {s * kFootX, 6.0f, -0.15f},
                         0.55f,
                         0.6f,
                         2,
                         "下半身"});
        boxes.push_back({lr + "ひざ",
                         {s * kFootX, 6.0f, -0.15f},
                         {s * kFootX, kAnkleY, 0},
                         0.42f,
                         0.45f,
                         2,
                         lr + "足"});
        boxes.push_back({lr + "足首",
                         {s * kFootX, kAnkleY - 0.3f, 0.4f},
                         {s * kFootX, 0.3f, kToeZ},
                         0.4f,
                         0.3f,
                         3,
                         lr + "ひざ"});
        boxes.push_back(
            {lr + "腕", {s * 1.4f, 15.9f, 0}, {s * 3.8f, 14.3f, 0.1f}, 0.35f, 0.35f, 2, "上半身"});
        boxes.push_back(
            {lr + "ひじ", {s * 3.8f, 14.3f, 0.1f}, {s * 6.0f, 12.8f, 0}, 0.3f, 0.3f, 2, lr + "腕"});
        boxes.push_back({lr + "手首",
                         {s * 6.0f, 12.8f, 0},
                         {s * 6.8f, 12.2f, 0},
                         0.15f,
                         0.35f,
                         1,
                         lr + "ひじ"});
        const char* fingers[] = {"人指", "中指", "薬指", "小指"};
        static const char* digits[] = {"１", "２", "３"};
        for (int f = 0; f < 4; ++f) {
            const float z = -0.3f + 0.2f * static_cast<float>(f);
            std::string blend = lr + "手首";
            for (int joint = 0; joint < 3; ++joint) {
                const float t = static_cast<float>(joint);
                const std::string name = lr + fingers[f] + digits[joint];
                boxes.push_back({name,
                                 {s * (6.8f + 0.35f * t), 12.2f - 0.25f * t, z},
                                 {s * (7.15f + 0.35f * t), 11.95f - 0.25f * t, z},
                                 0.07f,
                                 0.08f,
                                 1,
                                 blend});
                blend = name;
            }
        }
        boxes.push_back({lr + "親指１",
                         {s * 6.3f, 12.5f, -0.4f},
                         {s * 6.5f, 12.15f, -0.5f},
                         0.08f,
                         0.08f,
                         1,
                         lr + "手首"});
        boxes.push_back({lr + "親指２",
                         {s * 6.5f, 12.15f, -0.5f},
                         {s * 6.7f, 11.85f, -0.55f},
                         0.07f,
                         0.07f,
                         1,
                         lr + "親指１"});
    }
    return boxes;
}

int BoneIndex(const std::vector<Bone>& bones, const std::string& name)
{
    if (name.empty())
        return -1;
    for (std::size_t i = 0; i < bones.size(); ++i) {
        if (bones[i].name == name)
            return static_cast<int>(i);
    }
    throw std::runtime_error("no bone " + name);
}

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::vector<std::uint16_t>> indicesByMaterial;
};

void AddBox(Mesh& mesh, const std::vector<Bone>& bones, const Box& box)
{
    const int bone = BoneIndex(bones, box.bone);
    const int blend = box.blendWith.empty() ? bone : BoneIndex(bones, box.blendWith);
    const Vector3 along = Normalize(box.end - box.start);
    const Vector3 reference = std::fabs(along.z) > 0.9f ? Vector3{0, 1, 0} : Vector3{0, 0, 1};
    const Vector3 side = Normalize(Cross(along, reference)) * box.halfWidth;
    const Vector3 depth = Normalize(Cross(along, Normalize(side))) * box.halfDepth;
    // Corners: bit 0 picks the end, bit 1 the side, bit 2 the depth.
    Vector3 corners[8];
    for (int c = 0; c < 8; ++c) {
        corners[c] = ((c & 1) ? box.end : box.start) + side * ((c & 2) ? 1.0f : -1.0f)
            + depth * ((c & 4) ? 1.0f : -1.0f);
    }
    const Vector3 centre = (box.start + box.end) * 0.5f;
    const int faces[6][4]
        = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    std::vector<std::uint16_t>& indices
        = mesh.indicesByMaterial[static_cast<std::size_t>(box.material)];
    for (const auto& face : faces) {
        Vector3 middle;
        for (int c : face)
            middle += corners[c] * 0.25f;
        const Vector3 normal = Normalize(middle - centre);
        const auto first = static_cast<std::uint16_t>(mesh.vertices.size());
        for (int c : face) {
            const bool nearEnd = (c & 1) == 0;
            mesh.vertices.push_back({corners[c], normal, bone, nearEnd ? blend : bone,
                                     nearEnd && blend != bone ? 50 : 100});
        }
        // Front faces wind clockwise as seen from outside: with row vectors in a left-handed
        // space, (b − a) × (c − a) then points outwards.
        std::uint16_t quad[4]
            = {first, static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2),
               static_cast<std::uint16_t>(first + 3)};
        const Vector3 a = corners[face[0]], b = corners[face[1]], c = corners[face[2]];
        if (Dot(Cross(b - a, c - a), normal) < 0)
            std::swap(quad[1], quad[3]);
        for (std::uint16_t i : {quad[0], quad[1], quad[2], quad[0], quad[2], quad[3]})
            indices.push_back(i);
    }
}

void WriteText(BinaryWriter& out, const std::string& text, std::size_t size)
{
    out.WriteFixed(Utf8ToCp932(text), size);
}

void WriteVector(BinaryWriter& out, const Vector3& v)
{
    out.WriteF32(v.x);
    out.WriteF32(v.y);
    out.WriteF32(v.z);
}

std::vector<std::uint8_t> MakeMannequin()
{
    const std::vector<Bone> bones = Skeleton();
    const Color4 colours[] = {
        {0.55f, 0.60f, 0.70f, 1}, // torso and pelvis
        {0.85f, 0.75f, 0.65f, 1}, // head, neck and hands
        {0.45f, 0.50f, 0.60f, 1}, // limbs
        {0.25f, 0.25f, 0.30f, 1}, // feet
    };
    Mesh mesh;
    mesh.indicesByMaterial.resize(std::size(colours));
    for (const Box& box : Boxes())
        AddBox(mesh, bones, box);

    BinaryWriter out;
    out.WriteBytes(AsBytes("Pmd"));
    out.WriteF32(1.0f);
    WriteText(out, "マネキン", 20);
    WriteText(out, "Zelvane demo mannequin: boxes on the standard dance skeleton.", 256);

    out.WriteU32(static_cast<std::uint32_t>(mesh.vertices.size()));
    for (const Vertex& v : mesh.vertices) {
        WriteVector(out, v.position);
        WriteVector(out, v.normal);
        out.WriteF32(0);
        out.WriteF32(0);
        out.WriteU16(static_cast<std::uint16_t>(v.bone0));
        out.WriteU16(static_cast<std::uint16_t>(v.bone1));
        out.WriteU8(static_cast<std::uint8_t>(v.weight));
        out.WriteU8(0);
    }
    std::size_t indexCount = 0;
    for (const auto& indices : mesh.indicesByMaterial)
        indexCount += indices.size();
    out.WriteU32(static_cast<std::uint32_t>(indexCount));
    for (const auto& indices : mesh.indicesByMaterial) {
        for (std::uint16_t i : indices)
            out.WriteU16(i);
    }
    out.WriteU32(static_cast<std::uint32_t>(std::size(colours)));
    for (std::size_t m = 0; m < std::size(colours); ++m) {
        const Color4& c = colours[m];
        for (float f : {c.r, c.g, c.b, c.a})
            out.WriteF32(f);
        out.WriteF32(5.0f); // specular power
        for (float f : {0.1f, 0.1f, 0.1f})
            out.WriteF32(f);
        for (float f : {c.r * 0.5f, c.g * 0.5f, c.b * 0.5f})
            out.WriteF32(f);
        out.WriteU8(0xFF); // no toon
        out.WriteU8(1);    // outlined
        out.WriteU32(static_cast<std::uint32_t>(mesh.indicesByMaterial[m].size()));
        WriteText(out, "", 20);
    }

    out.WriteU16(static_cast<std::uint16_t>(bones.size()));
    for (std::size_t i = 0; i < bones.size(); ++i) {
        const Bone& bone = bones[i];
        WriteText(out, bone.name, 20);
        out.WriteI16(static_cast<std::int16_t>(BoneIndex(bones, bone.parent)));
        int tail = -1;
        for (std::size_t j = 0; j < bones.size(); ++j) {
            if (bones[j].parent == bone.name) {
                tail = static_cast<int>(j);
                break;
            }
        }
        out.WriteI16(static_cast<std::int16_t>(tail));
        out.WriteU8(bone.type);
        out.WriteI16(0);
        WriteVector(out, bone.head);
    }

    // Foot IK turns hip and knee to put the ankle on its target; toe IK then turns the
    // ankle to put the toe on its own.
    struct Chain {
        const char* ik;
        const char* effector;
        std::vector<const char*> links;
    };
    const Chain chains[] = {
        {"左足ＩＫ", "左足首", {"左ひざ", "左足"}},
        {"右足ＩＫ", "右足首", {"右ひざ", "右足"}},
        {"左つま先ＩＫ", "左つま先", {"左足首"}},
        {"右つま先ＩＫ", "右つま先", {"右足首"}},
    };
    out.WriteU16(static_cast<std::uint16_t>(std::size(chains)));
    for (const Chain& chain : chains) {
        out.WriteU16(static_cast<std::uint16_t>(BoneIndex(bones, chain.ik)));
        out.WriteU16(static_cast<std::uint16_t>(BoneIndex(bones, chain.effector)));
        out.WriteU8(static_cast<std::uint8_t>(chain.links.size()));
        out.WriteU16(chain.links.size() == 2 ? 40 : 3);
        out.WriteF32(chain.links.size() == 2 ? 0.1f : 0.5f);
        for (const char* link : chain.links)
            out.WriteU16(static_cast<std::uint16_t>(BoneIndex(bones, link)));
    }

    out.WriteU16(0); // no morphs
    out.WriteU8(0);  // morph display list

    const char* groups[] = {"体", "足", "腕", "指"};
    const char* groupNames[] = {"Body", "Legs", "Arms", "Fingers"};
    out.WriteU8(static_cast<std::uint8_t>(std::size(groups)));
    for (const char* group : groups)
        WriteText(out, std::string(group) + "\n", 50);
    std::vector<std::pair<int, int>> display;
    for (std::size_t i = 1; i < bones.size(); ++i) {
        const std::string& name = bones[i].name;
        int group = 1;
        if (name.find("足") != std::string::npos || name.find("ひざ") != std::string::npos
            || name.find("つま先") != std::string::npos)
            group = 2;
        if (name.find("腕") != std::string::npos || name.find("ひじ") != std::string::npos
            || name.find("手首") != std::string::npos)
            group = 3;
        if (name.find("指") != std::string::npos)
            group = 4;
        display.emplace_back(static_cast<int>(i), group);
    }
    out.WriteU32(static_cast<std::uint32_t>(display.size()));
    for (const auto& [bone, group] : display) {
        out.WriteU16(static_cast<std::uint16_t>(bone));
        out.WriteU8(static_cast<std::uint8_t>(group));
    }

    out.WriteU8(1); // English names follow
    WriteText(out, "Mannequin", 20);
    WriteText(out, "Zelvane demo mannequin: boxes on the standard dance skeleton.", 256);
    for (const Bone& bone : bones)
        WriteText(out, bone.englishName, 20);
    for (const char* name : groupNames)
        WriteText(out, name, 50);

    for (int t = 1; t <= 10; ++t) {
        char name[16];
        std::snprintf(name, sizeof name, "toon%02d.bmp", t);
        WriteText(out, name, 100);
    }
    out.WriteU32(0); // no rigid bodies
    out.WriteU32(0); // no joints
    return out.TakeBytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeMannequin OUTPUT.pmd\n");
        return 2;
    }
    try {
        WriteFileAtomically(argv[1], MakeMannequin());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "MakeMannequin: %s\n", error.what());
        return 1;
    }
    return 0;
}
