#include "CliTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

// Every chart command takes .sm and .ssc; convert writes them by extension and says in English
// what a file of that kind cannot hold.
TEST(CliStepMania, ChartsConvertBetweenEveryFormatAndWarnInEnglish)
{
    const auto sm = WriteTemp("song.sm",
                              "#TITLE:Song;#OFFSET:0.1;#BPMS:0=150,4=75;#STOPS:2=0.5;\n"
                              "#NOTES:dance-single::Hard:9:0:\n1000\n0100\n2010\n0M01\n"
                              ",\n3000\n;\n");
    // How the file reads is the StepMania suite's; here only that it reached the tool.
    const nlohmann::json read = InfoJson(sm);
    ASSERT_EQ(read["tempo"]["changes"].size(), 2u);
    ASSERT_EQ(read["scores"].size(), 1u);
    const CommandResult warned = RunCli("info " + Quoted(sm));
    EXPECT_NE(warned.out.find("1 marks that are not danced"), std::string::npos) << warned.out;

    // .sm -> .zlvm -> .ssc -> .dwi -> .sm: the notes come through every one.
    const auto zlvm = Temp("song.zlvm");
    const auto ssc = Temp("song.ssc");
    const auto dwi = Temp("song.dwi");
    const auto back = Temp("back.sm");
    for (const auto& [from, to] :
         {std::pair{sm, zlvm}, std::pair{zlvm, ssc}, std::pair{ssc, dwi}, std::pair{dwi, back}}) {
        const CommandResult result = RunCli("convert " + Quoted(from) + " " + Quoted(to));
        ASSERT_EQ(result.status, 0) << from << " -> " << to << ": " << result.err;
    }
    EXPECT_EQ(InfoJson(ssc)["tempo"], read["tempo"]);
    EXPECT_EQ(InfoJson(back)["scores"][0]["notes"], read["scores"][0]["notes"]);

    const auto warped = WriteTemp("warped.ssc",
                                  "#BPMS:0=120;#WARPS:1=1;#NOTEDATA:;"
                                  "#STEPSTYPE:dance-single;#DIFFICULTY:Easy;"
                                  "#NOTES:1000\n0100\n0010\n0001\n;");
    const CommandResult leftOut = RunCli("convert " + Quoted(warped) + " " + Quoted(Temp("w.sm")));
    EXPECT_EQ(leftOut.status, 0);
    EXPECT_NE(leftOut.err.find("cannot hold warps"), std::string::npos) << leftOut.err;

    const auto garbage = WriteTemp("garbage.ssc", std::string("\x7f\0ELF", 5));
    ExpectFailure(RunCli("info " + Quoted(garbage)), 1, "garbage.ssc");
}

TEST(CliStepMania, ThePlayersChartsReadAndDance)
{
    const auto ants = SharedTestData("sm/Bhop Ball/[T07] Ants (No CMOD)/02 Ants.sm");
    ZELVANE_REQUIRE_SHARED(ants);
    const CommandResult stats = RunCli("stats " + Quoted(ants) + " --json");
    ASSERT_EQ(stats.status, 0) << stats.err;
    EXPECT_EQ(nlohmann::json::parse(stats.out)["dancers"][0]["notes"], 566);
    const CommandResult motion
        = RunCli("motion " + Quoted(ants) + " --style single --difficulty SMANIAC -o "
                 + Quoted(Temp("ants.vmd")));
    EXPECT_EQ(motion.status, 0) << motion.err;
}
