#include "motion/VmdFormat.h"
#include "TestData.h"
#include "model/NameIds.h"
#include "motion/MotionDocument.h"
#include "text/BinaryWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace zelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32At(const Bytes& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// A fixed name field with everything after the first zero byte cleared: MMD leaves junk
// there, this program writes zeros.
Bytes CleanField(const std::uint8_t* field, std::size_t size)
{
    Bytes clean(field, field + size);
    const auto zero = std::find(clean.begin(), clean.end(), 0);
    std::fill(zero, clean.end(), 0);
    return clean;
}

// The records of one section, name fields cleaned, sorted: the writer groups keys by bone,
// so only the set of records is comparable with a file that interleaves them.
std::vector<Bytes> Records(const Bytes& bytes, std::size_t offset, std::uint32_t count,
                           std::size_t size)
{
    std::vector<Bytes> records;
    for (std::uint32_t n = 0; n < count; ++n) {
        const std::uint8_t* record = bytes.data() + offset + n * size;
        Bytes clean = CleanField(record, vmd::kNameSize);
        clean.insert(clean.end(), record + vmd::kNameSize, record + size);
        records.push_back(std::move(clean));
    }
    std::sort(records.begin(), records.end());
    return records;
}

class MeiGreetingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = test::SharedTestData("motions/mei_greeting.vmd");
        ZELVANE_REQUIRE_SHARED(path);
        original = ReadWholeFile(path);
        document.Read(original);
    }

    std::filesystem::path path;
    Bytes original;
    CMotionDocument document;
};

TEST_F(MeiGreetingTest, ReadsCountsNamesAndKeysInFrameOrder)
{
    EXPECT_EQ(document.modelName, "Mei");
    EXPECT_EQ(document.BoneKeyCount(), 376u);
    EXPECT_EQ(document.MorphKeyCount(), 21u);
    EXPECT_EQ(document.boneSequences.size(), 78u);

    const CBoneFrameSequence* center = document.boneSequences.Find(NameToID("センター"));
    ASSERT_NE(center, nullptr);
    ASSERT_EQ(center->size(), 10u);
    // The file lists the keys out of frame order; the sequence holds them in order.
    std::vector<int> frames;
    for (const CBoneFrame& key : center->keys())
        frames.push_back(key.frame);
    EXPECT_EQ(frames, (std::vector<int>{0, 12, 17, 20, 30, 40, 44, 49, 57, 60}));
    const CBoneFrame& second = center->keys()[1];
    EXPECT_FLOAT_EQ(second.translation.y, -0.1f);
    EXPECT_FLOAT_EQ(second.translation.z, 0.137f);
    EXPECT_EQ(second.curves[CBoneFrame::CURVE_X], InterpolationCurve(20, 20, 107, 107));
    EXPECT_EQ(second.curves[CBoneFrame::CURVE_ROTATION], InterpolationCurve(20, 20, 107, 107));

    const CBoneFrameSequence* upper = document.boneSequences.Find(NameToID("上半身"));
    ASSERT_NE(upper, nullptr);
    EXPECT_FLOAT_EQ(upper->Find(20)->rotation.x, -0.42261821f);
}

TEST_F(MeiGreetingTest, WritesTheSameRecordsBack)
{
    const Bytes written = document.Write();
    ASSERT_EQ(written.size(), original.size()); // the file carries the three empty sections
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 25, written.begin()));
    EXPECT_EQ(CleanField(original.data() + 30, 20), CleanField(written.data() + 30, 20));

    const std::uint32_t bones = U32At(original, 50);
    ASSERT_EQ(U32At(written, 50), bones);
    EXPECT_EQ(Records(written, 54, bones, vmd::kBoneRecordSize),
              Records(original, 54, bones, vmd::kBoneRecordSize));
    const std::size_t morphsAt = 54 + bones * vmd::kBoneRecordSize;
    const std::uint32_t morphs = U32At(original, morphsAt);
    ASSERT_EQ(U32At(written, morphsAt), morphs);
    EXPECT_EQ(Records(written, morphsAt + 4, morphs, vmd::kMorphRecordSize),
              Records(original, morphsAt + 4, morphs, vmd::kMorphRecordSize));
    EXPECT_TRUE(std::equal(original.end() - 12, original.end(), written.end() - 12));
}

CMotionDocument BuiltDocument()
{
    CMotionDocument document;
    document.modelName = "初音ミク";
    CBoneFrame key(30);
    key.translation = {1.5f, -2.0f, 0.25f};
    key.rotation = {0.1f, 0.2f, 0.3f, 0.927362f};
    key.curves[CBoneFrame::CURVE_Y].Set(64, 0, 64, 127);
    key.curves[CBoneFrame::CURVE_ROTATION].Set(1, 2, 3, 4);
    document.GetBoneSequence(NameToID("センター")).Insert(key);
    document.GetBoneSequence(NameToID("センター")).Insert(CBoneFrame(0));
    // 20 bytes in code page 932: the field keeps 15, cutting the eighth character in half.
    document.GetBoneSequence(NameToID("とても長いボーン名前")).Insert(CBoneFrame(5));
    // Exactly 15 bytes: no terminating zero.
    document.GetBoneSequence(NameToID("abcdefghijklmno")).Insert(CBoneFrame(7));
    document.GetMorphSequence(NameToID("まばたき")).Insert(CMorphFrame(12, 0.75f));
    return document;
}

TEST(VmdFormatTest, DocumentBuiltInCodeRoundTrips)
{
    const CMotionDocument built = BuiltDocument();
    const Bytes bytes = built.Write();
    ASSERT_EQ(bytes.size(), 58u + 111 * 4 + 23 * 1 + 12);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 30),
              std::string("Vocaloid Motion Data 0002\0\0\0\0\0", 30));

    // The cut name: 15 bytes of the converted text, no terminator.
    const Bytes longName = Utf8ToCp932("とても長いボーン名前");
    ASSERT_EQ(longName.size(), 20u);
    const std::size_t thirdRecord = 54 + 2 * 111;
    EXPECT_TRUE(std::equal(longName.begin(), longName.begin() + 15, bytes.begin() + thirdRecord));
    EXPECT_EQ(std::string(bytes.begin() + thirdRecord + 111, bytes.begin() + thirdRecord + 126),
              "abcdefghijklmno");

    // The interpolation block: row 0, then three rows shifted with 1, 0, 0 coming in.
    const std::uint8_t* block = bytes.data() + 54 + 111 + 47; // the frame-30 key
    const Bytes row0 = {25, 64, 25, 1, 25, 0, 25, 2, 102, 64, 102, 3, 102, 127, 102, 4};
    EXPECT_TRUE(std::equal(row0.begin(), row0.end(), block));
    EXPECT_TRUE(std::equal(row0.begin() + 1, row0.end(), block + 16));
    EXPECT_EQ(block[31], 1);
    EXPECT_TRUE(std::equal(row0.begin() + 3, row0.end(), block + 48));
    EXPECT_EQ(Bytes(block + 61, block + 64), (Bytes{1, 0, 0}));

    CMotionDocument read;
    read.Read(bytes);
    EXPECT_EQ(read.modelName, "初音ミク");
    const CBoneFrameSequence* center = read.boneSequences.Find(NameToID("センター"));
    ASSERT_NE(center, nullptr);
    ASSERT_EQ(center->size(), 2u);
    const CBoneFrame& key = center->keys()[1];
    const CBoneFrame& expected = built.boneSequences.Find(NameToID("センター"))->keys()[1];
    EXPECT_EQ(key.frame, 30);
    EXPECT_EQ(key.translation, expected.translation);
    EXPECT_EQ(key.rotation, expected.rotation);
    EXPECT_EQ(key.curves, expected.curves);
    EXPECT_EQ(key.curves[CBoneFrame::CURVE_Y].table(), expected.curves[1].table());
    EXPECT_NE(read.boneSequences.Find(NameToID("abcdefghijklmno")), nullptr);
    // The half character is dropped when the cut name is read back.
    EXPECT_NE(read.boneSequences.Find(NameToID("とても長いボー")), nullptr);
    const CMorphFrameSequence* morph = read.morphSequences.Find(NameToID("まばたき"));
    ASSERT_NE(morph, nullptr);
    EXPECT_EQ(morph->keys()[0].frame, 12);
    EXPECT_EQ(morph->keys()[0].weight, 0.75f);
}

TEST(VmdFormatTest, FileEndingAfterTheMorphKeysReads)
{
    Bytes bytes = BuiltDocument().Write();
    bytes.resize(bytes.size() - 12);
    CMotionDocument read;
    read.Read(bytes);
    EXPECT_EQ(read.BoneKeyCount(), 4u);
    EXPECT_EQ(read.MorphKeyCount(), 1u);
}

TEST(VmdFormatTest, EveryTruncationFailsCleanly)
{
    const Bytes bytes = BuiltDocument().Write();
    const std::size_t morphsEnd = bytes.size() - 12;
    for (std::size_t size = 0; size < morphsEnd; ++size) {
        CMotionDocument document = BuiltDocument();
        const Bytes prefix(bytes.begin(), bytes.begin() + size);
        EXPECT_THROW(document.Read(prefix), EndOfFileError) << "prefix of " << size;
        // A failed read leaves what was there.
        EXPECT_EQ(document.BoneKeyCount(), 4u);
        EXPECT_EQ(document.modelName, "初音ミク");
    }
    for (std::size_t size = morphsEnd; size <= bytes.size(); ++size) {
        CMotionDocument document;
        EXPECT_NO_THROW(document.Read(Bytes(bytes.begin(), bytes.begin() + size)));
    }
}

TEST(VmdFormatTest, HugeCountsAreRefusedBeforeAllocating)
{
    for (const std::uint32_t count : {0xFFFFFFFFu, 0x7FFFFFFFu, 2u}) {
        BinaryWriter bones;
        bones.WriteFixed({}, 50);
        bones.WriteU32(count);
        bones.WriteFixed({}, 111); // one record only
        CMotionDocument document;
        EXPECT_THROW(document.Read(bones.bytes()), EndOfFileError);

        BinaryWriter morphs;
        morphs.WriteFixed({}, 50);
        morphs.WriteU32(0);
        morphs.WriteU32(count);
        morphs.WriteFixed({}, 23);
        EXPECT_THROW(document.Read(morphs.bytes()), EndOfFileError);
        EXPECT_EQ(document.BoneKeyCount(), 0u);
    }
}

TEST(VmdFormatTest, SaveWritesTheFileAndLoadReadsIt)
{
    const std::filesystem::path path
        = std::filesystem::temp_directory_path() / "zelvane_vmd_save_test.vmd";
    const CMotionDocument built = BuiltDocument();
    built.Save(path);
    EXPECT_EQ(ReadWholeFile(path), built.Write());
    CMotionDocument loaded;
    loaded.Load(path);
    std::filesystem::remove(path);
    EXPECT_EQ(loaded.BoneKeyCount(), 4u);
    EXPECT_EQ(loaded.modelName, built.modelName);
}

} // namespace
} // namespace zelvane
