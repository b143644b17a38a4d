#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace zelvane::test {

// A drum-and-bass loop made in code, so that its true beat is known to the sample: a bass
// drum on every beat, a snare on beats 2 and 4, closed hi-hats on the eighth notes (the
// off-beat ones late by `swing` of a beat when swung), and a bass line that changes note every
// bar. Before the first beat there is silence, or faint noise from `noiseFrom` seconds on.
struct DrumLoop {
    double bpm = 120.0;
    double firstBeatSeconds = 0.0;
    double seconds = 30.0;
    double swing = 0.0; // 0: straight eighths; 1/6: triplet swing
    bool faintNoise = false;
    double noiseFrom = 0.0;
    int sampleRate = 44100;
    unsigned seed = 1;

    double BeatSeconds(long beat) const { return firstBeatSeconds + beat * 60.0 / bpm; }

    // Mono samples from -1 to 1.
    std::vector<float> Render() const
    {
        const auto count = static_cast<std::size_t>(seconds * sampleRate);
        std::vector<float> out(count, 0.0f);
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        const double period = 60.0 / bpm;

        const auto add = [&](double start, double length, auto&& voice) {
            const auto first = static_cast<long>(std::ceil(start * sampleRate));
            const auto last = static_cast<long>((start + length) * sampleRate);
            for (long i = std::max(0L, first); i < std::min<long>(last, count); ++i)
                out[i] += voice(i / static_cast<double>(sampleRate) - start);
        };
        for (long beat = 0; BeatSeconds(beat) < seconds; ++beat) {
            const double at = BeatSeconds(beat);
            // Bass drum: a falling sine with a click at its start.
            double phase = 0.0;
            double last = 0.0;
            add(at, 0.35, [&](double t) {
                const double frequency = 45.0 + 75.0 * std::exp(-t / 0.03);
                phase += 2.0 * M_PI * frequency * (t - last);
                last = t;
                return 0.6 * std::sin(phase) * std::exp(-t / 0.12)
                    + 0.3 * noise(random) * std::exp(-t / 0.002);
            });
            if (beat % 2 == 1) { // the snare on 2 and 4
                add(at, 0.25, [&](double t) {
                    return 0.3 * noise(random) * std::exp(-t / 0.07)
                        + 0.2 * std::sin(2.0 * M_PI * 190.0 * t) * std::exp(-t / 0.05);
                });
            }
            for (const double eighth : {0.0, 0.5 + swing}) {
                float previous = 0.0f;
                add(at + eighth * period, 0.06, [&](double t) {
                    const float white = noise(random);
                    const float high = white - previous; // a first difference: only the highs
                    previous = white;
                    return 0.12 * high * std::exp(-t / 0.015);
                });
            }
            if (beat % 4 == 0) { // the bass: one note a bar, fading in over 15 ms
                const double frequency = 55.0 * std::pow(2.0, (beat / 4 % 4) * 3 / 12.0);
                add(at, 4 * period * 0.9, [&](double t) {
                    return 0.15 * std::sin(2.0 * M_PI * frequency * t) * std::min(1.0, t / 0.015);
                });
            }
        }
        if (faintNoise) {
            const auto noiseEnd = static_cast<std::size_t>(firstBeatSeconds * sampleRate);
            for (auto i = static_cast<std::size_t>(noiseFrom * sampleRate);
                 i < std::min(noiseEnd, count); ++i)
                out[i] += 0.003f * noise(random);
        }
        for (float& sample : out)
            sample = std::clamp(sample, -1.0f, 1.0f);
        return out;
    }

    // A 16-bit PCM WAV file of the loop, the same in every channel.
    void WriteWav(const std::filesystem::path& path, int channels = 2) const
    {
        const std::vector<float> samples = Render();
        std::ofstream file(path, std::ios::binary);
        const auto put = [&](std::uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                file.put(static_cast<char>((value >> (8 * i)) & 0xff));
        };
        const auto dataBytes = static_cast<std::uint32_t>(samples.size() * channels * 2);
        file.write("RIFF", 4);
        put(36 + dataBytes, 4);
        file.write("WAVEfmt ", 8);
        put(16, 4);
        put(1, 2); // PCM
        put(static_cast<std::uint32_t>(channels), 2);
        put(static_cast<std::uint32_t>(sampleRate), 4);
        put(static_cast<std::uint32_t>(sampleRate * channels * 2), 4);
        put(static_cast<std::uint32_t>(channels * 2), 2);
        put(16, 2);
        file.write("data", 4);
        put(dataBytes, 4);
        for (const float sample : samples) {
            const auto value = static_cast<std::int16_t>(std::lround(sample * 32767.0f));
            for (int channel = 0; channel < channels; ++channel)
                put(static_cast<std::uint16_t>(value), 2);
        }
    }
};

// The largest distance, in seconds, from a beat of `loop` to the nearest beat of the grid
// with `bpm` and a beat at `firstBeatSeconds`, over the beats of the whole loop.
inline double GridError(const DrumLoop& loop, double bpm, double firstBeatSeconds)
{
    const double period = 60.0 / bpm;
    double worst = 0.0;
    for (long beat = 0; loop.BeatSeconds(beat) < loop.seconds; ++beat) {
        const double t = loop.BeatSeconds(beat);
        const double nearest
            = firstBeatSeconds + std::round((t - firstBeatSeconds) / period) * period;
        worst = std::max(worst, std::abs(nearest - t));
    }
    return worst;
}

} // namespace zelvane::test
