// The tempo and first beat found in drum loops made here, with a known beat: straight and
// swung, starting at once, after silence or after faint noise, from 70 to 200 BPM, read from
// WAV files and from MP3 files encoded by the ffmpeg program.

#include "beat/SongTempo.h"
#include "DrumLoop.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace zelvane::test {
namespace {

constexpr double kBpmTolerance = 0.05;
constexpr double kGridTolerance = 0.010; // seconds

struct LoopCase {
    const char* name;
    double bpm;
    double firstBeat;
    double swing;
    bool faintNoise;
};

void PrintTo(const LoopCase& loop, std::ostream* out)
{
    *out << loop.name;
}

const LoopCase kLoops[] = {
    {"Slowest_70", 70.0, 1.3, 0.0, false},
    {"Swung_71_AfterNoise", 71.0, 1.7, 1.0 / 6.0, true},
    {"Swung_87_5", 87.5, 0.2, 1.0 / 6.0, false},
    {"Straight_100_AfterSilence", 100.0, 1.0, 0.0, false},
    {"Swung_104", 104.0, 1.5, 0.1, false},
    {"Fractional_133_3_AfterNoise", 133.3, 1.4, 0.0, true},
    {"Straight_140_AtOnce", 140.0, 0.05, 0.0, false},
    {"Swung_155_55", 155.55, 1.9, 0.1, false},
    {"Straight_174", 174.0, 0.9, 0.0, false},
    {"Fastest_200_AfterNoise", 200.0, 1.2, 1.0 / 6.0, true},
};

DrumLoop Loop(const LoopCase& loopCase)
{
    DrumLoop loop;
    loop.bpm = loopCase.bpm;
    loop.firstBeatSeconds = loopCase.firstBeat;
    loop.swing = loopCase.swing;
    loop.faintNoise = loopCase.faintNoise;
    loop.seconds = 20.0;
    return loop;
}

void ExpectBeatOf(const DrumLoop& loop, const std::filesystem::path& song)
{
    const auto estimate = DetectSongTempo(song);
    ASSERT_TRUE(estimate.has_value());
    EXPECT_NEAR(estimate->bpm, loop.bpm, kBpmTolerance);
    const double period = 60.0 / loop.bpm;
    EXPECT_GE(estimate->firstBeatMs, 0.0);
    EXPECT_LT(estimate->firstBeatMs, 1000.0 * period);
    EXPECT_LE(GridError(loop, estimate->bpm, estimate->firstBeatMs / 1000.0), kGridTolerance)
        << "first beat found at " << estimate->firstBeatMs << " ms";
    EXPECT_GT(estimate->confidence, 0.7);
}

class SongTempoTest : public ::testing::TestWithParam<LoopCase> {
protected:
    TempFolder m_folder;
};

TEST_P(SongTempoTest, FindsTheBeatOfAWavFile)
{
    const DrumLoop loop = Loop(GetParam());
    const auto song = m_folder / "loop.wav";
    loop.WriteWav(song);
    ExpectBeatOf(loop, song);
}

// MP3 moves every attack by the encoder's delay unless the decoder takes it off again, and
// smears the highs: the beat must still fall where it was.
TEST_P(SongTempoTest, FindsTheBeatOfAnMp3File)
{
    if (std::system("ffmpeg -hide_banner -encoders 2>/dev/null | grep -q libmp3lame") != 0)
        GTEST_SKIP() << "the ffmpeg program with the libmp3lame encoder is not installed";
    const DrumLoop loop = Loop(GetParam());
    const auto wav = m_folder / "loop.wav";
    const auto mp3 = m_folder / "loop.mp3";
    loop.WriteWav(wav);
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -i '"
        + wav.string() + "' -c:a libmp3lame -b:a 160k '" + mp3.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ExpectBeatOf(loop, mp3);
}

INSTANTIATE_TEST_SUITE_P(DrumLoops, SongTempoTest, ::testing::ValuesIn(kLoops),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelvane::test
