#include "CliTestSupport.h"
#include "DrumLoop.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// "name: value" lines into a JSON object, to compare with what --json prints.
nlohmann::json ParseLines(const std::string& text)
{
    nlohmann::json values = nlohmann::json::object();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos)
            values[line.substr(0, colon)] = std::stod(line.substr(colon + 1));
    }
    return values;
}

} // namespace

TEST(CliTempo, PrintsTheTempoAndFirstBeatOfASongAsTextAndAsJson)
{
    DrumLoop loop;
    loop.bpm = 150.0;
    loop.firstBeatSeconds = 1.25;
    loop.seconds = 20.0;
    const auto song = Temp("tempo loop.wav");
    loop.WriteWav(song);

    const CommandResult text = RunCli("tempo " + Quoted(song));
    ASSERT_EQ(text.status, 0) << text.err;
    const CommandResult json = RunCli("tempo --json " + Quoted(song));
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json printed = nlohmann::json::parse(json.out);
    EXPECT_EQ(ParseLines(text.out), printed);

    EXPECT_NEAR(printed["bpm"].get<double>(), 150.0, 0.05);
    // Beats fall every 400 ms from 1250 ms: the first at or after the start is at 50 ms.
    EXPECT_NEAR(printed["offsetMs"].get<double>(), 50.0, 10.0);
    EXPECT_GT(printed["confidence"].get<double>(), 0.7);
    EXPECT_LE(printed["confidence"].get<double>(), 1.0);
}

TEST(CliTempo, RefusesWhatIsNoSongOrHasNoBeatAndMisusedCommandLines)
{
    const auto quiet = Temp("quiet.wav");
    {
        DrumLoop loop;
        loop.bpm = 120.0;
        loop.firstBeatSeconds = 100.0; // no beat inside the song: ten seconds of silence
        loop.seconds = 10.0;
        loop.WriteWav(quiet);
    }
    const auto notes = WriteTemp("notes.mp3", "#TITLE:not a song;\n");
    for (const auto& [arguments, status, said] :
         std::vector<std::tuple<std::string, int, std::string>>{
             {"tempo " + Quoted(notes), 1, "notes.mp3"},
             {"tempo " + Quoted(Temp("missing.wav")), 1, "missing.wav"},
             {"tempo " + Quoted(quiet), 1, "has no beat to find"},
             {"tempo", 2, "SONG is required"},
             {"tempo --bpm 120 " + Quoted(quiet), 2, "usage: zelvane-cli tempo SONG [--json]"},
         }) {
        SCOPED_TRACE(arguments);
        ExpectFailure(RunCli(arguments), status, said);
    }
}
