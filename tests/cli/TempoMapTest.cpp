#include "CliTestSupport.h"
#include "chart/StepDocument.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// A document whose map holds every kind of event, saved where the tool can read it.
std::filesystem::path WriteMappedDocument(const std::string& name)
{
    const auto path = Temp(name);
    CStepDocument document;
    document.NewDocument();
    CTempoMap map(140.0f);
    EXPECT_TRUE(map.Add(std::vector<CTempoEvent>{CTempoChange{48, 70.5f}, CStop{1920, 53.0},
                                                 CDelay{97, 2.5}, CWarp{300, 12}})
                    .empty());
    document.SetTempoMap(map);
    Add(*document.scores().current(), {{0, 1, 0}, {96, 0, 0}, {384, 3, 0}});
    document.SaveDocument(path);
    return path;
}

} // namespace

// "tempo" is always there, its first change the song's tempo; the text lists a map event by
// event after everything it printed before, and a song of one tempo adds nothing.
TEST(CliTempoMap, InfoShowsTheMapAsJsonAndAsLines)
{
    const auto mapped = WriteMappedDocument("mapped.zlvm");
    const nlohmann::json json = InfoJson(mapped);
    EXPECT_EQ(json["tempo"], nlohmann::json::parse(R"({
        "changes": [{"clock": 0, "bpm": 140.0}, {"clock": 48, "bpm": 70.5}],
        "stops": [{"clock": 1920, "ms": 53.0}],
        "delays": [{"clock": 97, "ms": 2.5}],
        "warps": [{"clock": 300, "length": 12}]})"));
    EXPECT_EQ(json["tempo"]["changes"][0]["bpm"], json["bpm"]);

    const CommandResult text = RunCli("info " + Quoted(mapped));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("bpm:    140\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(" clocks\ntempo map: 5 events\n  clock 0: tempo 140 BPM\n"
                            "  clock 48: tempo 70.5 BPM\n  clock 97: delay 2.5 ms\n"
                            "  clock 300: warp 12 clocks\n  clock 1920: stop 53 ms\n"),
              std::string::npos)
        << text.out;

    const auto plain = WriteTemp("plain.dwi", "#BPM:133.5;\r\n#SINGLE:BASIC:1:2;\r\n");
    EXPECT_EQ(InfoJson(plain)["tempo"], nlohmann::json::parse(R"({
        "changes": [{"clock": 0, "bpm": 133.5}], "stops": [], "delays": [], "warps": []})"));
    const CommandResult plainText = RunCli("info " + Quoted(plain));
    EXPECT_EQ(plainText.out.find("tempo map"), std::string::npos) << plainText.out;
}

// Writing a DWI leaves the warp out and says so once, the command still succeeding (how
// the rest of the map is written is the DWI suite's).
TEST(CliTempoMap, ConvertWarnsOnceAboutWarps)
{
    const auto mapped = WriteMappedDocument("warped.zlvm");
    const auto dwi = Temp("warped.dwi");
    const CommandResult written = RunCli("convert " + Quoted(mapped) + " " + Quoted(dwi));
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.err,
              "zelvane-cli: warning: " + dwi.string()
                  + ": a DWI file cannot hold warps or delays at clock 0; left out: "
                    "1 warp, 0 delays at clock 0 (every note is written)\n");
    EXPECT_TRUE(std::filesystem::exists(dwi));
}

// How fast a double step is depends on the time between its steps: a tempo change makes the
// same steps faster or slower, and nothing else of the dance.
TEST(CliTempoMap, StatsTimeTheStepsThroughTheMap)
{
    const auto source = SharedTestData("dwi/DIVE.dwi");
    ZELVANE_REQUIRE_SHARED(source);
    const std::vector<std::uint8_t> bytes = ReadWholeFile(source, kMaxChartFileBytes);
    const std::string chart(bytes.begin(), bytes.end());
    const auto stats = [&chart](const std::string& name, const std::string& tags) {
        const auto path = WriteTemp(name, chart + "\r\n" + tags + "\r\n");
        return CliJson("stats --json " + Quoted(path) + " --style SINGLE --difficulty BASIC")
            .value("/dancers/0"_json_pointer, nlohmann::json());
    };
    nlohmann::json song = stats("dive.dwi", "");
    nlohmann::json slower = stats("dive-slower.dwi", "#CHANGEBPM:64=80;");
    nlohmann::json faster = stats("dive-faster.dwi", "#CHANGEBPM:64=400;");
    ASSERT_FALSE(song.is_null() || slower.is_null() || faster.is_null());
    const int fastAtSongTempo = song["fastDoubleSteps"];
    EXPECT_GT(song["doubleSteps"].get<int>(), fastAtSongTempo);
    EXPECT_LT(slower["fastDoubleSteps"].get<int>(), fastAtSongTempo);
    EXPECT_EQ(faster["fastDoubleSteps"], faster["doubleSteps"]);
    for (nlohmann::json* dancer : {&song, &slower, &faster})
        dancer->erase("fastDoubleSteps");
    EXPECT_EQ(slower, song);
    EXPECT_EQ(faster, song);
}
