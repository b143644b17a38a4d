#include "AviHeader.h"
#include "CliTestSupport.h"
#include "chart/StepDocument.h"

#include <algorithm>
#include <bit>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// A small chart of every style, written as a DWI file the way players write them.
std::filesystem::path WriteChart()
{
    return WriteTemp("chart.dwi",
                     "#TITLE:テスト;\r\n#BPM:150;\r\n#GAP:100;\r\n#GENRE:x;\r\n"
                     "#FOO:y;\r\n#SINGLE:BASIC:3:2468(2468)2!24000000;\r\n"
                     "#COUPLE:MANIAC:9:8426:2684;\r\n");
}

} // namespace

TEST(CliCommands, InfoReadsADwiAndConvertRoundTripsItThroughBothFormats)
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

    const auto document = Temp("converted.zlvm");
    const auto back = Temp("converted.dwi");
    ASSERT_EQ(RunCli("convert " + Quoted(chart) + " " + Quoted(document)).status, 0);
    ASSERT_EQ(RunCli("convert " + Quoted(document) + " " + Quoted(back)).status, 0);
    const auto converted = nlohmann::json::parse(RunCli("info --json " + Quoted(back)).out);
    EXPECT_EQ(converted["scores"], json["scores"]);
    EXPECT_EQ(converted["title"], json["title"]);
    EXPECT_TRUE(converted["errors"].empty());
    for (const auto& path : {chart, document, back})
        std::filesystem::remove(path);
}

TEST(CliInfo, PrintsTheDocumentAsJson)
{
    const auto path = Temp("info.zlvm");
    {
        CStepDocument document;
        document.NewDocument();
        document.SetTitle("曲名");
        document.SetBpm(133.33f);
        document.SetGap(-40);
        // A path stored by another system need not be UTF-8.
        document.SetAudio("/nowhere/song\xFF.mp3");
        document.currentScore()->InsertNote(std::make_unique<CNote>(CNote{96, 3, 0}));
        document.currentScore()->InsertNote(std::make_unique<CNote>(CNote{0, 1, 48}));
        CScore* couple = document.FindOrCreateScore(Style::COUPLE, "MANIAC");
        couple->InsertNote(std::make_unique<CNote>(CNote{0, 6, 0}));
        couple->players()[1]->SetMotionPath("two.vmd");
        document.UpdateAllScores();
        document.SaveDocument(path);
    }
    const CommandResult result = RunCli("info --json " + Quoted(path));
    ASSERT_EQ(result.status, 0) << result.err;
    // The song is missing here: a warning, the path kept.
    EXPECT_NE(result.err.find("warning"), std::string::npos);
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["title"], "曲名");
    EXPECT_EQ(std::bit_cast<std::uint32_t>(json["bpm"].get<float>()),
              std::bit_cast<std::uint32_t>(133.33f));
    EXPECT_EQ(json["gap"], -40);
    EXPECT_EQ(json["audioPath"], "/nowhere/song\uFFFD.mp3");
    EXPECT_EQ(json["twist"], true);
    EXPECT_EQ(json["backgroundColor"], 0xFFFFFF);
    ASSERT_EQ(json["scores"].size(), 2u);
    EXPECT_EQ(json["scores"][0]["style"], "SINGLE");
    EXPECT_EQ(json["scores"][0]["length"], 96);
    EXPECT_EQ(json["scores"][0]["notes"], nlohmann::json::parse("[[0,1,48],[96,3,0]]"));
    EXPECT_EQ(json["scores"][1]["motionPaths"], nlohmann::json::parse(R"(["", "two.vmd"])"));
    EXPECT_TRUE(json["errors"].empty());

    const CommandResult summary = RunCli("info " + Quoted(path));
    EXPECT_EQ(summary.status, 0);
    EXPECT_NE(summary.out.find("COUPLE MANIAC: 1 notes"), std::string::npos) << summary.out;
    std::filesystem::remove(path);
}

// What a DWI file holds that cannot be read is said once, in English, on standard error: the
// tags on one line, then every other problem with its line.
TEST(CliCommands, ReadErrorsAreWarnedOnceInEnglish)
{
    const auto chart = WriteTemp(
        "warned.dwi",
        "#CDTITLE:a;\r\n#SOLO:BASIC:1:8;\r\n#SINGLE:BASIC:1:2Z2;\r\n#SOLO:X:1:8;\r\n#BPM:0;");
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

// What a command cannot do it refuses with status 1 (2 for a command line it cannot parse),
// saying why in one line on standard error, and writes nothing.
TEST(CliCommands, RefusalsAreOneLineAndWriteNothing)
{
    const auto chart = WriteVideoChart();
    // A chart beyond the chart limits is refused on reading rather than danced until memory
    // runs out.
    const auto slow = WriteTemp("slow.dwi", "#BPM:0.001;\r\n#SINGLE:BASIC:1:02;\r\n");
    const auto damaged = WriteTemp("damaged.zlvm", std::string("\x00\x02\xFF", 3));
    // A motion that claims 2^31 bone keys in a file of a few bytes.
    const auto huge = WriteTemp("huge.vmd",
                                "Vocaloid Motion Data 0002" + std::string(25, '\0')
                                    + std::string("\0\0\0\x80", 4));
    const auto never = Temp("never");
    const std::string motion = "motion " + Quoted(chart) + " -o " + Quoted(never);
    const std::string avi = "avi " + Quoted(chart) + " -o " + Quoted(never);
    const std::string single = " --style SINGLE --difficulty BASIC";
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {motion + " --style COUPLE --difficulty BASIC", 1,
         "the file has: SINGLE BASIC, DOUBLE BASIC"},
        {motion + single + " --player 2", 1, "--player must be 1"},
        {motion + single + " --panel-size 0", 1, "panel size"},
        {motion + " --style TRIPLE --difficulty BASIC", 1, "unknown style"},
        {motion + single + " --model " + Quoted(chart), 1, "cannot use the model"},
        {"motion " + Quoted(slow) + single + " -o " + Quoted(never), 1, "two hours"},
        {"info " + Quoted(damaged), 1, "damaged"},
        {"info " + Quoted(huge), 1, "damaged"},
        {"info /no/such/file.zlvm", 1, "No such file"},
        {"info notes.txt", 1, "cannot tell what"},
        {"info", 2, "FILE is required"},
        {"convert " + Quoted(chart) + " out.txt", 1, "expected .dwi or .zlvm"},
        {avi + " --style COUPLE --difficulty BASIC", 1, "the file has: SINGLE BASIC"},
        {avi + " --style DOUBLE --difficulty BASIC", 1, "is empty"},
        {avi + single + " --codec nonesuch", 1, "available: rawvideo"},
        {avi + single + " --screen-color red", 1, "RRGGBB"},
        {"avi " + Quoted(chart) + single + " -o " + Quoted(Temp("missing") / "x.avi"), 1, "x.avi"},
        {"avi " + Quoted(chart) + single, 2, "-o"},
        {avi + single + " --quality 101", 2, "quality"},
    };
    for (const auto& entry : cases) {
        const CommandResult result = RunCli(entry.arguments);
        EXPECT_EQ(result.status, entry.status) << entry.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(entry.says), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << entry.arguments;
        if (entry.status == 1) {
            EXPECT_EQ(result.err.rfind("zelvane-cli: error: ", 0), 0u) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(never));
    for (const auto& path : {chart, slow, damaged, huge})
        std::filesystem::remove(path);
}

// With --model the document's own model is never opened: a missing one goes unmentioned.
TEST(CliCommands, MotionReadsOnlyTheModelItIsGiven)
{
    const auto document = Temp("modelled.zlvm");
    {
        CStepDocument written;
        written.NewDocument();
        written.SetDancesCharts(false);
        written.currentScore()->InsertNote(std::make_unique<CNote>(CNote{0, 1, 0}));
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

TEST(CliAvi, WritesTheChartScreenWithTheChosenEncoder)
{
    const auto chart = WriteVideoChart();
    const auto raw = Temp("raw.avi");
    const CommandResult result
        = RunCli("avi " + Quoted(chart) + " --style SINGLE --difficulty BASIC -o " + Quoted(raw));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(AviTotalFrames(raw), 8u);
    // Uncompressed frames of 640 x 480 x 3 bytes, and a header and index besides.
    EXPECT_GT(std::filesystem::file_size(raw), 8u * 921600u);
    EXPECT_LT(std::filesystem::file_size(raw), 9u * 921600u);

    const CommandResult codecs = RunCli("avi --list-codecs");
    ASSERT_EQ(codecs.status, 0) << codecs.err;
    EXPECT_EQ(codecs.out.rfind("rawvideo\t", 0), 0u) << codecs.out;
    EXPECT_NE(codecs.out.find("\nutvideo\t"), std::string::npos) << codecs.out;

    const auto compressed = Temp("ut.avi");
    ASSERT_EQ(
        RunCli("avi " + Quoted(chart)
               + " --style SINGLE --difficulty BASIC --codec utvideo --screen-color 336699 -o "
               + Quoted(compressed))
            .status,
        0);
    EXPECT_EQ(AviTotalFrames(compressed), 8u);
    EXPECT_LT(std::filesystem::file_size(compressed), std::filesystem::file_size(raw) / 4);
    for (const auto& path : {chart, raw, compressed})
        std::filesystem::remove(path);
}
