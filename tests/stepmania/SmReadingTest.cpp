#include "TestData.h"
#include "stepmania/MsdText.h"
#include "stepmania/SmFile.h"
#include "stepmania/SmNoteData.h"
#include "stepmania/SmTiming.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::stepmania;

namespace {

std::vector<std::vector<std::string>> Parameters(std::string_view text)
{
    std::vector<std::vector<std::string>> result;
    for (const MsdValue& value : ParseMsd(text))
        result.push_back(value.parameters);
    return result;
}

SmFileText ReadText(std::string_view text, bool ssc)
{
    return ReadSmFile(AsBytes(text), ssc);
}

} // namespace

TEST(MsdText, SplitsValuesAsStepManiaDoes)
{
    using P = std::vector<std::vector<std::string>>;
    EXPECT_EQ(Parameters("junk #TITLE:a:b; more #X:;"), (P{{"TITLE", "a", "b"}, {"X", ""}}));
    EXPECT_EQ(Parameters("#T:a// c;o:mment\nb;"), (P{{"T", "a\nb"}}));
    EXPECT_EQ(Parameters("#T:a\\;b\\:c\\\\;"), (P{{"T", "a;b:c\\"}}));
    // A value that lacks its ';' ends where a line starts with '#', and at the end.
    EXPECT_EQ(Parameters("#BPMS:0=120\n,4=60  \n  #STOPS:1=2\n"),
              (P{{"BPMS", "0=120\n,4=60"}, {"STOPS", "1=2"}}));
    EXPECT_EQ(Parameters("#A:x#y;"), (P{{"A", "x#y"}}));
    const std::vector<MsdValue> values = ParseMsd("\n\n#A:1;\n#B:2;");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[1].line, 4u);
    EXPECT_EQ(values[1].parameter(5), "");
}

TEST(SmNoteData, RowsFallOnTheNearestClockAndFreezesEndAtTheirTail)
{
    EXPECT_EQ(RowClock(2, 1, 4), 2 * 192 + 48);
    EXPECT_EQ(RowClock(0, 1, 3), 64);
    // 192 / 128 = 1.5 clocks: ties go to the even clock.
    EXPECT_EQ(RowClock(0, 1, 128), 2);
    EXPECT_EQ(RowClock(0, 3, 128), 4);
    EXPECT_EQ(RowClock(0, 1, 7), 27);

    const SmNoteData data = ParseNoteData("2001\n0000\n3100\n0000\n,\n4M0F\n0{x}0[1]L1\n3K00\n"
                                          "0003\n"
                                          ",\n2000\n1000\n0000\n0000",
                                          4, 1000, 100);
    const std::vector<SmNote> expected{{0, 0, 96},  {0, 3, 0},   {96, 1, 0}, {192, 0, 96},
                                       {240, 3, 0}, {384, 0, 0}, {432, 0, 0}};
    EXPECT_EQ(data.notes, expected);
    EXPECT_EQ(data.leftOut.mines, 1);
    EXPECT_EQ(data.leftOut.fakes, 1);
    EXPECT_EQ(data.leftOut.lifts, 1);
    EXPECT_EQ(data.leftOut.keysounds, 1);
    EXPECT_EQ(data.leftOut.tailsWithoutHead, 1);
    EXPECT_FALSE(data.beyondLimits);

    // Reading stops at the first note past the limits, and past the count.
    EXPECT_TRUE(ParseNoteData("1000\n,\n0000\n,\n0100", 4, 200, 100).beyondLimits);
    EXPECT_FALSE(ParseNoteData("1000\n,\n0000\n,\n0000", 4, 200, 100).beyondLimits);
    const SmNoteData full = ParseNoteData("1111\n1111", 4, 1000, 6);
    EXPECT_TRUE(full.beyondLimits);
    EXPECT_EQ(full.notes.size(), 7u);
}

TEST(SmTiming, TempoStopsDelaysAndWarpsBecomeTheMap)
{
    std::vector<Reason> passedOver;
    SmTimingTags tags;
    tags.offset = "-0.1234";
    tags.bpms = "0.000=150, 4.5=300 ,junk, 8=0, 8.0104=75";
    tags.stops = "2=0.25";
    tags.delays = "3=0.1";
    tags.warps = "10=2";
    const SmTiming timing = ReadTiming(tags, false, passedOver);
    EXPECT_EQ(timing.gap, 123);
    const std::vector<CTempoEvent> expected{CTempoChange{0, 150.0f},  CStop{96, 250.0},
                                            CDelay{144, 100.0},       CTempoChange{216, 300.0f},
                                            CTempoChange{384, 75.0f}, CWarp{480, 96}};
    EXPECT_EQ(timing.tempo.events(), expected);
    ASSERT_EQ(passedOver.size(), 2u);
    EXPECT_EQ(passedOver[0].id(), IDS_REASON_SM_BAD_ENTRY);

    // In an .sm a negative tempo runs back until a positive one catches up: StepMania reads
    // it as a warp over the beats gone back and the beats it takes to return.
    passedOver.clear();
    tags = {};
    tags.bpms = "0=120,4=-60,5=120";
    tags.stops = "8=-0.5";
    const std::vector<CTempoEvent> warped{CTempoChange{0, 120.0f}, CWarp{192, 3 * 48},
                                          CTempoChange{240, 120.0f}, CWarp{384, 48}};
    EXPECT_EQ(ReadTiming(tags, true, passedOver).tempo.events(), warped);
    EXPECT_TRUE(passedOver.empty());

    tags.bpms = "1=-5";
    EXPECT_THROW(ReadTiming(tags, true, passedOver), FileFormatError);
    tags.bpms = "0=120";
    tags.stops = "4=4000";
    EXPECT_THROW(ReadTiming(tags, false, passedOver), FileFormatError); // over an hour
}

TEST(SmFile, ReadsSongTagsAndTheChartsOfBothLayouts)
{
    const SmFileText sm = ReadText("#TITLE:Song;#ARTIST: Me ;#MUSIC:song.ogg;#OFFSET:0.5;\n"
                                   "#BPMS:0=140;\n#NOTES:\n dance-single:\n Author:\n Hard:\n 9:\n"
                                   " 0,0,0,0,0:\n1000\n;\n",
                                   false);
    EXPECT_EQ(sm.title, "Song");
    EXPECT_EQ(sm.artist, "Me");
    EXPECT_EQ(sm.music, "song.ogg");
    EXPECT_EQ(sm.timing.offset, "0.5");
    ASSERT_EQ(sm.charts.size(), 1u);
    EXPECT_EQ(sm.charts[0].stepsType, "dance-single");
    EXPECT_EQ(sm.charts[0].difficulty, "Hard");
    EXPECT_EQ(sm.charts[0].meter, 9);
    EXPECT_EQ(sm.charts[0].noteData, "\n1000\n");

    const SmFileText ssc
        = ReadText("#VERSION:0.83;#BPMS:0=140;\n#NOTEDATA:;\n#STEPSTYPE:dance-double;"
                   "#DIFFICULTY:Edit;#DESCRIPTION:Mine;#METER:12;#BPMS:0=70;"
                   "#NOTES:\n00000000\n;\n#NOTEDATA:;#STEPSTYPE:dance-single;",
                   true);
    ASSERT_EQ(ssc.charts.size(), 2u);
    EXPECT_EQ(ssc.charts[0].stepsType, "dance-double");
    EXPECT_EQ(ssc.charts[0].description, "Mine");
    EXPECT_EQ(ssc.charts[0].meter, 12);
    EXPECT_EQ(ssc.charts[0].ownTiming.bpms, "0=70");
    EXPECT_TRUE(ssc.charts[1].ownTiming.empty());

    // CP932 where the bytes are no UTF-8.
    const std::vector<std::uint8_t> cp932{'#', 'T', 'I', 'T', 'L', 'E', ':', 0x8B, 0xC8, ';'};
    EXPECT_EQ(ReadSmFile(cp932, false).title, "曲");
    EXPECT_THROW(ReadText("just words", false), FileFormatError);
    EXPECT_THROW(ReadSmFile(std::vector<std::uint8_t>{'#', 'B', 'P', 'M', 'S', 0}, false),
                 FileFormatError);
}

TEST(SmFile, TheSharedChartsReadWithTheirTimingAndNotes)
{
    const auto ants = test::SharedTestData("sm/Bhop Ball/[T07] Ants (No CMOD)/02 Ants.sm");
    ZELVANE_REQUIRE_SHARED(ants);
    const SmFileText file = ReadSmFile(ReadWholeFile(ants, kMaxChartFileBytes), false);
    std::vector<Reason> passedOver;
    const SmTiming timing = ReadTiming(file.timing, true, passedOver);
    EXPECT_TRUE(passedOver.empty());
    EXPECT_EQ(timing.gap, -12);
    // 188 tempos and 83 stops, each at a clock of its own.
    EXPECT_EQ(timing.tempo.events().size(), 188u + 83u);
    EXPECT_EQ(timing.tempo.songBpm(), 140.0f);
    EXPECT_EQ(timing.tempo.TempoAt(1668), 105.0f); // beat 34.75
    EXPECT_EQ(timing.tempo.TempoAt(9477), 420.0f); // beat 197.438
    ASSERT_EQ(file.charts.size(), 1u);
    const SmNoteData notes = ParseNoteData(file.charts[0].noteData, 4, 1 << 22, 65535);
    EXPECT_EQ(notes.notes.size(), 566u);
    EXPECT_EQ(std::count_if(notes.notes.begin(), notes.notes.end(),
                            [](const SmNote& note) { return note.length > 0; }),
              45 + 6);
    EXPECT_EQ(notes.leftOut.mines, 39);

    // Every shared file reads, its timing and every chart's notes.
    std::size_t files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(test::SharedTestData("sm"))) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".sm" && extension != ".ssc")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().string());
        const SmFileText song
            = ReadSmFile(ReadWholeFile(entry.path(), kMaxChartFileBytes), extension == ".ssc");
        std::vector<Reason> reasons;
        EXPECT_NO_THROW(ReadTiming(song.timing, extension == ".sm", reasons));
        EXPECT_FALSE(song.charts.empty());
        for (const SmChartText& chart : song.charts) {
            const std::int32_t columns = chart.stepsType == "dance-double" ? 8 : 4;
            EXPECT_FALSE(ParseNoteData(chart.noteData, columns, 1 << 22, 65535).beyondLimits);
        }
    }
    EXPECT_EQ(files, 39u);
}
