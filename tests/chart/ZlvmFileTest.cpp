#include "chart/ZlvmFile.h"
#include "ChartTestSupport.h"
#include "base/ChartLimits.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <bit>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>

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
    data.twist = false;
    data.turnEnabled = true;
    data.scores.push_back({Style::SINGLE, "BASIC", {{0, 1, 0}, {48, 3, 96}}, "x.avi", {"m.vmd"}});
    data.scores.push_back({Style::COUPLE, "MANIAC", {{12, 7, 0}}, "", {"1p.vmd", "2p.vmd"}});
    data.backgroundColor = 0x00FFEEDD;
    data.screenColor = 0x00010203;
    return data;
}

} // namespace

TEST(ZlvmFile, WritesTheLayoutByteForByteAndReadsBackEverything)
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
    // With the layout pinned, a field the reader dropped or misplaced shows in a rewrite.
    EXPECT_EQ(WriteZlvm(ReadZlvm(written)), written);
}

namespace {

// What reading throws: "end of file", "format" or "" for nothing.
std::string Refusal(std::span<const std::uint8_t> bytes)
{
    try {
        ReadZlvm(bytes);
    } catch (const EndOfFileError&) {
        return "end of file";
    } catch (const FileFormatError&) {
        return "format";
    }
    return "";
}

Bytes Patched(std::size_t at, std::initializer_list<std::uint8_t> values)
{
    Bytes bytes = WriteZlvm(SampleData());
    std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

Bytes WithGap(std::int32_t gap)
{
    ZlvmDocumentData data = SampleData();
    data.gap = gap;
    return WriteZlvm(data);
}

Bytes WithTempoAndNote(float bpm, std::int32_t clock)
{
    ZlvmDocumentData data = SampleData();
    data.bpm = bpm;
    data.scores[0].notes.push_back({clock, 0, 0});
    return WriteZlvm(data);
}

} // namespace

TEST(ZlvmFile, BadFilesAreRefusedBeforeAnythingIsBuilt)
{
    constexpr std::size_t kScoreCount = 2 + 8 + 6 + 4 + 4 + 14 + 4 + 2;
    ASSERT_EQ(WriteZlvm(SampleData())[kScoreCount], 2);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        Bytes bytes;
        const char* refusal;
    } cases[] = {
        {"version 0x0001", Patched(1, {0x01}), "format"},
        {"tempo 0", WithTempoAndNote(0.0f, 0), "format"},
        {"tempo NaN", WithTempoAndNote(nan, 0), "format"},
        {"style 3", Patched(kScoreCount + 2, {3}), "format"},
        // 65535 scores claimed, two behind it: the file ends, not the memory.
        {"score count 65535", Patched(kScoreCount, {0xFF, 0xFF}), "end of file"},
        // Once the dance allocated step frames for such a note until memory ran out.
        {"note at clock 2e9", WithTempoAndNote(120.0f, 2'000'000'000), "format"},
        {"last clock at 120 BPM", WithTempoAndNote(120.0f, MaxChartClock(120.0f)), ""},
        {"the same at 119 BPM", WithTempoAndNote(119.0f, MaxChartClock(120.0f)), "format"},
        // At the fastest tempo two hours hold far more clocks than a chart may reach: once a
        // file of a few bytes converted into a chart file of a hundred megabytes.
        {"last clock at the fastest tempo", WithTempoAndNote(kMaxChartBpm, kMaxChartClock), ""},
        {"one after it", WithTempoAndNote(kMaxChartBpm, kMaxChartClock + 1), "format"},
        {"tempo 1e30", WithTempoAndNote(1e30f, 0), "format"},
        {"gap at the limit", WithGap(-kMaxChartGap), ""},
        {"gap beyond it", WithGap(kMaxChartGap + 1), "format"},
        {"gap of 2^31 - 1", WithGap(std::numeric_limits<std::int32_t>::max()), "format"},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(Refusal(entry.bytes), entry.refusal) << entry.name;

    const Bytes bytes = WriteZlvm(SampleData());
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_EQ(Refusal(std::span(bytes).first(size)), "end of file") << "prefix of " << size;
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
    // The lengths come with the files the document names, in the step after the load.
    document.AttachFiles();

    ASSERT_EQ(document.scores().size(), 3u);
    EXPECT_EQ(document.scores().current(), document.scores()[0].get());
    EXPECT_EQ(document.scores()[0]->difficulty(), "BASIC");
    EXPECT_EQ(document.scores()[1]->style(), Style::COUPLE);
    EXPECT_EQ(document.scores()[1]->players()[1]->motionPath(), "2p.vmd");
    EXPECT_EQ(document.scores()[0]->aviPath(), "x.avi");
    // Notes keep the file's order, not clock order.
    EXPECT_EQ(NotesOf(*document.scores()[2]), (std::vector<CNote>{{5, 0, 0}, {1, 2, 0}}));
    EXPECT_EQ(document.scores()[0]->length(), 144);
}

// A saved document opens as it was. A failed open leaves the open document as it was, and a
// failed save the old file.
TEST(ZlvmFile, ASavedDocumentOpensAsItWasAndFailuresLeaveTheDocumentAndTheFile)
{
    TempFolder folder;
    const auto path = folder / "song.zlvm";
    CStepDocument document;
    document.NewDocument();
    document.SetDescription(
        {"タイトル", document.description().artist, document.description().gap});
    document.SetBpm(0.1f + 140.0f);
    document.SetColors({0xABCDEF, document.colors().screen});
    document.SaveDocument(path);

    CStepDocument opened;
    opened.OpenDocument(path);
    EXPECT_EQ(opened.description().title, "タイトル");
    EXPECT_EQ(std::bit_cast<std::uint32_t>(opened.tempoMap().songBpm()),
              std::bit_cast<std::uint32_t>(0.1f + 140.0f));
    EXPECT_EQ(opened.colors().background, 0xABCDEFu);
    ASSERT_EQ(opened.scores().size(), 1u); // a fresh BASIC score
    EXPECT_EQ(opened.scores()[0]->difficulty(), "BASIC");
    EXPECT_FALSE(opened.IsModified());

    // A damaged or missing file, or a document beyond the chart limits handed over.
    Bytes damaged = WriteZlvm(SampleData());
    damaged.resize(damaged.size() - 3);
    WriteFileAtomically(folder / "damaged.zlvm", damaged);
    opened.scores().current()->InsertNote(MakeNote(0, 0));
    EXPECT_THROW(opened.OpenDocument(folder / "damaged.zlvm"), EndOfFileError);
    EXPECT_THROW(opened.OpenDocument(folder / "missing.zlvm"), FileIoError);
    ZlvmDocumentData farNote, farGap, fastTempo;
    farNote.scores.push_back({Style::SINGLE, "BASIC", {{2'000'000'000, 0, 0}}, "", {""}});
    farGap.gap = -kMaxChartGap - 1;
    fastTempo.bpm = 2 * kMaxChartBpm;
    for (const ZlvmDocumentData* beyond : {&farNote, &farGap, &fastTempo})
        EXPECT_THROW(opened.Load(*beyond), ChartLimitError);
    // Nor is a file read that is larger than any document: this one would take 64 GB.
    std::ofstream(folder / "huge.zlvm").close();
    std::filesystem::resize_file(folder / "huge.zlvm", std::uintmax_t{64} << 30);
    EXPECT_THROW(opened.OpenDocument(folder / "huge.zlvm"), FileIoError);
    std::filesystem::remove(folder / "huge.zlvm");
    EXPECT_EQ(opened.description().title, "タイトル");
    ASSERT_EQ(opened.scores().size(), 1u);
    EXPECT_EQ(NotesOf(*opened.scores().current()), (std::vector<CNote>{{0, 0, 0}}));

    EXPECT_THROW(document.SaveDocument(folder / "no-such-folder" / "x.zlvm"), FileIoError);
    EXPECT_EQ(document.pathName(), path);
    // The file counts notes in 16 bits: a chart at the limit is saved, one more is refused,
    // not wrapped, and the old file stays whole with no temporary file left beside it.
    for (std::size_t i = 0; i < kMaxChartNotes; ++i)
        document.scores().current()->AppendNote(MakeNote(0, 0));
    document.SaveDocument(path);
    const Bytes full = ReadWholeFile(path, kMaxChartFileBytes);
    EXPECT_EQ(ReadZlvm(full).scores[0].notes.size(), kMaxChartNotes);
    document.scores().current()->AppendNote(MakeNote(0, 0));
    document.SetModifiedFlag(true);
    EXPECT_THROW(document.SaveDocument(path), InvalidArgumentError);
    EXPECT_EQ(ReadWholeFile(path, kMaxChartFileBytes), full);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
}

namespace {

ZlvmDocumentData MappedData()
{
    ZlvmDocumentData data = SampleData();
    data.tempoEvents
        = {CTempoChange{192, 266.5f}, CDelay{384, 100.0}, CStop{384, 53.25}, CWarp{480, 24}};
    return data;
}

} // namespace

TEST(ZlvmFile, ATempoMapIsASectionOfTheSecondVersionAndIsCheckedLikeTheRest)
{
    const Bytes plain = WriteZlvm(SampleData());
    const Bytes mapped = WriteZlvm(MappedData());
    Bytes expected = plain;
    expected[0] = 0x01; // 0x0201
    Append(expected, {'T', 'M', 'A', 'P'});
    AppendU32(expected, 4 + 9 + 13 + 13 + 9);
    AppendU32(expected, 4);
    Append(expected, {0, 192, 0, 0, 0});
    AppendU32(expected, std::bit_cast<std::uint32_t>(266.5f));
    const auto appendDouble = [&](double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        AppendU32(expected, static_cast<std::uint32_t>(bits));
        AppendU32(expected, static_cast<std::uint32_t>(bits >> 32));
    };
    Append(expected, {1, 128, 1, 0, 0});
    appendDouble(100.0);
    Append(expected, {2, 128, 1, 0, 0});
    appendDouble(53.25);
    Append(expected, {3, 224, 1, 0, 0});
    AppendU32(expected, 24);
    EXPECT_EQ(mapped, expected);
    EXPECT_EQ(ReadZlvm(mapped).tempoEvents, MappedData().tempoEvents);

    // A section of a later version is passed over; the one this version knows is not.
    Bytes later = mapped;
    Append(later, {'N', 'E', 'X', 'T'});
    AppendU32(later, 2);
    Append(later, {7, 7});
    EXPECT_EQ(ReadZlvm(later).tempoEvents, MappedData().tempoEvents);

    const std::size_t kind = plain.size() + 12; // the first event's kind
    const std::size_t bpm = kind + 5;
    auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> values) {
        Bytes bytes = mapped;
        std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
        return bytes;
    };
    ZlvmDocumentData lateNote = MappedData();
    lateNote.tempoEvents.push_back(CStop{960, 3'600'000.0}); // an hour and 153.25 ms of pauses
    EXPECT_EQ(Refusal(patched(kind, {9})), "format") << "unknown kind";
    EXPECT_EQ(Refusal(patched(bpm, {0, 0, 0, 0})), "format") << "tempo 0";
    EXPECT_EQ(Refusal(patched(plain.size() + 4, {4 + 9})), "end of file") << "section too short";
    EXPECT_EQ(Refusal(patched(plain.size() + 8, {3})), "format") << "count short of the section";
    EXPECT_EQ(Refusal(patched(plain.size() + 8, {0xFF, 0x0F})), "end of file")
        << "count beyond the section";
    EXPECT_EQ(Refusal(patched(plain.size() + 8, {0xFF, 0xFF, 0xFF, 0xFF})), "format")
        << "count beyond any map";
    EXPECT_EQ(Refusal(WriteZlvm(lateNote)), "format") << "pauses beyond an hour";
    for (std::size_t size = plain.size() + 1; size < mapped.size(); ++size)
        EXPECT_EQ(Refusal(std::span(mapped).first(size)), "end of file") << "prefix of " << size;

    // Meters have a section of their own, one for each score.
    ZlvmDocumentData rated = SampleData();
    rated.scores[1].meter = 11;
    const Bytes meters = WriteZlvm(rated);
    EXPECT_EQ(meters[0], 0x01);
    EXPECT_EQ(ReadZlvm(meters).scores[1].meter, 11);
    EXPECT_EQ(Bytes(meters.begin() + static_cast<std::ptrdiff_t>(plain.size()), meters.end()),
              (Bytes{'M', 'E', 'T', 'R', 12, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 11, 0, 0, 0}));
    Bytes miscounted = meters;
    miscounted[plain.size() + 8] = 3;
    EXPECT_EQ(Refusal(miscounted), "format");

    // The map moves the chart's two hours: a note that fits one tempo may not fit the map.
    ZlvmDocumentData slowed = SampleData();
    slowed.scores[0].notes.push_back({MaxChartClock(133.33f), 0, 0});
    EXPECT_EQ(Refusal(WriteZlvm(slowed)), "");
    slowed.tempoEvents = {CTempoChange{192, 60.0f}};
    EXPECT_EQ(Refusal(WriteZlvm(slowed)), "format");
}
