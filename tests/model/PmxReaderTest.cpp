#include "model/PmxReader.h"

#include "PmxSample.h"
#include "PmxTestWriter.h"
#include "TempFolder.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

std::vector<std::uint8_t> Bytes(const PmxFile& file)
{
    return PmxTestWriter(file).Write(PmxSampleSoftBodies());
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
    const PmxFile sample
        = PmxSample(PmxSampleHeader(layout.version, layout.encoding, layout.indexSize));
    // Compared whole, the header and the soft body count included.
    EXPECT_TRUE(ReadPmxFile(Bytes(sample)) == sample);
}

// A file cut anywhere is refused, never read as a smaller model: before the magic is complete
// as not a PMX file, after it as cut short.
TEST_P(PmxReaderLayouts, AFileCutAtAnyByteIsRefused)
{
    const Layout layout = GetParam();
    const std::vector<std::uint8_t> bytes
        = Bytes(PmxSample(PmxSampleHeader(layout.version, layout.encoding, layout.indexSize)));
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
    PmxHeader header = PmxSampleHeader(2.0f, 1, 1);
    header.boneIndexSize = 4;
    header.morphIndexSize = 2;
    PmxFile file = PmxSample(header);
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
    const PmxFile sample = PmxSample(PmxSampleHeader(2.0f, 0, 2));
    std::vector<std::uint8_t> bytes = Bytes(sample);
    bytes[8] = 10;
    bytes.insert(bytes.begin() + 17, {0xAA, 0xBB});
    EXPECT_EQ(ReadPmxFile(bytes).bones, sample.bones);
}

// Header settings and values no model may have.
TEST(PmxReader, InvalidValuesAreRefusedWithTheirReason)
{
    const std::vector<std::uint8_t> good = Bytes(PmxSample(PmxSampleHeader(2.0f, 1, 2)));
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
    std::vector<std::uint8_t> utf16 = Bytes(PmxSample(PmxSampleHeader(2.0f, 0, 2)));
    utf16[17] = 3;
    EXPECT_EQ(RefusalReason<FileFormatError>(utf16), IDS_REASON_PMX_INVALID_VALUE);

    struct Damage {
        const char* what;
        std::function<void(PmxFile&)> apply;
        std::uint32_t reason = IDS_REASON_PMX_INVALID_VALUE;
    };
    const Damage damages[] = {
        {"QDEF in 2.0", [](PmxFile& f) { f.vertices[4].weightType = PmxWeightType::Qdef; }},
        {"sphere mode", [](PmxFile& f) { f.materials[0].sphereMode = 4; }},
        {"shared toon", [](PmxFile& f) { f.materials[0].toon = 10; }},
        {"flip morph in 2.0", [](PmxFile& f) { f.morphs[0].kind = PmxMorphKind::Flip; }},
        {"joint kind in 2.0", [](PmxFile& f) { f.joints[0].kind = 1; }},
        {"joint kind in 2.1",
         [](PmxFile& f) {
             f = PmxSample(PmxSampleHeader(2.1f, 1, 2));
             f.joints[0].kind = 6;
         }},
        {"operation", [](PmxFile& f) { f.morphs[3].materials[0].operation = 2; }},
        {"body shape", [](PmxFile& f) { f.rigidBodies[1].shape = 3; }},
        {"physics mode", [](PmxFile& f) { f.rigidBodies[0].mode = 3; }},
        {"not triangles",
         [](PmxFile& f) {
             f.indices.push_back(0);
             f.materials[1].indexCount += 1;
         },
         IDS_REASON_PMX_FACES_NOT_TRIANGLES},
        {"material counts", [](PmxFile& f) { f.materials[1].indexCount += 3; },
         IDS_REASON_PMX_MATERIAL_INDEX_COUNTS},
    };
    for (const Damage& damage : damages) {
        PmxFile file = PmxSample(PmxSampleHeader(2.0f, 1, 2));
        damage.apply(file);
        EXPECT_EQ(RefusalReason<FileFormatError>(Bytes(file)), damage.reason) << damage.what;
    }
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
        PmxFile file = PmxSample(PmxSampleHeader(2.1f, 0, 2));
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
            = PmxTestWriter(PmxSample(PmxSampleHeader(2.1f, 1, 1))).Write(soft);
        EXPECT_EQ(RefusalReason<InvalidArgumentError>(bytes), IDS_REASON_PMX_INDEX_OUT_OF_RANGE);
        EXPECT_EQ(RefusedSection(bytes), IDS_REASON_PMX_SOFT_BODIES);
    }
}

// In a model with every list empty, the counts follow each other: each one in turn claims
// 2^31 - 1 records (refused as cut, before anything is reserved) or a negative number.
TEST(PmxReader, HugeAndNegativeCountsAreRefused)
{
    PmxFile empty;
    empty.header = PmxSampleHeader(2.1f, 1, 4);
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
    PmxFile withIK = PmxSample(PmxSampleHeader(2.0f, 1, 1));
    withIK.bones[3].ikLinks.resize(1);
    std::vector<std::uint8_t> bytes = PmxTestWriter(withIK).Write();
    // The unit angle 0.5, one link, bone 1 with limits.
    const std::vector<std::uint8_t> oneLink = {0, 0, 0, 0x3F, 0x01, 0, 0, 0, 0x01, 0x01};
    auto at = std::search(bytes.begin(), bytes.end(), oneLink.begin(), oneLink.end());
    ASSERT_NE(at, bytes.end());
    *(at + 7) = 0x7F;
    EXPECT_EQ(RefusalReason<FileFormatError>(bytes), IDS_REASON_PMD_CUT_SHORT);
}

// Bones and morphs past the count a PMD can hold are refused at their count, before the
// records are read: a morph takes 14 bytes of the file at the least but hundreds in memory.
TEST(PmxReader, BonesAndMorphsPastWhatAModelHoldsAreRefusedAtTheirCount)
{
    for (const std::uint32_t section : {IDS_REASON_PMD_BONES, IDS_REASON_PMD_MORPHS}) {
        for (const std::size_t count : {std::size_t{65535}, std::size_t{65536}}) {
            PmxFile file;
            file.header = PmxSampleHeader(2.0f, 1, 4);
            if (section == IDS_REASON_PMD_BONES)
                file.bones.resize(count);
            else
                file.morphs.resize(count, PmxMorph{.kind = PmxMorphKind::Group});
            const std::vector<std::uint8_t> bytes = PmxTestWriter(file).Write();
            SCOPED_TRACE(count);
            if (count == 65535) {
                EXPECT_NO_THROW(ReadPmxFile(bytes));
                continue;
            }
            EXPECT_EQ(RefusalReason<FileFormatError>(bytes), IDS_REASON_PMX_INVALID_VALUE);
            EXPECT_EQ(RefusedSection(bytes), section);
        }
    }
}

TEST(PmxReader, LoadsAFileAndReportsAMissingOne)
{
    TempFolder folder;
    const std::filesystem::path path = folder.path() / "model.pmx";
    const PmxFile sample = PmxSample(PmxSampleHeader(2.1f, 0, 2));
    const std::vector<std::uint8_t> bytes = Bytes(sample);
    folder.Write("model.pmx", {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
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
    ASSERT_EQ(std::tuple(read.vertices.size(), read.materials.size(), read.bones.size()),
              std::tuple(1u, 1u, 1u));
    const PmxVertex& v = read.vertices[0];
    EXPECT_EQ(
        std::tie(v.position, v.uv, v.weightType, v.weights[0], v.edgeScale),
        std::tuple(Vector3{1, 2, 3}, Vector2{0.5f, 0.25f}, PmxWeightType::Bdef2, 0.75f, 1.0f));
    EXPECT_EQ(read.indices, (std::vector<std::uint32_t>{0, 0, 0}));
    const PmxMaterial& m = read.materials[0];
    EXPECT_EQ(std::tie(m.specularPower, m.flags, m.edgeSize, m.texture, m.sharedToon, m.toon,
                       m.indexCount),
              std::tuple(5.0f, 0x10, 1.0f, -1, true, 2, 3u));
    const PmxBone& b = read.bones[0];
    EXPECT_EQ(std::tie(b.parent, b.tailBone, b.ikTarget, b.ikLoopCount), std::tuple(-1, -1, 0, 10));
    ASSERT_EQ(b.ikLinks.size(), 1u);
    EXPECT_TRUE(b.ikLinks[0].hasLimits);
    EXPECT_EQ(b.ikLinks[0].lowerLimit, (Vector3{-1, 0, 0}));
}
