#include "AviHeader.h"
#include "CliTestSupport.h"
#include "TestData.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

using namespace zelvane::test;

namespace {

std::filesystem::path Temp(const std::string& name)
{
    return UniqueTempPath("cli-avi-" + name);
}

// At 120 BPM a step on the second eighth ends the chart at clock 24, frame 7: the video
// holds frames 0 to 7. A step on the first alone makes a chart of no length.
std::filesystem::path WriteChart()
{
    const auto path = Temp("chart.dwi");
    std::ofstream(path, std::ios::binary) << "#TITLE:Video;\r\n#BPM:120;\r\n"
                                             "#SINGLE:BASIC:1:02;\r\n#DOUBLE:BASIC:1:2;\r\n";
    return path;
}

} // namespace

TEST(CliAvi, WritesTheChartScreenWithTheChosenEncoder)
{
    const auto chart = WriteChart();
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

TEST(CliAvi, RefusesWhatItCannotDoWithOneLineAndWritesNothing)
{
    const auto chart = WriteChart();
    const auto never = Temp("never.avi");
    const std::string base = "avi " + Quoted(chart) + " -o " + Quoted(never);
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {base + " --style COUPLE --difficulty BASIC", 1, "the file has: SINGLE BASIC"},
        {base + " --style DOUBLE --difficulty BASIC", 1, "is empty"},
        {base + " --style SINGLE --difficulty BASIC --codec nonesuch", 1, "available: rawvideo"},
        {base + " --style SINGLE --difficulty BASIC --screen-color red", 1, "RRGGBB"},
        {"avi " + Quoted(chart) + " --style SINGLE --difficulty BASIC -o "
             + Quoted(Temp("missing-folder") / "x.avi"),
         1, "x.avi"},
        {"avi " + Quoted(chart) + " --style SINGLE --difficulty BASIC", 2, "-o"},
        {base + " --style SINGLE --difficulty BASIC --quality 101", 2, "quality"},
    };
    for (const auto& entry : cases) {
        const CommandResult result = RunCli(entry.arguments);
        EXPECT_EQ(result.status, entry.status) << entry.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(entry.says), std::string::npos) << result.err;
        if (entry.status == 1) {
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(never));
    std::filesystem::remove(chart);
}
