#include "DwiTestSupport.h"

#include "dwi/DwiReader.h"
#include "dwi/DwiWriter.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// Everything the writer writes, as one value to compare after reading it back.
auto Contents(const CStepDocument& document)
{
    std::vector<std::tuple<int, std::string, Notes>> scores;
    for (const auto& score : document.scores())
        scores.emplace_back(int(score->style()), score->difficulty(), SortedNotesOf(*score));
    return std::tuple(document.description().title, document.description().artist,
                      document.tempoMap().songBpm(), document.description().gap,
                      document.audio().path, scores);
}

// Every song lasts as long as the test says, so a score's length can be set by its audio.
struct FixedLengthAudio : IAudioMeasurer {
    std::int32_t ms;
    explicit FixedLengthAudio(std::int32_t ms)
        : ms(ms)
    {
    }
    AudioMeasurement Measure(const std::filesystem::path&) override { return {true, ms, {}}; }
};

std::string Text(const CStepDocument& document, const std::filesystem::path& path = "/d/x.dwi")
{
    const auto bytes = DwiBytes(document, path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

// The settings lines, then for each measure the finest step its notes need; a freeze's end
// adds no measure, a tap at the very end one of its own, and a song one as long as it is.
TEST(DwiWriter, SettingsLinesStepChoicePerMeasureBlocksAndLengths)
{
    TempFolder folder;
    const auto song = folder.Write("music/song.wav", "x");
    FixedLengthAudio twoSeconds(2000); // one measure at 120 BPM
    CStepDocument document({nullptr, &twoSeconds});
    document.NewDocument();
    document.SetDescription({"", "ア;ー", -20});
    document.SetBpm(150.5f);
    EXPECT_EQ(Text(document),
              "#TITLE:;\r\n#ARTIST:ア；ー;\r\n#FILE:;\r\n#BPM:150.500;\r\n#GAP:-20;\r\n"
              "#SINGLE:BASIC::\r\n;\r\n");

    const std::pair<std::vector<CNote>, std::string> cases[] = {
        {{{0, 1, 0}, {12, 0, 0}}, "(2400000000000000)\r\n"},
        {{{0, 1, 48}}, "2!20200000\r\n"},
        // 16 is a 24th.
        {{{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {16, 3, 0}, {192, 0, 0}},
         "[<81>06" + std::string(21, '0') + "]\r\n40000000\r\n"},
        {{{3, 1, 0}, {192 + 48, 1, 0}, {384 + 4, 3, 0}, {599, 2, 0}},
         "{02" + std::string(62, '0') + "}\r\n00200000\r\n`" + std::string(4, '0') + "6"
             + std::string(187, '0') + "'\r\n`" + std::string(23, '0') + "8" + std::string(168, '0')
             + "'\r\n"},
    };
    for (const auto& [notes, chart] : cases) {
        document.NewDocument();
        Add(*document.scores().front(), notes);
        const std::string text = Text(document);
        EXPECT_EQ(text.substr(text.find("::\r\n") + 4), chart + ";\r\n");
    }

    document.NewDocument();
    document.SetAudio(song.string());
    Add(*document.scores().front(), {{0, 1, 200}});
    Add(*document.scores().FindOrCreate(Style::DOUBLE, "BASIC"), {{0, 0, 0}, {0, 7, 0}});
    const std::string text = Text(document, folder / "out.dwi");
    // The song lies below the chart's folder: its path is written relative to it.
    EXPECT_NE(text.find("#FILE:music/song.wav;\r\n"), std::string::npos);
    // Length 200 takes two measures; the freeze ends on a 24th of the second.
    EXPECT_NE(
        text.find("#SINGLE:BASIC::\r\n2!20000000\r\n[02" + std::string(22, '0') + "]\r\n;\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("#DOUBLE:BASIC::\r\n40000000\r\n:60000000\r\n;\r\n"), std::string::npos);
    EXPECT_EQ(Text(document, "/elsewhere/out.dwi").find("#FILE:" + song.string() + ";"), 21u);

    document.NewDocument();
    document.scores().FindOrCreate(Style::COUPLE, "MANIAC");
    EXPECT_NE(Text(document).find("#COUPLE:MANIAC::\r\n:;\r\n"), std::string::npos);
}

TEST(DwiRoundTrip, EveryStepSizeFreezeAndBlockReadsBackWhole)
{
    TempFolder folder;
    const auto song = folder.Write("audio/曲.mp3", "x");
    CStepDocument document;
    document.NewDocument();
    document.SetDescription({"踊る; title", "アーティスト", -37});
    document.SetBpm(155.5f);
    document.SetAudio(song.string());

    // One measure per step size, then freezes of one to four panels, one of them ending
    // where another panel is tapped, and a tap at the very end of the chart.
    Add(*document.scores()[0], {{0, 1, 0}, {24, 0, 0}, {192 + 12, 3, 0}, {384 + 8, 2, 0}});
    Add(*document.scores()[0], {{576 + 3, 1, 0}, {768 + 1, 0, 0}, {768 + 190, 3, 0}});
    Add(*document.scores()[0], {{960, 1, 96}, {1152, 0, 48}, {1152, 3, 48}, {1200, 1, 0}});
    Add(*document.scores()[0], {{1344, 0, 24}, {1344, 1, 24}, {1344, 2, 24}, {1440, 0, 7}});
    Add(*document.scores()[0], {{1440, 1, 7}, {1440, 2, 7}, {1440, 3, 7}, {1536, 2, 0}});
    Add(*document.scores().FindOrCreate(Style::DOUBLE, "鬼"),
        {{0, 0, 0}, {0, 7, 0}, {12, 4, 36}, {48, 5, 0}, {96, 1, 3}, {100, 6, 0}});
    Add(*document.scores().FindOrCreate(Style::COUPLE, "ANOTHER"),
        {{0, 2, 0}, {0, 6, 0}, {24, 0, 192}, {24, 4, 192}, {216, 7, 0}});

    const auto path = folder / "out.dwi";
    WriteDwi(document, path);
    CStepDocument read;
    EXPECT_EQ(ImportDwi(read, path).errors, "");
    document.SetDescription(
        {"踊る； title", document.description().artist,
         document.description().gap}); // a ";" inside a value is written as its full-width form
    EXPECT_EQ(Contents(read), Contents(document));
    // The written file is a fixed point: writing what was read gives the same bytes.
    EXPECT_EQ(DwiBytes(read, path), ReadWholeFile(path, kMaxChartFileBytes));
}

TEST(DwiRoundTrip, EveryPrefixOfAFileImportsSoundly)
{
    const std::string text
        = "#TITLE:t;\r\n#BPM:140;\r\n#SINGLE:BASIC:3:2!20(48)<19>!<19>0<64!4>0B;\r\n"
          "#DOUBLE:MANIAC:7:{48}`2'!2:6:[A]9;\r\n#COUPLE:X:1:8!8<>:2";
    // Until its first tag has its value the text is no DWI file yet.
    const std::size_t firstTag = text.find(';') + 1;
    for (std::size_t size = 0; size <= text.size(); ++size) {
        CStepDocument document;
        const std::string_view prefix = std::string_view(text).substr(0, size);
        if (size < firstTag) {
            EXPECT_THROW(ImportText(document, prefix), NotDwiFileError) << size;
            continue;
        }
        ImportText(document, prefix);
        ASSERT_FALSE(document.scores().empty());
        EXPECT_EQ(document.scores().current(), document.scores().front().get());
        for (const auto& score : document.scores())
            for (const auto& note : score->notes()) {
                EXPECT_TRUE(score->HasPanel(note->panel)) << size;
                EXPECT_GE(note->length, 0) << size;
                EXPECT_LE(note->endClock(), score->length()) << size;
            }
    }
}
