#include "CliTestSupport.h"
#include "text/FileIo.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

std::filesystem::path Dwi(const std::string& name)
{
    return SharedTestData("dwi/" + name);
}

nlohmann::json Stats(const std::string& arguments)
{
    const CommandResult result = RunCli("stats --json " + arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return result.status == 0 ? nlohmann::json::parse(result.out) : nlohmann::json();
}

} // namespace

// The note-by-note assignment stays the default and dances exactly as before the choice
// existed: the expected files were written by the program as it was then.
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
        if (!std::filesystem::exists(Dwi(c.chart)))
            GTEST_SKIP() << "the shared charts are not here";
        const std::vector<std::uint8_t> expected = ReadWholeFile(ProjectTestData(c.expected));
        ASSERT_FALSE(expected.empty());
        const std::string base = "motion " + Quoted(Dwi(c.chart)) + " --style " + c.style
            + " --difficulty " + c.difficulty + " -o ";
        const auto byDefault = UniqueTempPath("feet-default.vmd");
        const auto greedy = UniqueTempPath("feet-greedy.vmd");
        const auto optimal = UniqueTempPath("feet-optimal.vmd");
        ASSERT_EQ(RunCli(base + Quoted(byDefault)).status, 0);
        ASSERT_EQ(RunCli(base + Quoted(greedy) + " --feet greedy").status, 0);
        ASSERT_EQ(RunCli(base + Quoted(optimal) + " --feet optimal").status, 0);
        EXPECT_TRUE(ReadWholeFile(byDefault) == expected);
        EXPECT_TRUE(ReadWholeFile(greedy) == expected);
        // The other choice reaches the dance.
        EXPECT_FALSE(ReadWholeFile(optimal) == expected);
        for (const auto& path : {byDefault, greedy, optimal})
            std::filesystem::remove(path);
    }
}

TEST(CliFeet, StatsCompareTheAssignmentsOfEveryDancer)
{
    const auto chart = Dwi("MR_WONDERFUL.dwi");
    if (!std::filesystem::exists(chart))
        GTEST_SKIP() << "the shared charts are not here";
    const nlohmann::json greedy = Stats(Quoted(chart));
    const nlohmann::json optimal = Stats(Quoted(chart) + " --feet optimal");
    ASSERT_TRUE(greedy.contains("dancers") && optimal.contains("dancers"));
    EXPECT_EQ(greedy["feet"], "greedy");
    EXPECT_EQ(optimal["feet"], "optimal");
    // Every chart of the file, the couple's two dancers each.
    ASSERT_EQ(greedy["dancers"].size(), optimal["dancers"].size());
    std::vector<std::string> names;
    int greedyCrossovers = 0;
    int optimalCrossovers = 0;
    for (std::size_t i = 0; i < greedy["dancers"].size(); ++i) {
        const nlohmann::json& g = greedy["dancers"][i];
        const nlohmann::json& o = optimal["dancers"][i];
        names.push_back(g["dancer"]);
        SCOPED_TRACE(names.back());
        EXPECT_EQ(o["dancer"], g["dancer"]);
        EXPECT_EQ(o["notes"], g["notes"]);
        EXPECT_GT(g["notes"].get<int>(), 0);
        EXPECT_EQ(g["steps"].get<int>() + g["droppedNotes"].get<int>(), g["notes"].get<int>());
        EXPECT_LE(o["droppedNotes"].get<int>(), g["droppedNotes"].get<int>());
        EXPECT_EQ(o["spins"], 0);
        greedyCrossovers += g["crossoversEntered"].get<int>();
        optimalCrossovers += o["crossoversEntered"].get<int>();
    }
    EXPECT_LT(optimalCrossovers, greedyCrossovers);
    EXPECT_NE(std::find(names.begin(), names.end(), "COUPLE ANOTHER 2P"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "DOUBLE BASIC"), names.end());

    // Narrowed to one chart.
    const nlohmann::json one = Stats(Quoted(chart) + " --style double --difficulty BASIC");
    ASSERT_EQ(one["dancers"].size(), 1u);
    EXPECT_EQ(one["dancers"][0]["dancer"], "DOUBLE BASIC");

    const CommandResult text = RunCli("stats " + Quoted(chart) + " --style SINGLE");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("SINGLE BASIC: notes "), std::string::npos) << text.out;
    EXPECT_EQ(RunCli("stats " + Quoted(chart) + " --difficulty NONE").status, 1);
    EXPECT_EQ(RunCli("stats " + Quoted(chart) + " --feet best").status, 2);
}
