#include "CliTestSupport.h"
#include "TestData.h"
#include "chart/StepDocument.h"

#include <bit>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

std::filesystem::path TempFile(const std::string& name)
{
    return UniqueTempPath("cli-" + name);
}

} // namespace

TEST(CliInfo, PrintsTheDocumentAsJson)
{
    const auto path = TempFile("info.zlvm");
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

TEST(CliInfo, BadInputIsOneLineOnStandardErrorAndStatusOne)
{
    const auto damaged = TempFile("damaged.zlvm");
    std::ofstream(damaged, std::ios::binary) << std::string("\x00\x02\xFF", 3);
    // A motion that claims 2^31 bone keys in a file of a few bytes.
    const auto huge = TempFile("huge.vmd");
    std::ofstream(huge, std::ios::binary)
        << "Vocaloid Motion Data 0002" << std::string(25, '\0') << std::string("\0\0\0\x80", 4);
    for (const std::string& arguments :
         {"info " + Quoted(damaged), "info " + Quoted(huge), std::string("info /no/such/file.zlvm"),
          std::string("info notes.txt")}) {
        const CommandResult result = RunCli(arguments);
        EXPECT_EQ(result.status, 1) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.rfind("zelvane-cli: error: ", 0), 0u) << result.err;
    }
    EXPECT_EQ(RunCli("info").status, 2);
    std::filesystem::remove(damaged);
    std::filesystem::remove(huge);
}
