#include "CliTestSupport.h"
#include "TestData.h"
#include "chart/StepDocument.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane::test;

namespace {

std::filesystem::path Temp(const std::string& name)
{
    return UniqueTempPath("cli-" + name);
}

std::filesystem::path Mannequin()
{
    return ProjectFile("resources/mannequin/mannequin.pmd");
}

// A small chart of every style, written as a DWI file the way players write them.
std::filesystem::path WriteChart()
{
    const auto path = Temp("chart.dwi");
    std::ofstream(path, std::ios::binary) << "#TITLE:テスト;\r\n#BPM:150;\r\n#GAP:100;\r\n"
                                             "#GENRE:x;\r\n#FOO:y;\r\n"
                                             "#SINGLE:BASIC:3:2468(2468)2!24000000;\r\n"
                                             "#COUPLE:MANIAC:9:8426:2684;\r\n";
    return path;
}

} // namespace

TEST(CliCommands, InfoReadsADwiWithItsErrors)
{
    const auto chart = WriteChart();
    const CommandResult result = RunCli("info --json " + Quoted(chart));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["title"], "テスト");
    EXPECT_EQ(json["bpm"], 150.0);
    EXPECT_EQ(json["gap"], 100);
    // A tag that does not change the dance is named only when asked for.
    EXPECT_EQ(json["errors"], nlohmann::json::parse(R"(["tags not supported, passed over: FOO"])"));
    const CommandResult verbose = RunCli("info --json --verbose " + Quoted(chart));
    EXPECT_EQ(nlohmann::json::parse(verbose.out)["errors"],
              nlohmann::json::parse(R"(["tags not supported, passed over: GENRE, FOO"])"));
    ASSERT_EQ(json["scores"].size(), 2u);
    EXPECT_EQ(json["scores"][1]["style"], "COUPLE");
    EXPECT_EQ(json["scores"][1]["notes"].size(), 8u);
    std::filesystem::remove(chart);
}

// What a DWI file holds that cannot be read is said once, in English, on standard error: the
// tags on one line, then every other problem with its line.
TEST(CliCommands, ReadErrorsAreWarnedOnceInEnglish)
{
    const auto chart = Temp("warned.dwi");
    std::ofstream(chart, std::ios::binary)
        << "#CDTITLE:a;\r\n#SOLO:BASIC:1:8;\r\n#SINGLE:BASIC:1:2Z2;\r\n#SOLO:X:1:8;\r\n#BPM:0;";
    const auto out = Temp("warned.zlvm");
    const std::string prefix = "zelvane-cli: warning: " + chart.string() + ": ";
    for (const bool verbose : {false, true}) {
        const CommandResult result = RunCli("convert " + std::string(verbose ? "--verbose " : "")
                                            + Quoted(chart) + " " + Quoted(out));
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err,
                  prefix + "tags not supported, passed over: " + (verbose ? "CDTITLE, " : "")
                      + "SOLO\n" + prefix + "line 3: 'Z' is not a chart character\n" + prefix
                      + "line 5: the tempo \"0\" is not a number above 0\n");
    }
    std::filesystem::remove(chart);
    std::filesystem::remove(out);
}

TEST(CliCommands, ConvertRoundTripsThroughBothFormats)
{
    const auto chart = WriteChart();
    const auto document = Temp("converted.zlvm");
    const auto back = Temp("converted.dwi");
    ASSERT_EQ(RunCli("convert " + Quoted(chart) + " " + Quoted(document)).status, 0);
    ASSERT_EQ(RunCli("convert " + Quoted(document) + " " + Quoted(back)).status, 0);
    const auto original = nlohmann::json::parse(RunCli("info --json " + Quoted(chart)).out);
    const auto converted = nlohmann::json::parse(RunCli("info --json " + Quoted(back)).out);
    EXPECT_EQ(converted["scores"], original["scores"]);
    EXPECT_EQ(converted["title"], original["title"]);
    EXPECT_TRUE(converted["errors"].empty());
    const CommandResult wrong = RunCli("convert " + Quoted(chart) + " out.txt");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("expected .dwi or .zlvm"), std::string::npos);
    for (const auto& path : {chart, document, back})
        std::filesystem::remove(path);
}

TEST(CliCommands, MotionWritesAVmdAndPoseReadsIt)
{
    const auto chart = WriteChart();
    const auto motion = Temp("dance.vmd");
    const CommandResult made = RunCli("motion " + Quoted(chart)
                                      + " --style couple --difficulty MANIAC --player 2 --model "
                                      + Quoted(Mannequin()) + " -o " + Quoted(motion));
    ASSERT_EQ(made.status, 0) << made.err;
    const auto vmd = nlohmann::json::parse(RunCli("info --json " + Quoted(motion)).out);
    ASSERT_FALSE(vmd["bones"].empty());
    EXPECT_EQ(vmd["bones"][0]["interpolation"].size(), 16u);
    bool centerAtZero = false;
    for (const auto& key : vmd["bones"])
        centerAtZero |= key["name"] == "センター" && key["frame"] == 0;
    EXPECT_TRUE(centerAtZero);

    // Posing by the written motion and by the chart's own dance agree.
    const CommandResult byMotion
        = RunCli("pose --json " + Quoted(Mannequin()) + " " + Quoted(motion) + " --frame 40");
    const CommandResult byChart
        = RunCli("pose --json " + Quoted(Mannequin()) + " --chart " + Quoted(chart)
                 + " --style COUPLE --difficulty MANIAC --player 2 --frame 37");
    ASSERT_EQ(byMotion.status, 0) << byMotion.err;
    ASSERT_EQ(byChart.status, 0) << byChart.err;
    const auto a = nlohmann::json::parse(byMotion.out);
    const auto b = nlohmann::json::parse(byChart.out);
    ASSERT_EQ(a["bones"].size(), b["bones"].size());
    // The gap of 100 ms moves the exported motion by 3 frames.
    for (std::size_t i = 0; i < a["bones"].size(); ++i)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(a["bones"][i]["position"][axis].get<double>(),
                        b["bones"][i]["position"][axis].get<double>(), 1e-4)
                << a["bones"][i]["name"];
    std::filesystem::remove(chart);
    std::filesystem::remove(motion);
}

TEST(CliCommands, MotionRefusesWhatItCannotDo)
{
    const auto chart = WriteChart();
    const std::string base = "motion " + Quoted(chart) + " -o " + Quoted(Temp("never.vmd"));
    const CommandResult noChart = RunCli(base + " --style DOUBLE --difficulty BASIC");
    EXPECT_EQ(noChart.status, 1);
    EXPECT_NE(noChart.err.find("the file has: SINGLE BASIC, COUPLE MANIAC"), std::string::npos)
        << noChart.err;
    EXPECT_EQ(RunCli(base + " --style SINGLE --difficulty BASIC --player 2").status, 1);
    EXPECT_EQ(RunCli(base + " --style SINGLE --difficulty BASIC --panel-size 0").status, 1);
    EXPECT_EQ(RunCli(base + " --style TRIPLE --difficulty BASIC").status, 1);
    const CommandResult badModel
        = RunCli(base + " --style SINGLE --difficulty BASIC --model " + Quoted(chart));
    EXPECT_EQ(badModel.status, 1);
    EXPECT_NE(badModel.err.find("cannot use the model"), std::string::npos) << badModel.err;
    EXPECT_FALSE(std::filesystem::exists(Temp("never.vmd")));

    // A chart beyond the chart limits is refused on reading, with one line saying why,
    // rather than danced until memory runs out.
    const auto slow = Temp("slow.dwi");
    std::ofstream(slow, std::ios::binary) << "#BPM:0.001;\r\n#SINGLE:BASIC:1:02;\r\n";
    const CommandResult tooLong
        = RunCli("motion " + Quoted(slow) + " --style SINGLE --difficulty BASIC -o "
                 + Quoted(Temp("never.vmd")));
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.err.find("two hours"), std::string::npos) << tooLong.err;
    EXPECT_EQ(std::count(tooLong.err.begin(), tooLong.err.end(), '\n'), 1) << tooLong.err;
    EXPECT_FALSE(std::filesystem::exists(Temp("never.vmd")));
    std::filesystem::remove(slow);
    std::filesystem::remove(chart);
}

// With --model the document's own model is never opened: a missing one goes unmentioned.
TEST(CliCommands, MotionReadsOnlyTheModelItIsGiven)
{
    const auto document = Temp("modelled.zlvm");
    {
        zelvane::CStepDocument written;
        written.NewDocument();
        written.SetDancesCharts(false);
        written.currentScore()->InsertNote(
            std::make_unique<zelvane::CNote>(zelvane::CNote{0, 1, 0}));
        written.SetModel("/nowhere/gone.pmd");
        written.UpdateAllScores();
        written.SaveDocument(document);
    }
    const auto motion = Temp("modelled.vmd");
    const std::string base
        = "motion " + Quoted(document) + " --style SINGLE --difficulty BASIC -o " + Quoted(motion);
    const CommandResult given = RunCli(base + " --model " + Quoted(Mannequin()));
    ASSERT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(given.err.find("gone.pmd"), std::string::npos) << given.err;
    EXPECT_TRUE(std::filesystem::exists(motion));
    // Without it the document's model is looked for, and its absence said.
    const CommandResult own = RunCli(base);
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_NE(own.err.find("gone.pmd"), std::string::npos) << own.err;
    std::filesystem::remove(document);
    std::filesystem::remove(motion);
}
