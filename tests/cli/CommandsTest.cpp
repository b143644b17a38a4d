#include "AviHeader.h"
#include "CliTestSupport.h"
#include "ZelvaneVersion.h"
#include "chart/StepDocument.h"
#include "chart/ZlvmFile.h"
#include "text/FileIo.h"

#include <algorithm>
#include <bit>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// At 120 BPM a step on the second eighth ends the chart at clock 24, frame 7: the video
// holds frames 0 to 7. A step on the first alone makes a chart of no length.
std::filesystem::path WriteVideoChart()
{
    return WriteTemp("video.dwi",
                     "#TITLE:Video;\r\n#BPM:120;\r\n"
                     "#SINGLE:BASIC:1:02;\r\n#DOUBLE:BASIC:1:2;\r\n");
}

std::filesystem::path Dwi(const std::string& name)
{
    return SharedTestData("dwi/" + name);
}

} // namespace

TEST(CliCommands, InfoPrintsTheDocumentAsJsonAndAsASummary)
{
    const auto path = Temp("info.zlvm");
    {
        CStepDocument document;
        document.NewDocument();
        document.SetDescription({"曲名", "", -40});
        document.SetBpm(133.33f);
        // A path stored by another system need not be UTF-8.
        document.SetAudio("/nowhere/song\xFF.mp3");
        Add(*document.scores().current(), {{96, 3, 0}, {0, 1, 48}});
        CScore* couple = document.scores().FindOrCreate(Style::COUPLE, "MANIAC");
        Add(*couple, {{0, 6, 0}});
        couple->players()[1]->SetMotionPath("two.vmd");
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
    ASSERT_EQ(json["scores"].size(), 2u);
    EXPECT_EQ(json["scores"][0]["style"], "SINGLE");
    EXPECT_EQ(json["scores"][0]["length"], 96);
    EXPECT_EQ(json["scores"][0]["notes"], nlohmann::json::parse("[[0,1,48],[96,3,0]]"));
    EXPECT_EQ(json["scores"][1]["motionPaths"], nlohmann::json::parse(R"(["", "two.vmd"])"));
    const CommandResult summary = RunCli("info " + Quoted(path));
    EXPECT_EQ(summary.status, 0);
    EXPECT_NE(summary.out.find("COUPLE MANIAC: 1 notes"), std::string::npos) << summary.out;
}

// What a DWI file holds that cannot be read is said once, in English, on standard error: the
// tags on one line (those that do not change the dance only when asked), then every other
// problem with its line.
TEST(CliCommands, ReadErrorsAreWarnedOnceInEnglish)
{
    const auto chart = WriteTemp(
        "warned.dwi",
        "#CDTITLE:a;\r\n#SOLO:BASIC:1:8;\r\n#SINGLE:BASIC:1:2Z2;\r\n#SOLO:X:1:8;\r\n#BPM:0;");
    const std::string prefix = "zelvane-cli: warning: " + chart.string() + ": ";
    for (const bool verbose : {false, true}) {
        const CommandResult result = RunCli("convert " + std::string(verbose ? "--verbose " : "")
                                            + Quoted(chart) + " " + Quoted(Temp("warned.zlvm")));
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err,
                  prefix + "tags not supported, passed over: " + (verbose ? "CDTITLE, " : "")
                      + "SOLO\n" + prefix + "line 3: 'Z' is not a chart character\n" + prefix
                      + "line 5: the tempo \"0\" is not a number above 0\n");
    }
    // info lists the same sentences in its output.
    const auto json = InfoJson(chart);
    ASSERT_EQ(json["errors"].size(), 3u);
    EXPECT_EQ(json["errors"][0], "tags not supported, passed over: SOLO");
}

TEST(CliCommands, MotionWritesAVmdAndPoseReadsIt)
{
    const auto chart = WriteTemp("chart.dwi",
                                 "#BPM:150;\r\n#GAP:100;\r\n"
                                 "#COUPLE:MANIAC:9:8426:2684;\r\n");
    const auto motion = Temp("dance.vmd");
    const CommandResult made = RunCli("motion " + Quoted(chart)
                                      + " --style couple --difficulty MANIAC --player 2 --model "
                                      + Quoted(Mannequin()) + " -o " + Quoted(motion));
    ASSERT_EQ(made.status, 0) << made.err;
    const auto vmd = InfoJson(motion);
    ASSERT_FALSE(vmd["bones"].empty());

    // Posing by the written motion and by the chart's own dance agree.
    const auto a
        = CliJson("pose --json " + Quoted(Mannequin()) + " " + Quoted(motion) + " --frame 40");
    const auto b = CliJson("pose --json " + Quoted(Mannequin()) + " --chart " + Quoted(chart)
                           + " --style COUPLE --difficulty MANIAC --player 2 --frame 37");
    ASSERT_FALSE(a["bones"].empty());
    ASSERT_EQ(a["bones"].size(), b["bones"].size());
    // The gap of 100 ms moves the exported motion by 3 frames.
    for (std::size_t i = 0; i < a["bones"].size(); ++i)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(a["bones"][i]["position"][axis].get<double>(),
                        b["bones"][i]["position"][axis].get<double>(), 1e-4)
                << a["bones"][i]["name"];
}

// What a command cannot do it refuses with status 1 (2 for a command line it cannot parse),
// saying why in one line on standard error, and writes nothing. The readers' own refusals
// are their suites' to list: here one of each reader shows that it reaches the user.
TEST(CliCommands, RefusalsAreOneLineAndWriteNothing)
{
    const auto chart = WriteVideoChart();
    const auto slow = WriteTemp("slow.dwi", "#BPM:0.001;\r\n#SINGLE:BASIC:1:02;\r\n");
    const auto damaged = WriteTemp("damaged.zlvm", std::string("\x00\x02\xFF", 3));
    const auto cut = WriteTemp("cut.vmd", "Vocaloid Motion Data 0002");
    // A document without charts still has its empty SINGLE BASIC score.
    const auto noCharts = Temp("nocharts.zlvm");
    CStepDocument().SaveDocument(noCharts);
    const auto never = Temp("never.vmd");
    const auto neverVideo = Temp("never.avi");
    // Past the header and the vertex count, inside the first vertex.
    std::vector<std::uint8_t> model = ReadWholeFile(Mannequin(), kMaxModelFileBytes);
    model.resize(283 + 4 + 20);
    const auto cutModel = WriteTemp("cut.pmd", std::string(model.begin(), model.end()));
    const std::string motion = "motion " + Quoted(chart) + " -o " + Quoted(never);
    const std::string avi = "avi " + Quoted(chart) + " -o " + Quoted(neverVideo);
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
        // The sentence the tool's users have always read, word for word.
        {"info " + Quoted(cutModel), 1,
         "zelvane-cli: error: \"" + cutModel.string()
             + "\" is damaged or not a PMD or PMX model: the model file is cut short inside its "
               "vertices\n"},
        {"info " + Quoted(cut), 1, "damaged"},
        {"info /no/such/file.zlvm", 1, "No such file"},
        {"info notes.txt", 1, "cannot tell what"},
        {"info", 2, "FILE is required"},
        {"convert " + Quoted(chart) + " out.txt", 2, "is not a .dwi, .sm, .ssc or .zlvm file"},
        {"bogus " + Quoted(chart), 2, "unknown command \"bogus\"; the commands are: info, convert"},
        {"avi " + Quoted(noCharts) + single + " -o " + Quoted(neverVideo), 1, "is empty"},
        {avi + single + " --codec nonesuch", 1, "available: rawvideo"},
        {avi + single + " --screen-color red", 1, "RRGGBB"},
        {"avi " + Quoted(chart) + single + " -o " + Quoted(Temp("missing") / "x.avi"), 1, "x.avi"},
        {"avi " + Quoted(chart) + single, 2, "-o"},
        {avi + single + " --quality 101", 2, "quality"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.arguments);
        ExpectFailure(RunCli(entry.arguments), entry.status, entry.says);
    }
    EXPECT_FALSE(std::filesystem::exists(never));
    EXPECT_FALSE(std::filesystem::exists(neverVideo));
}

// With --model the document's own model is never opened: a missing one goes unmentioned.
TEST(CliCommands, MotionReadsOnlyTheModelItIsGiven)
{
    const auto document = Temp("modelled.zlvm");
    {
        CStepDocument written;
        written.NewDocument();
        written.SetDancing({.dancesCharts = false});
        Add(*written.scores().current(), {{0, 1, 0}});
        written.SetModel("/nowhere/gone.pmd");
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
}

// The video's own layout is the AVI suite's; here the frame range, the encoder and the
// colour chosen on the command line reach the file.
TEST(CliAvi, WritesTheChartScreenWithTheChosenEncoder)
{
    const auto chart = WriteVideoChart();
    const std::string base = "avi " + Quoted(chart) + " --style SINGLE --difficulty BASIC";
    const auto raw = Temp("raw.avi");
    const CommandResult result = RunCli(base + " -o " + Quoted(raw));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(AviTotalFrames(raw), 8u);

    const CommandResult codecs = RunCli("avi --list-codecs");
    ASSERT_EQ(codecs.status, 0) << codecs.err;
    EXPECT_EQ(codecs.out.rfind("rawvideo\t", 0), 0u) << codecs.out;
    EXPECT_NE(codecs.out.find("\nutvideo\t"), std::string::npos) << codecs.out;

    const auto compressed = Temp("ut.avi");
    ASSERT_EQ(
        RunCli(base + " --codec utvideo --screen-color 336699 -o " + Quoted(compressed)).status, 0);
    EXPECT_EQ(AviTotalFrames(compressed), 8u);
    EXPECT_LT(std::filesystem::file_size(compressed), std::filesystem::file_size(raw) / 4);

    // Notes that all lie at clock 0 make a chart of no length, which is still a chart: its
    // video runs from the song's start, three frames before clock 0 here, to the frame after.
    ZlvmDocumentData data;
    data.gap = 100;
    ZlvmScoreRecord crowded{Style::SINGLE, "BASIC", {}, "", {""}};
    for (std::int32_t i = 0; i < 65535; ++i)
        crowded.notes.push_back({0, i % 4, 0});
    data.scores.push_back(crowded);
    const auto atZero = Temp("atzero.zlvm");
    WriteFileAtomically(atZero, WriteZlvm(data));
    const auto crowdedVideo = Temp("atzero.avi");
    const CommandResult made = RunCli(
        "avi " + Quoted(atZero) + " --style SINGLE --difficulty BASIC -o " + Quoted(crowdedVideo));
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(AviTotalFrames(crowdedVideo), 4u);
}

// The note-by-note assignment stays the default and dances exactly as before the choice
// existed: the expected files were written by the program as it was then. The other choice
// reaches the dance.
TEST(CliFeet, TheDefaultDanceIsTheDanceOfBefore)
{
    const struct {
        const char* chart;
        const char* style;
        const char* difficulty;
        const char* expected;
    } cases[] = {
        {"DYNAMITE_RAVE.dwi", "SINGLE", "SMANIAC", "motion/greedy-single-freezes.vmd"},
        {"20_NOVEMBER_D_D_R_version.dwi", "DOUBLE", "MANIAC", "motion/greedy-double.vmd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chart);
        ZELVANE_REQUIRE_SHARED(Dwi(c.chart));
        const std::vector<std::uint8_t> expected
            = ReadWholeFile(ProjectTestData(c.expected), kMaxMotionFileBytes);
        const auto motion = Temp("feet.vmd");
        const std::string base = "motion " + Quoted(Dwi(c.chart)) + " --style " + c.style
            + " --difficulty " + c.difficulty + " -o " + Quoted(motion);
        for (const std::string feet : {"", " --feet greedy", " --feet optimal"}) {
            ASSERT_EQ(RunCli(base + feet).status, 0) << feet;
            EXPECT_EQ(ReadWholeFile(motion, kMaxMotionFileBytes) == expected,
                      feet != " --feet optimal")
                << feet;
        }
    }
}

// One entry for every dancer of the file, the couple's two each, under the assignment asked
// for; what the numbers count is the motion suite's to check, here only that the choice
// reaches them.
TEST(CliFeet, StatsCompareTheAssignmentsOfEveryDancer)
{
    const auto chart = Dwi("MR_WONDERFUL.dwi");
    ZELVANE_REQUIRE_SHARED(chart);
    int crossovers[2] = {0, 0};
    std::vector<std::string> names[2];
    for (const int optimal : {0, 1}) {
        const nlohmann::json stats
            = CliJson("stats --json " + Quoted(chart) + (optimal ? " --feet optimal" : ""));
        EXPECT_EQ(stats["feet"], optimal ? "optimal" : "greedy");
        for (const nlohmann::json& dancer : stats["dancers"]) {
            names[optimal].push_back(dancer["dancer"]);
            crossovers[optimal] += dancer["crossoversEntered"].get<int>();
        }
    }
    EXPECT_LT(crossovers[1], crossovers[0]);
    EXPECT_EQ(names[1], names[0]);
    for (const char* name : {"COUPLE ANOTHER 2P", "DOUBLE BASIC"})
        EXPECT_NE(std::find(names[0].begin(), names[0].end(), name), names[0].end()) << name;

    // Narrowed to one chart.
    const nlohmann::json one
        = CliJson("stats --json " + Quoted(chart) + " --style double --difficulty BASIC");
    ASSERT_EQ(one["dancers"].size(), 1u);
    EXPECT_EQ(one["dancers"][0]["dancer"], "DOUBLE BASIC");

    const CommandResult text = RunCli("stats " + Quoted(chart) + " --style SINGLE");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("SINGLE BASIC: notes "), std::string::npos) << text.out;
    EXPECT_EQ(RunCli("stats " + Quoted(chart) + " --difficulty NONE").status, 1);
    EXPECT_EQ(RunCli("stats " + Quoted(chart) + " --feet best").status, 2);
}

// The version needs no command, and names the commit the tool was built from wherever the
// sources are a git checkout, so a report says which build it came from.
TEST(CliCommands, TheVersionNamesTheProjectAndTheCommit)
{
    const CommandResult result = RunCli("--version");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    std::string expected = std::string("zelvane-cli ") + kVersion;
    if (std::filesystem::exists(ProjectFile(".git"))) {
        EXPECT_STRNE(kGitDescription, "");
        expected += std::string(" (") + kGitDescription + ")";
    }
    EXPECT_EQ(result.out, expected + "\n");
}
