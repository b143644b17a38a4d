#include "model/PmxReader.h"

#include "PmxTestWriter.h"
#include "TempFolder.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

PmxHeader Header(float version, std::uint8_t encoding, std::uint8_t indexSize)
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

PmxVertex Vertex(float x, PmxWeightType type, std::array<std::int32_t, 4> bones,
                 std::array<float, 4> weights)
{
    PmxVertex v;
    v.position = {x, 1, 2};
    v.normal = {0, 1, 0};
    v.uv = {0.25f, x / 8};
    v.additionalUvs[0] = {x, 2, 3, 4};
    v.additionalUvs[1] = {-1, -2, -3, x};
    v.weightType = type;
    v.bones = bones;
    v.weights = weights;
    v.edgeScale = 0.5f;
    return v;
}

PmxMorph Morph(const std::string& name, PmxMorphKind kind)
{
    PmxMorph morph;
    morph.name = name;
    morph.englishName = name + "_en";
    morph.panel = 4;
    morph.kind = kind;
    return morph;
}

// A small model with every kind of record the version allows, Japanese texts included.
PmxFile Sample(const PmxHeader& header)
{
    const bool v21 = header.version == 2.1f;
    PmxFile f;
    f.header = header;
    f.name = "テスト";
    f.englishName = "Test";
    f.comment = "コメント\n二行目";
    f.englishComment = "comment";
    f.vertices = {
        Vertex(0, PmxWeightType::Bdef1, {2, -1, -1, -1}, {1, 0, 0, 0}),
        Vertex(1, PmxWeightType::Bdef2, {0, 1, -1, -1}, {0.25f, 0.75f, 0, 0}),
        Vertex(2, PmxWeightType::Bdef4, {0, 1, 2, -1}, {0.5f, 0.25f, 0.25f, 0}),
        Vertex(3, PmxWeightType::Sdef, {1, 2, -1, -1}, {0.5f, 0.5f, 0, 0}),
        Vertex(4, v21 ? PmxWeightType::Qdef : PmxWeightType::Bdef4, {3, 2, 1, 0},
               {0.125f, 0.125f, 0.25f, 0.5f}),
    };
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

    PmxMorph group = Morph("グループ", PmxMorphKind::Group);
    group.weights = {{1, 0.5f}, {2, 1}};
    PmxMorph vertex = Morph("あ", PmxMorphKind::Vertex);
    vertex.vertices = {{4, {0, 0.5f, -1, 0}}, {0, {1, 1, 1, 0}}};
    PmxMorph bone = Morph("骨", PmxMorphKind::Bone);
    bone.bones = {{3, {1, 2, 3}, {0, 0, 0.6f, 0.8f}}};
    PmxMorph material = Morph("材質", PmxMorphKind::Material);
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
        PmxMorph uv = Morph("UV" + std::to_string(static_cast<int>(kind)), kind);
        uv.vertices = {{static_cast<std::uint32_t>(kind) - 3, {0.5f, 0.25f, 0, 1}}};
        f.morphs.push_back(uv);
    }
    if (v21) {
        PmxMorph flip = Morph("フリップ", PmxMorphKind::Flip);
        flip.weights = {{0, 1}};
        PmxMorph impulse = Morph("衝撃", PmxMorphKind::Impulse);
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

std::vector<PmxSoftBodySample> SampleSoftBodies()
{
    return {{1, {{0, 4}, {1, 0}}, {1, 2, 3}}};
}

std::vector<std::uint8_t> Bytes(const PmxFile& file)
{
    return PmxTestWriter(file).Write(SampleSoftBodies());
}

struct Layout {
    float version;
    std::uint8_t encoding;
    std::uint8_t indexSize;
};

// The reason a read was refused for, or 0 when it was read.
template<typename Error> std::uint32_t RefusalReason(std::span<const std::uint8_t> bytes)
{
    try {
        ReadPmxFile(bytes);
    } catch (const Error& error) {
        return error.reason() ? error.reason()->id() : 0;
    }
    return 0;
}

// The first nested reason of a refusal: the part of the file it names.
std::uint32_t RefusedSection(std::span<const std::uint8_t> bytes)
{
    try {
        ReadPmxFile(bytes);
    } catch (const CoreError& error) {
        if (error.reason() && !error.reason()->arguments().empty()
            && error.reason()->arguments()[0].kind() == ReasonArgument::Kind::Reason)
            return error.reason()->arguments()[0].nested().id();
    }
    return 0;
}

} // namespace

class PmxReaderLayouts : public testing::TestWithParam<Layout> { };

// Every section survives the trip through the bytes in each encoding, index size and version.
TEST_P(PmxReaderLayouts, ReadsEveryRecord)
{
    const Layout layout = GetParam();
    const PmxFile sample = Sample(Header(layout.version, layout.encoding, layout.indexSize));
    const PmxFile read = ReadPmxFile(Bytes(sample));
    EXPECT_EQ(read.header, sample.header);
    EXPECT_EQ(read.name, "テスト");
    EXPECT_EQ(read.comment, "コメント\n二行目");
    EXPECT_EQ(read.englishName, "Test");
    EXPECT_EQ(read.englishComment, "comment");
    EXPECT_EQ(read.vertices, sample.vertices);
    EXPECT_EQ(read.vertices[1].weights[1], 0.75f);
    EXPECT_EQ(read.vertices[3].sdefR1, (Vector3{7, 8, 9}));
    EXPECT_EQ(read.indices, sample.indices);
    EXPECT_EQ(read.textures, sample.textures);
    EXPECT_EQ(read.materials, sample.materials);
    EXPECT_EQ(read.bones, sample.bones);
    EXPECT_EQ(read.bones[3].ikLinks[0].upperLimit.x, -0.01f);
    EXPECT_EQ(read.morphs, sample.morphs);
    EXPECT_EQ(read.displayFrames, sample.displayFrames);
    EXPECT_EQ(read.rigidBodies, sample.rigidBodies);
    EXPECT_EQ(read.joints, sample.joints);
    EXPECT_EQ(read.softBodyCount, sample.softBodyCount);
}

// A file cut anywhere is refused, never read as a smaller model: before the magic is complete
// as not a PMX file, after it as cut short.
TEST_P(PmxReaderLayouts, AFileCutAtAnyByteIsRefused)
{
    const Layout layout = GetParam();
    const std::vector<std::uint8_t> bytes
        = Bytes(Sample(Header(layout.version, layout.encoding, layout.indexSize)));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::uint32_t reason = RefusalReason<FileFormatError>(std::span(bytes).first(length));
        EXPECT_EQ(reason, length < 4 ? IDS_REASON_PMX_NOT_PMX : IDS_REASON_PMD_CUT_SHORT) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(EncodingsSizesVersions, PmxReaderLayouts,
                         testing::Values(Layout{2.0f, 0, 1}, Layout{2.0f, 1, 2}, Layout{2.1f, 0, 4},
                                         Layout{2.1f, 1, 1}, Layout{2.1f, 0, 2}));

// Index sizes differ table by table; vertex indices are unsigned, so a one-byte table holds
// 255 vertices where the signed tables stop at 127.
TEST(PmxReader, MixedIndexSizesAndUnsignedVertexIndices)
{
    PmxHeader header = Header(2.0f, 1, 1);
    header.boneIndexSize = 4;
    header.morphIndexSize = 2;
    PmxFile file = Sample(header);
    file.vertices.resize(255, file.vertices[0]);
    file.indices.insert(file.indices.end(), {254, 200, 130});
    file.materials[1].indexCount += 3;
    const PmxFile read = ReadPmxFile(Bytes(file));
    EXPECT_EQ(read.indices, file.indices);
    EXPECT_EQ(read.bones, file.bones);
    EXPECT_EQ(read.morphs, file.morphs);
}

TEST(PmxReader, ExtraHeaderSettingsArePassedOver)
{
    const PmxFile sample = Sample(Header(2.0f, 0, 2));
    std::vector<std::uint8_t> bytes = Bytes(sample);
    bytes[8] = 10;
    bytes.insert(bytes.begin() + 17, {0xAA, 0xBB});
    EXPECT_EQ(ReadPmxFile(bytes).bones, sample.bones);
}

// Header settings and values no model may have.
TEST(PmxReader, InvalidValuesAreRefusedWithTheirReason)
{
    const std::vector<std::uint8_t> good = Bytes(Sample(Header(2.0f, 1, 2)));
    const auto patched = [&](std::size_t offset, std::vector<std::uint8_t> value) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, value.data(), value.size());
        return bytes;
    };
    EXPECT_EQ(RefusalReason<FileFormatError>(patched(0, {'P', 'M', 'D', ' '})),
              IDS_REASON_PMX_NOT_PMX);
    // 2.2 and 1.0 as floats.
    EXPECT_EQ(RefusalReason<FileFormatError>(patched(4, {0xCD, 0xCC, 0x0C, 0x40})),
              IDS_REASON_PMX_VERSION);
    EXPECT_EQ(RefusalReason<FileFormatError>(patched(4, {0x00, 0x00, 0x80, 0x3F})),
              IDS_REASON_PMX_VERSION);
    for (const auto& [offset, value] : std::vector<std::pair<std::size_t, std::uint8_t>>{
             {8, 7}, {9, 2}, {10, 5}, {11, 3}, {12, 0}, {16, 8}}) {
        const std::vector<std::uint8_t> bytes = patched(offset, {value});
        EXPECT_EQ(RefusalReason<FileFormatError>(bytes), IDS_REASON_PMX_INVALID_VALUE) << offset;
        EXPECT_EQ(RefusedSection(bytes), IDS_REASON_PMD_HEADER) << offset;
    }
    // The model name's length: negative, and odd in UTF-16.
    EXPECT_EQ(RefusalReason<FileFormatError>(patched(17, {0xFF, 0xFF, 0xFF, 0xFF})),
              IDS_REASON_PMX_INVALID_VALUE);
    std::vector<std::uint8_t> utf16 = Bytes(Sample(Header(2.0f, 0, 2)));
    utf16[17] = 3;
    EXPECT_EQ(RefusalReason<FileFormatError>(utf16), IDS_REASON_PMX_INVALID_VALUE);

    const std::pair<const char*, std::function<void(PmxFile&)>> damages[] = {
        {"QDEF in 2.0", [](PmxFile& f) { f.vertices[4].weightType = PmxWeightType::Qdef; }},
        {"sphere mode", [](PmxFile& f) { f.materials[0].sphereMode = 4; }},
        {"shared toon", [](PmxFile& f) { f.materials[0].toon = 10; }},
        {"flip morph in 2.0", [](PmxFile& f) { f.morphs[0].kind = PmxMorphKind::Flip; }},
        {"joint kind in 2.0", [](PmxFile& f) { f.joints[0].kind = 1; }},
        {"operation", [](PmxFile& f) { f.morphs[3].materials[0].operation = 2; }},
        {"body shape", [](PmxFile& f) { f.rigidBodies[1].shape = 3; }},
        {"physics mode", [](PmxFile& f) { f.rigidBodies[0].mode = 3; }},
    };
    for (const auto& [what, damage] : damages) {
        PmxFile file = Sample(Header(2.0f, 1, 2));
        damage(file);
        EXPECT_EQ(RefusalReason<FileFormatError>(Bytes(file)), IDS_REASON_PMX_INVALID_VALUE)
            << what;
    }
    PmxFile sixth = Sample(Header(2.1f, 1, 2));
    sixth.joints[0].kind = 6;
    EXPECT_EQ(RefusalReason<FileFormatError>(Bytes(sixth)), IDS_REASON_PMX_INVALID_VALUE);

    PmxFile notTriangles = Sample(Header(2.0f, 1, 2));
    notTriangles.indices.push_back(0);
    notTriangles.materials[1].indexCount += 1;
    EXPECT_EQ(RefusalReason<FileFormatError>(Bytes(notTriangles)),
              IDS_REASON_PMX_FACES_NOT_TRIANGLES);
    PmxFile counts = Sample(Header(2.0f, 1, 2));
    counts.materials[1].indexCount += 3;
    EXPECT_EQ(RefusalReason<FileFormatError>(Bytes(counts)), IDS_REASON_PMX_MATERIAL_INDEX_COUNTS);
}

// Every kind of index, one past its table (or -1 where none is not allowed), is refused and
// the reason names the section it was found in.
TEST(PmxReader, IndicesOutsideTheirTablesAreRefused)
{
    struct Damage {
        const char* what;
        std::uint32_t section;
        std::function<void(PmxFile&)> apply;
    };
    const Damage damages[] = {
        {"vertex bone", IDS_REASON_PMD_VERTICES, [](PmxFile& f) { f.vertices[2].bones[3] = 4; }},
        {"face", IDS_REASON_PMD_FACE_INDICES, [](PmxFile& f) { f.indices[5] = 5; }},
        {"texture", IDS_REASON_PMD_MATERIALS, [](PmxFile& f) { f.materials[0].texture = 2; }},
        {"toon texture", IDS_REASON_PMD_MATERIALS, [](PmxFile& f) { f.materials[1].toon = -2; }},
        {"parent", IDS_REASON_PMD_BONES, [](PmxFile& f) { f.bones[1].parent = 4; }},
        {"tail", IDS_REASON_PMD_BONES, [](PmxFile& f) { f.bones[0].tailBone = 4; }},
        {"inherit", IDS_REASON_PMD_BONES, [](PmxFile& f) { f.bones[1].inheritParent = 9; }},
        {"IK target", IDS_REASON_PMD_BONES, [](PmxFile& f) { f.bones[3].ikTarget = -1; }},
        {"IK link", IDS_REASON_PMD_BONES, [](PmxFile& f) { f.bones[3].ikLinks[1].bone = 4; }},
        {"group", IDS_REASON_PMD_MORPHS, [](PmxFile& f) { f.morphs[0].weights[1].morph = 11; }},
        {"flip", IDS_REASON_PMD_MORPHS, [](PmxFile& f) { f.morphs[9].weights[0].morph = -1; }},
        {"vertex morph", IDS_REASON_PMD_MORPHS,
         [](PmxFile& f) { f.morphs[1].vertices[0].vertex = 5; }},
        {"bone morph", IDS_REASON_PMD_MORPHS, [](PmxFile& f) { f.morphs[2].bones[0].bone = 4; }},
        {"material morph", IDS_REASON_PMD_MORPHS,
         [](PmxFile& f) { f.morphs[3].materials[1].material = 2; }},
        {"UV morph", IDS_REASON_PMD_MORPHS, [](PmxFile& f) { f.morphs[8].vertices[0].vertex = 5; }},
        {"impulse", IDS_REASON_PMD_MORPHS,
         [](PmxFile& f) { f.morphs[10].impulses[0].rigidBody = 2; }},
        {"frame bone", IDS_REASON_PMX_DISPLAY_FRAMES,
         [](PmxFile& f) { f.displayFrames[1].elements[2].index = 4; }},
        {"frame morph", IDS_REASON_PMX_DISPLAY_FRAMES,
         [](PmxFile& f) { f.displayFrames[1].elements[0].index = 11; }},
        {"body bone", IDS_REASON_PMD_RIGID_BODIES, [](PmxFile& f) { f.rigidBodies[0].bone = 4; }},
        {"joint body", IDS_REASON_PMD_JOINTS, [](PmxFile& f) { f.joints[0].bodyB = 2; }},
    };
    for (const Damage& damage : damages) {
        PmxFile file = Sample(Header(2.1f, 0, 2));
        damage.apply(file);
        const std::vector<std::uint8_t> bytes = Bytes(file);
        EXPECT_EQ(RefusalReason<InvalidArgumentError>(bytes), IDS_REASON_PMX_INDEX_OUT_OF_RANGE)
            << damage.what;
        EXPECT_EQ(RefusedSection(bytes), damage.section) << damage.what;
    }
    const std::vector<PmxSoftBodySample> softDamages[]
        = {{{2, {}, {}}}, {{-1, {{2, 0}}, {}}}, {{-1, {{0, 5}}, {}}}, {{-1, {}, {0, 5}}}};
    for (const auto& soft : softDamages) {
        const std::vector<std::uint8_t> bytes
            = PmxTestWriter(Sample(Header(2.1f, 1, 1))).Write(soft);
        EXPECT_EQ(RefusalReason<InvalidArgumentError>(bytes), IDS_REASON_PMX_INDEX_OUT_OF_RANGE);
        EXPECT_EQ(RefusedSection(bytes), IDS_REASON_PMX_SOFT_BODIES);
    }
}

// In a model with every list empty, the counts follow each other: each one in turn claims
// 2^31 - 1 records (refused as cut, before anything is reserved) or a negative number.
TEST(PmxReader, HugeAndNegativeCountsAreRefused)
{
    PmxFile empty;
    empty.header = Header(2.1f, 1, 4);
    const std::vector<std::uint8_t> good = PmxTestWriter(empty).Write();
    ASSERT_NO_THROW(ReadPmxFile(good));
    const std::uint32_t sections[]
        = {IDS_REASON_PMD_VERTICES,       IDS_REASON_PMD_FACE_INDICES, IDS_REASON_PMX_TEXTURES,
           IDS_REASON_PMD_MATERIALS,      IDS_REASON_PMD_BONES,        IDS_REASON_PMD_MORPHS,
           IDS_REASON_PMX_DISPLAY_FRAMES, IDS_REASON_PMD_RIGID_BODIES, IDS_REASON_PMD_JOINTS,
           IDS_REASON_PMX_SOFT_BODIES};
    const std::size_t firstCount = good.size() - 4 * std::size(sections);
    for (std::size_t i = 0; i < std::size(sections); ++i) {
        std::vector<std::uint8_t> bytes = good;
        const std::size_t at = firstCount + 4 * i;
        for (const auto& [count, reason] :
             {std::pair{std::uint32_t{0x7FFFFFFF}, IDS_REASON_PMD_CUT_SHORT},
              std::pair{std::uint32_t{0x80000000}, IDS_REASON_PMX_INVALID_VALUE}}) {
            std::memcpy(bytes.data() + at, &count, 4);
            EXPECT_EQ(RefusalReason<FileFormatError>(bytes), reason) << i;
            EXPECT_EQ(RefusedSection(bytes), sections[i]) << i;
        }
    }
    // A list inside a record: the IK links of a bone.
    PmxFile withIK = Sample(Header(2.0f, 1, 1));
    withIK.bones[3].ikLinks.resize(1);
    std::vector<std::uint8_t> bytes = PmxTestWriter(withIK).Write();
    // The unit angle 0.5, one link, bone 1 with limits.
    const std::vector<std::uint8_t> oneLink = {0, 0, 0, 0x3F, 0x01, 0, 0, 0, 0x01, 0x01};
    auto at = std::search(bytes.begin(), bytes.end(), oneLink.begin(), oneLink.end());
    ASSERT_NE(at, bytes.end());
    *(at + 7) = 0x7F;
    EXPECT_EQ(RefusalReason<FileFormatError>(bytes), IDS_REASON_PMD_CUT_SHORT);
}

TEST(PmxReader, LoadsAFileAndReportsAMissingOne)
{
    TempFolder folder;
    const std::filesystem::path path = folder.path() / "model.pmx";
    const PmxFile sample = Sample(Header(2.1f, 0, 2));
    const std::vector<std::uint8_t> bytes = Bytes(sample);
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    EXPECT_EQ(LoadPmxFile(path).bones, sample.bones);
    EXPECT_THROW(LoadPmxFile(folder.path() / "missing.pmx"), FileIoError);
}

// The layout written out by hand rather than by the test writer, so a field order shared by
// the reader and the writer cannot go unnoticed.
TEST(PmxReader, ReadsAHandWrittenModel)
{
    BinaryWriter w;
    const auto floats = [&w](std::initializer_list<float> values) {
        for (float value : values)
            w.WriteF32(value);
    };
    w.WriteBytes(AsBytes("PMX "));
    floats({2.0f});
    for (std::uint8_t setting : {8, 1, 0, 1, 1, 1, 1, 1, 1})
        w.WriteU8(setting);
    w.WriteU32(1); // the model's name "a", then three empty texts
    w.WriteBytes(AsBytes("a"));
    for (int text = 0; text < 3; ++text)
        w.WriteU32(0);
    w.WriteU32(1); // one BDEF2 vertex on bone 0 twice, weight 0.75
    floats({1, 2, 3, 0, 1, 0, 0.5f, 0.25f});
    w.WriteBytes(std::vector<std::uint8_t>{1, 0, 0});
    floats({0.75f, 1});
    w.WriteU32(3); // one face
    w.WriteBytes(std::vector<std::uint8_t>{0, 0, 0});
    w.WriteU32(0); // no textures
    w.WriteU32(1); // one material
    w.WriteU32(0);
    w.WriteU32(0);
    floats({1, 1, 1, 1, 0, 0, 0, 5, 0.5f, 0.5f, 0.5f});
    w.WriteU8(0x10);
    floats({0, 0, 0, 1, 1});
    w.WriteBytes(std::vector<std::uint8_t>{0xFF, 0xFF, 0, 1, 2});
    w.WriteU32(0);
    w.WriteU32(3);
    w.WriteU32(1); // one IK bone, its tail none
    w.WriteU32(0);
    w.WriteU32(0);
    floats({0, 1, 0});
    w.WriteU8(0xFF);
    w.WriteU32(0);
    w.WriteU16(0x0021);
    w.WriteBytes(std::vector<std::uint8_t>{0xFF, 0});
    w.WriteU32(10);
    floats({1});
    w.WriteU32(1);
    w.WriteBytes(std::vector<std::uint8_t>{0, 1});
    floats({-1, 0, 0, 0, 0, 0});
    for (int list = 0; list < 4; ++list)
        w.WriteU32(0);

    const PmxFile read = ReadPmxFile(w.bytes());
    EXPECT_EQ(read.name, "a");
    ASSERT_EQ(read.vertices.size(), 1u);
    EXPECT_EQ(read.vertices[0].position, (Vector3{1, 2, 3}));
    EXPECT_EQ(read.vertices[0].uv, (Vector2{0.5f, 0.25f}));
    EXPECT_EQ(read.vertices[0].weightType, PmxWeightType::Bdef2);
    EXPECT_EQ(read.vertices[0].weights[0], 0.75f);
    EXPECT_EQ(read.vertices[0].edgeScale, 1.0f);
    EXPECT_EQ(read.indices, (std::vector<std::uint32_t>{0, 0, 0}));
    ASSERT_EQ(read.materials.size(), 1u);
    EXPECT_EQ(read.materials[0].specularPower, 5.0f);
    EXPECT_EQ(read.materials[0].flags, 0x10);
    EXPECT_EQ(read.materials[0].edgeSize, 1.0f);
    EXPECT_EQ(read.materials[0].texture, -1);
    EXPECT_TRUE(read.materials[0].sharedToon);
    EXPECT_EQ(read.materials[0].toon, 2);
    EXPECT_EQ(read.materials[0].indexCount, 3u);
    ASSERT_EQ(read.bones.size(), 1u);
    EXPECT_EQ(read.bones[0].parent, -1);
    EXPECT_EQ(read.bones[0].tailBone, -1);
    EXPECT_EQ(read.bones[0].ikTarget, 0);
    EXPECT_EQ(read.bones[0].ikLoopCount, 10);
    ASSERT_EQ(read.bones[0].ikLinks.size(), 1u);
    EXPECT_TRUE(read.bones[0].ikLinks[0].hasLimits);
    EXPECT_EQ(read.bones[0].ikLinks[0].lowerLimit, (Vector3{-1, 0, 0}));
}
