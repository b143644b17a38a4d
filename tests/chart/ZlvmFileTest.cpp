#include "chart/ZlvmFile.h"
#include "ChartTestSupport.h"
#include "TestData.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <bit>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> values)
{
    bytes.insert(bytes.end(), values);
}

void AppendU32(Bytes& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A document of two scores, one of them COUPLE, with every field set.
ZlvmDocumentData SampleData()
{
    ZlvmDocumentData data;
    data.title = "ab";
    data.artist = "曲";
    data.bpm = 133.33f;
    data.gap = -250;
    data.audioPath = "a.mp3";
    data.modelPath = "";
    data.twist = false;
    data.turnEnabled = true;
    data.scores.push_back({Style::SINGLE, "BASIC", {{0, 1, 0}, {48, 3, 96}}, "x.avi", {"m.vmd"}});
    data.scores.push_back({Style::COUPLE, "MANIAC", {{12, 7, 0}}, "", {"1p.vmd", "2p.vmd"}});
    data.backgroundColor = 0x00FFEEDD;
    data.screenColor = 0x00010203;
    return data;
}

} // namespace

TEST(ZlvmFile, WritesTheLayoutByteForByte)
{
    const Bytes written = WriteZlvm(SampleData());

    Bytes expected;
    Append(expected, {0x00, 0x02});                             // version
    Append(expected, {0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b', 0});    // title
    Append(expected, {0xFF, 0xFE, 0xFF, 1, 0xF2, 0x66});        // artist "曲" U+66F2
    AppendU32(expected, std::bit_cast<std::uint32_t>(133.33f)); // bpm
    AppendU32(expected, static_cast<std::uint32_t>(-250));      // gap
    Append(expected, {0xFF, 0xFE, 0xFF, 5, 'a', 0, '.', 0, 'm', 0, 'p', 0, '3', 0});
    Append(expected, {0xFF, 0xFE, 0xFF, 0}); // model path
    Append(expected, {0, 1});                // twist, turn
    Append(expected, {2, 0});                // score count
    Append(expected, {0});                   // SINGLE
    Append(expected, {0xFF, 0xFE, 0xFF, 5, 'B', 0, 'A', 0, 'S', 0, 'I', 0, 'C', 0});
    Append(expected, {2, 0});                           // note count
    Append(expected, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0});   // note 0, 1, 0
    Append(expected, {48, 0, 0, 0, 3, 0, 96, 0, 0, 0}); // note 48, 3, 96
    Append(expected, {0xFF, 0xFE, 0xFF, 5, 'x', 0, '.', 0, 'a', 0, 'v', 0, 'i', 0});
    Append(expected, {0xFF, 0xFE, 0xFF, 5, 'm', 0, '.', 0, 'v', 0, 'm', 0, 'd', 0});
    Append(expected, {2}); // COUPLE
    Append(expected, {0xFF, 0xFE, 0xFF, 6, 'M', 0, 'A', 0, 'N', 0, 'I', 0, 'A', 0, 'C', 0});
    Append(expected, {1, 0});
    Append(expected, {12, 0, 0, 0, 7, 0, 0, 0, 0, 0}); // note 12, 7, 0
    Append(expected, {0xFF, 0xFE, 0xFF, 0});           // avi path
    Append(expected, {0xFF, 0xFE, 0xFF, 6, '1', 0, 'p', 0, '.', 0, 'v', 0, 'm', 0, 'd', 0});
    Append(expected, {0xFF, 0xFE, 0xFF, 6, '2', 0, 'p', 0, '.', 0, 'v', 0, 'm', 0, 'd', 0});
    AppendU32(expected, 0x00FFEEDD);
    AppendU32(expected, 0x00010203);
    EXPECT_EQ(written, expected);
}

TEST(ZlvmFile, ReadsBackEverythingItWrites)
{
    const ZlvmDocumentData data = SampleData();
    const ZlvmDocumentData read = ReadZlvm(WriteZlvm(data));
    EXPECT_EQ(read.title, data.title);
    EXPECT_EQ(read.artist, data.artist);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(read.bpm), std::bit_cast<std::uint32_t>(data.bpm));
    EXPECT_EQ(read.gap, data.gap);
    EXPECT_EQ(read.audioPath, data.audioPath);
    EXPECT_EQ(read.twist, data.twist);
    EXPECT_EQ(read.turnEnabled, data.turnEnabled);
    ASSERT_EQ(read.scores.size(), 2u);
    EXPECT_EQ(read.scores[1].style, Style::COUPLE);
    EXPECT_EQ(read.scores[1].motionPaths, (std::vector<std::string>{"1p.vmd", "2p.vmd"}));
    EXPECT_EQ(read.scores[0].notes, data.scores[0].notes);
    EXPECT_EQ(read.backgroundColor, data.backgroundColor);
    EXPECT_EQ(read.screenColor, data.screenColor);
}

TEST(ZlvmFile, RejectsWrongVersionsTemposStylesAndCountsBeyondTheData)
{
    Bytes bytes = WriteZlvm(SampleData());
    Bytes wrongVersion = bytes;
    wrongVersion[1] = 0x01;
    EXPECT_THROW(ReadZlvm(wrongVersion), FileFormatError);

    ZlvmDocumentData zeroTempo = SampleData();
    zeroTempo.bpm = 0.0f;
    EXPECT_THROW(ReadZlvm(WriteZlvm(zeroTempo)), FileFormatError);
    zeroTempo.bpm = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THROW(ReadZlvm(WriteZlvm(zeroTempo)), FileFormatError);

    // The style byte of the first score sits right after the score count.
    const std::size_t countOffset = 2 + 8 + 6 + 4 + 4 + 14 + 4 + 2;
    ASSERT_EQ(bytes[countOffset], 2);
    Bytes wrongStyle = bytes;
    wrongStyle[countOffset + 2] = 3;
    EXPECT_THROW(ReadZlvm(wrongStyle), FileFormatError);
    // A score count of 65535 with only two scores behind it ends the file, not the memory.
    bytes[countOffset] = 0xFF;
    bytes[countOffset + 1] = 0xFF;
    EXPECT_THROW(ReadZlvm(bytes), EndOfFileError);
}

TEST(ZlvmFile, EveryShorterPrefixFailsCleanly)
{
    const Bytes bytes = WriteZlvm(SampleData());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(ReadZlvm(prefix), EndOfFileError) << "prefix of " << size << " bytes";
    }
    EXPECT_NO_THROW(ReadZlvm(bytes));
}

TEST(ZlvmFile, CountsBeyondSixteenBitsAreRefusedNotWrapped)
{
    ZlvmDocumentData data;
    data.scores.push_back({Style::SINGLE, "BASIC", std::vector<CNote>(65536), "", {""}});
    EXPECT_THROW(WriteZlvm(data), InvalidArgumentError);
    data.scores[0].notes.resize(65535);
    EXPECT_EQ(ReadZlvm(WriteZlvm(data)).scores[0].notes.size(), 65535u);
}

TEST(ZlvmFile, LoadingDropsEmptyScoresAndKeepsDuplicatesInOrder)
{
    CStepDocument document;
    ZlvmDocumentData data = SampleData();
    data.audioPath.clear();
    data.scores.insert(data.scores.begin(), {Style::DOUBLE, "ANOTHER", {}, "", {""}});
    data.scores.push_back({Style::SINGLE, "BASIC", {{5, 0, 0}, {1, 2, 0}}, "", {""}});
    // A note on a panel the score does not have is left out; the score had only that one.
    data.scores.push_back({Style::SINGLE, "MANIAC", {{0, 4, 0}}, "", {""}});
    document.Load(data);

    ASSERT_EQ(document.scores().size(), 3u);
    EXPECT_EQ(document.currentScore(), document.scores()[0].get());
    EXPECT_EQ(document.scores()[0]->difficulty(), "BASIC");
    EXPECT_EQ(document.scores()[1]->style(), Style::COUPLE);
    EXPECT_EQ(document.scores()[1]->players()[1]->motionPath(), "2p.vmd");
    EXPECT_EQ(document.scores()[0]->aviPath(), "x.avi");
    // Notes keep the file's order, not clock order.
    EXPECT_EQ(ClocksOf(*document.scores()[2]), (std::vector<std::int32_t>{5, 1}));
    EXPECT_EQ(document.scores()[0]->length(), 144);
}

TEST(ZlvmFile, ANewDocumentSavedAndOpenedGetsAFreshBasicScore)
{
    const auto path = UniqueTempPath("new-document.zlvm");
    CStepDocument saved;
    saved.NewDocument();
    saved.SetTitle("タイトル");
    saved.SetBpm(0.1f + 140.0f);
    saved.SetBackgroundColor(0xABCDEF);
    saved.SaveDocument(path);

    CStepDocument opened;
    opened.OpenDocument(path);
    EXPECT_EQ(opened.title(), "タイトル");
    EXPECT_EQ(std::bit_cast<std::uint32_t>(opened.bpm()),
              std::bit_cast<std::uint32_t>(0.1f + 140.0f));
    EXPECT_EQ(opened.backgroundColor(), 0xABCDEFu);
    ASSERT_EQ(opened.scores().size(), 1u);
    EXPECT_EQ(opened.scores()[0]->difficulty(), "BASIC");
    EXPECT_FALSE(opened.IsModified());
    std::filesystem::remove(path);
}

TEST(ZlvmFile, AFailedOpenLeavesTheDocumentAsItWas)
{
    const auto path = UniqueTempPath("damaged.zlvm");
    Bytes bytes = WriteZlvm(SampleData());
    bytes.resize(bytes.size() - 3);
    WriteFileAtomically(path, bytes);

    CStepDocument document;
    document.NewDocument();
    document.SetTitle("mine");
    document.currentScore()->InsertNote(MakeNote(0, 0));
    EXPECT_THROW(document.OpenDocument(path), EndOfFileError);
    EXPECT_THROW(document.OpenDocument(path.string() + ".missing"), FileIoError);
    EXPECT_EQ(document.title(), "mine");
    ASSERT_NE(document.currentScore(), nullptr);
    EXPECT_EQ(document.currentScore()->notes().size(), 1u);
    std::filesystem::remove(path);
}

TEST(ZlvmFile, AFailedSaveLeavesTheOldFile)
{
    const auto dir = UniqueTempPath("save-test");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto path = dir / "song.zlvm";
    CStepDocument document;
    document.NewDocument();
    document.SetTitle("first");
    document.SaveDocument(path);
    const Bytes first = ReadWholeFile(path);
    EXPECT_THROW(document.SaveDocument(dir / "no-such-folder" / "x.zlvm"), FileIoError);
    EXPECT_EQ(document.pathName(), path);

    // A document the file cannot hold: the save fails and the old file stays whole.
    for (int i = 0; i < 65536; ++i)
        document.currentScore()->AppendNote(MakeNote(i, 0));
    document.SetModifiedFlag(true);
    EXPECT_THROW(document.SaveDocument(path), InvalidArgumentError);
    EXPECT_EQ(ReadWholeFile(path), first);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(dir);
}
