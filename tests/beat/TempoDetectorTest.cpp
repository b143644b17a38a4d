// What the detection gives beyond the drum loops: where the envelope times an attack, what it
// says of songs without a beat, and how it reports its progress and stops.

#include "beat/TempoDetector.h"
#include "DrumLoop.h"
#include "TempFolder.h"
#include "beat/OnsetEnvelope.h"
#include "beat/SongTempo.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

namespace zelvane::test {
namespace {

constexpr int kRate = 22050;

std::vector<float> WhiteNoise(double seconds, float level)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> noise(-level, level);
    std::vector<float> samples(static_cast<std::size_t>(seconds * kRate));
    for (float& sample : samples)
        sample = noise(random);
    return samples;
}

// A short decaying burst of `samples` from `at` seconds on, made by `voice(t)`.
template<typename Voice> void AddBurst(std::vector<float>& samples, double at, Voice voice)
{
    const auto start = static_cast<std::size_t>(at * kRate);
    for (std::size_t i = start; i < std::min(samples.size(), start + kRate / 4); ++i)
        samples[i] += voice(static_cast<double>(i - start) / kRate);
}

double PeakSeconds(const OnsetEnvelope& envelope, const std::vector<float>& values)
{
    const auto peak = std::max_element(values.begin(), values.end()) - values.begin();
    return envelope.FrameToSeconds(static_cast<double>(peak));
}

// The envelope must peak where an attack begins, or every first beat found is late by the
// difference; and the low band, by which a beat is told from its eighths, must hear a bass drum
// and not a hi-hat.
TEST(OnsetEnvelopeTest, PeaksWhereAnAttackBeginsAndTellsADrumFromAHat)
{
    std::vector<float> drum(3 * kRate, 0.0f);
    AddBurst(drum, 1.0,
             [](double t) { return 0.7 * std::sin(2 * M_PI * 60 * t) * std::exp(-t / 0.1); });
    const OnsetEnvelope drumEnvelope = ComputeOnsetEnvelope(drum, kRate);
    EXPECT_NEAR(PeakSeconds(drumEnvelope, drumEnvelope.full), 1.0, 0.005);
    EXPECT_NEAR(PeakSeconds(drumEnvelope, drumEnvelope.low), 1.0, 0.005);

    std::vector<float> hat(3 * kRate, 0.0f);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-0.3f, 0.3f);
    float previous = 0.0f;
    AddBurst(hat, 2.0, [&](double t) {
        const float white = noise(random);
        const float high = white - previous;
        previous = white;
        return high * std::exp(-t / 0.02);
    });
    const OnsetEnvelope hatEnvelope = ComputeOnsetEnvelope(hat, kRate);
    EXPECT_NEAR(PeakSeconds(hatEnvelope, hatEnvelope.full), 2.0, 0.005);
    const float hatLow = *std::max_element(hatEnvelope.low.begin(), hatEnvelope.low.end());
    const float hatFull = *std::max_element(hatEnvelope.full.begin(), hatEnvelope.full.end());
    const float drumLow = *std::max_element(drumEnvelope.low.begin(), drumEnvelope.low.end());
    EXPECT_LT(hatLow, 0.2f * hatFull);
    EXPECT_LT(hatLow, 0.2f * drumLow);
}

TEST(TempoDetectorTest, FindsNoBeatInSilenceOrAFewClicks)
{
    EXPECT_FALSE(DetectTempo(std::vector<float>(20 * kRate, 0.0f), kRate).has_value());
    EXPECT_FALSE(DetectTempo({}, kRate).has_value());
    std::vector<float> clicks(20 * kRate, 0.0f);
    for (const double at : {3.0, 9.5})
        AddBurst(clicks, at, [](double t) { return std::exp(-t / 0.003); });
    EXPECT_FALSE(DetectTempo(clicks, kRate).has_value());
    EXPECT_THROW(DetectTempo(clicks, 0), std::invalid_argument);
}

// Noise has attacks everywhere and a beat nowhere: whatever tempo is made of it, it must say
// it is unsure, far less sure than of a plain drum loop.
TEST(TempoDetectorTest, IsUnsureOfNoise)
{
    DrumLoop loop;
    loop.bpm = 120.0;
    loop.sampleRate = kRate;
    loop.seconds = 20.0;
    const auto onLoop = DetectTempo(loop.Render(), kRate);
    ASSERT_TRUE(onLoop.has_value());
    const auto onNoise = DetectTempo(WhiteNoise(20.0, 0.3f), kRate);
    if (onNoise) {
        EXPECT_LT(onNoise->confidence, 0.3);
        EXPECT_LT(onNoise->confidence, 0.5 * onLoop->confidence);
    }
}

TEST(TempoDetectorTest, ReportsItsProgressAndStopsWhenTold)
{
    DrumLoop loop;
    loop.sampleRate = kRate;
    loop.seconds = 20.0;
    const std::vector<float> samples = loop.Render();

    std::vector<double> reported;
    ASSERT_TRUE(DetectTempo(samples, kRate, [&](double fraction) {
                    reported.push_back(fraction);
                    return true;
                }).has_value());
    ASSERT_GE(reported.size(), 3u);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GE(reported.front(), 0.0);
    EXPECT_DOUBLE_EQ(reported.back(), 1.0);

    int calls = 0;
    EXPECT_THROW(DetectTempo(samples, kRate, [&](double) { return ++calls < 2; }),
                 AnalysisCancelled);
    EXPECT_EQ(calls, 2); // nothing more after being told to stop
}

TEST(SongTempoTest, RefusesAFileThatHoldsNoAudio)
{
    const TempFolder folder;
    const auto text = folder.Write("notes.wav", "#TITLE:not a song;\n");
    EXPECT_THROW(DetectSongTempo(text), FileFormatError);
    EXPECT_THROW(DetectSongTempo(folder / "missing.mp3"), FileIoError);
}

} // namespace
} // namespace zelvane::test
