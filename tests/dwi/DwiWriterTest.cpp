#include "DwiTestSupport.h"

#include "dwi/DwiWriter.h"

#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// Every song lasts as long as the test says, so a score's length can be set by its audio.
struct FixedLengthAudio : IAudioMeasurer {
    std::int32_t ms;
    explicit FixedLengthAudio(std::int32_t ms)
        : ms(ms)
    {
    }
    AudioMeasurement Measure(const std::filesystem::path&) override { return {true, ms, ""}; }
};

std::string Text(const CStepDocument& document, const std::filesystem::path& path = "/d/x.dwi")
{
    const auto bytes = DwiBytes(document, path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(DwiWriter, SettingsLinesAndStepChoicePerMeasure)
{
    CStepDocument document;
    document.NewDocument();
    document.SetArtist("ア;ー");
    document.SetBpm(150.5f);
    document.SetGap(-20);
    EXPECT_EQ(Text(document),
              "#TITLE:;\r\n#ARTIST:ア；ー;\r\n#FILE:;\r\n#BPM:150.500;\r\n#GAP:-20;\r\n"
              "#SINGLE:BASIC::\r\n;\r\n");

    const std::pair<std::vector<CNote>, std::string> cases[] = {
        {{{0, 1, 0}, {12, 0, 0}}, "(2400000000000000)\r\n"},
        {{{0, 1, 48}}, "2!20200000\r\n"}, // the end at 48 adds no measure
        // 16 is a 24th; the lone tap at the very end gets a measure of its own.
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
}

TEST(DwiWriter, BlocksAndLengths)
{
    TempFolder folder;
    const auto song = folder.Write("music/song.wav", "x");
    FixedLengthAudio twoSeconds(2000); // one measure at 120 BPM
    CStepDocument document(nullptr, &twoSeconds);
    document.NewDocument();
    document.SetAudio(song.string());
    Add(*document.scores().front(), {{0, 1, 200}});
    Add(*document.FindOrCreateScore(Style::DOUBLE, "BASIC"), {{0, 0, 0}, {0, 7, 0}});

    const std::string text = Text(document, folder.path() / "out.dwi");
    // The song lies below the chart's folder: its path is written relative to it.
    EXPECT_NE(text.find("#FILE:music/song.wav;\r\n"), std::string::npos);
    // Length 200 takes two measures; the freeze ends on a 24th of the second.
    EXPECT_NE(
        text.find("#SINGLE:BASIC::\r\n2!20000000\r\n[02" + std::string(22, '0') + "]\r\n;\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("#DOUBLE:BASIC::\r\n40000000\r\n:60000000\r\n;\r\n"), std::string::npos);
    EXPECT_EQ(Text(document, "/elsewhere/out.dwi").find("#FILE:" + song.string() + ";"), 21u);

    CStepDocument silent;
    silent.NewDocument();
    silent.FindOrCreateScore(Style::COUPLE, "MANIAC");
    EXPECT_NE(Text(silent).find("#COUPLE:MANIAC::\r\n:;\r\n"), std::string::npos);
}
