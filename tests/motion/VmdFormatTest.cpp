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

// A fixed name field with everything after the first zero byte cleared: MMD leaves junk
// there, this program writes zeros.
Bytes CleanField(const std::uint8_t* field, std::size_t size)
{
    Bytes clean(field, field + size);
    std::fill(std::find(clean.begin(), clean.end(), 0), clean.end(), 0);
    return clean;
}

// The records of the section whose count is at `offset`, name fields cleaned, sorted: the
// writer groups keys by bone, so only the set of records is comparable with a file that
// interleaves them.
std::vector<Bytes> Records(const Bytes& bytes, std::size_t offset, std::size_t size)
{
    std::uint32_t count = 0;
    std::memcpy(&count, bytes.data() + offset, 4);
    std::vector<Bytes> records;
    for (const std::uint8_t* record = bytes.data() + offset + 4; count--; record += size) {
        records.push_back(CleanField(record, vmd::kNameSize));
        records.back().insert(records.back().end(), record + vmd::kNameSize, record + size);
    }
    std::sort(records.begin(), records.end());
    return records;
}

TEST(VmdFormatTest, MeiGreetingReadsAndWritesTheSameRecordsBack)
{
    const std::filesystem::path path = test::SharedTestData("motions/mei_greeting.vmd");
    ZELVANE_REQUIRE_SHARED(path);
    const Bytes original = ReadWholeFile(path, kMaxMotionFileBytes);
    CMotionDocument document;
    document.Read(original);
    EXPECT_EQ(document.modelName, "Mei");
    const CBoneFrameSequence* center = document.boneSequences.Find(NameToID("センター"));
    ASSERT_NE(center, nullptr);
    // The file lists the keys out of frame order; the sequence holds them in order.
    std::vector<int> frames;
    for (const CBoneFrame& key : center->keys())
        frames.push_back(key.frame);
    ASSERT_EQ(frames, (std::vector<int>{0, 12, 17, 20, 30, 40, 44, 49, 57, 60}));
    const CBoneFrame& second = center->keys()[1];
    EXPECT_EQ(std::tie(second.translation.y, second.translation.z), std::tuple(-0.1f, 0.137f));
    EXPECT_EQ(
        std::tie(second.curves[CBoneFrame::CURVE_X], second.curves[CBoneFrame::CURVE_ROTATION]),
        std::tuple(InterpolationCurve(20, 20, 107, 107), InterpolationCurve(20, 20, 107, 107)));
    const CBoneFrameSequence* upper = document.boneSequences.Find(NameToID("上半身"));
    ASSERT_TRUE(upper && upper->Find(20));
    EXPECT_FLOAT_EQ(upper->Find(20)->rotation.x, -0.42261821f);

    // Written back: the same records (every key read), and the three empty sections.
    const Bytes written = document.Write();
    ASSERT_EQ(written.size(), original.size());
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 25, written.begin()));
    EXPECT_EQ(CleanField(original.data() + 30, 20), CleanField(written.data() + 30, 20));
    std::size_t offset = 50;
    for (const std::size_t size : {vmd::kBoneRecordSize, vmd::kMorphRecordSize}) {
        const std::vector<Bytes> records = Records(original, offset, size);
        EXPECT_EQ(Records(written, offset, size), records);
        offset += 4 + records.size() * size;
    }
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

TEST(VmdFormatTest, DocumentBuiltInCodeSavesAndLoadsBack)
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

    // Saved to a file, the same bytes; loaded, the same document.
    const std::filesystem::path path = test::UniqueTempPath("vmd_save_test.vmd");
    built.Save(path);
    EXPECT_EQ(ReadWholeFile(path, kMaxMotionFileBytes), bytes);
    CMotionDocument read;
    read.Load(path);
    std::filesystem::remove(path);
    EXPECT_EQ(read.modelName, "初音ミク");
    const CBoneFrameSequence* center = read.boneSequences.Find(NameToID("センター"));
    ASSERT_TRUE(center && center->size() == 2u);
    const CBoneFrame& key = center->keys()[1];
    const CBoneFrame& expected = built.boneSequences.Find(NameToID("センター"))->keys()[1];
    EXPECT_TRUE(key.frame == 30 && key.translation == expected.translation
                && key.rotation == expected.rotation && key.curves == expected.curves);
    // The half character is dropped when the cut name is read back.
    EXPECT_TRUE(read.boneSequences.Find(NameToID("abcdefghijklmno"))
                && read.boneSequences.Find(NameToID("とても長いボー")));
    const CMorphFrameSequence* morph = read.morphSequences.Find(NameToID("まばたき"));
    ASSERT_NE(morph, nullptr);
    EXPECT_EQ(std::tuple(morph->keys()[0].frame, morph->keys()[0].weight), std::tuple(12, 0.75f));
}

TEST(VmdFormatTest, EveryTruncationBeforeTheTrailingSectionsFailsCleanly)
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
    // The camera, light and shadow sections may be missing, whole or in part.
    for (std::size_t size = morphsEnd; size <= bytes.size(); ++size) {
        CMotionDocument document;
        EXPECT_NO_THROW(document.Read(Bytes(bytes.begin(), bytes.begin() + size))) << size;
        EXPECT_EQ(document.BoneKeyCount(), 4u);
        EXPECT_EQ(document.MorphKeyCount(), 1u);
    }
}

TEST(VmdFormatTest, HugeCountsAreRefusedBeforeAllocating)
{
    for (const std::uint32_t count : {0xFFFFFFFFu, 0x7FFFFFFFu, 2u}) {
        // A count of bone keys, then of morph keys, with room for one record only.
        for (const bool morphs : {false, true}) {
            BinaryWriter writer;
            writer.WriteFixed({}, 50);
            if (morphs)
                writer.WriteU32(0);
            writer.WriteU32(count);
            writer.WriteFixed({}, morphs ? 23 : 111);
            CMotionDocument document;
            EXPECT_THROW(document.Read(writer.bytes()), EndOfFileError) << count << morphs;
            EXPECT_EQ(document.BoneKeyCount() + document.MorphKeyCount(), 0u);
        }
    }
}

} // namespace
} // namespace zelvane
