// Writes the demo song: a drum pattern at the demo chart's tempo, synthesised here so the
// project ships no recording of anyone's. Kick on beats 1 and 3 (and the "and" of 3),
// snare on 2 and 4, closed hi-hat on every eighth; 16-bit mono PCM WAV.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kBpm = 140.0;
constexpr int kMeasures = 18;

// A fixed noise source, so every build writes the same bytes.
class Noise {
public:
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    std::uint32_t m_state = 0x2545F491u;
};

void AddKick(std::vector<double>& mix, std::size_t start)
{
    double phase = 0.0;
    for (std::size_t i = 0; i < kSampleRate / 4 && start + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double frequency = 50.0 + 110.0 * std::exp(-t * 30.0);
        phase += 2.0 * std::numbers::pi * frequency / kSampleRate;
        mix[start + i] += 0.9 * std::sin(phase) * std::exp(-t * 14.0);
    }
}

void AddSnare(std::vector<double>& mix, std::size_t start, Noise& noise)
{
    for (std::size_t i = 0; i < kSampleRate / 5 && start + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double tone = std::sin(2.0 * std::numbers::pi * 185.0 * t) * std::exp(-t * 25.0);
        mix[start + i] += 0.45 * noise.Next() * std::exp(-t * 22.0) + 0.3 * tone;
    }
}

void AddHat(std::vector<double>& mix, std::size_t start, Noise& noise)
{
    double previous = 0.0;
    for (std::size_t i = 0; i < kSampleRate / 25 && start + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double sample = noise.Next();
        // The difference of white noise keeps its hiss and loses its rumble.
        mix[start + i] += 0.18 * (sample - previous) * std::exp(-t * 90.0);
        previous = sample;
    }
}

void WriteLittleEndian(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: MakeDemoSong OUT.wav\n";
        return 2;
    }
    const double eighth = 60.0 / kBpm / 2.0 * kSampleRate;
    const auto eighths = static_cast<std::size_t>(kMeasures * 8);
    std::vector<double> mix(static_cast<std::size_t>(eighth * static_cast<double>(eighths)) + 1);
    Noise noise;
    for (std::size_t step = 0; step < eighths; ++step) {
        const auto start = static_cast<std::size_t>(eighth * static_cast<double>(step));
        const std::size_t inMeasure = step % 8;
        if (inMeasure == 0 || inMeasure == 4 || inMeasure == 5)
            AddKick(mix, start);
        if (inMeasure == 2 || inMeasure == 6)
            AddSnare(mix, start, noise);
        AddHat(mix, start, noise);
    }

    std::ofstream out(argv[1], std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(mix.size() * 2);
    out.write("RIFF", 4);
    WriteLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    WriteLittleEndian(out, 16, 4);
    WriteLittleEndian(out, 1, 2); // PCM
    WriteLittleEndian(out, 1, 2); // mono
    WriteLittleEndian(out, kSampleRate, 4);
    WriteLittleEndian(out, kSampleRate * 2, 4);
    WriteLittleEndian(out, 2, 2);
    WriteLittleEndian(out, 16, 2);
    out.write("data", 4);
    WriteLittleEndian(out, dataBytes, 4);
    for (double sample : mix) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        WriteLittleEndian(
            out, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 32000.0)), 2);
    }
    out.close();
    if (!out) {
        std::cerr << "MakeDemoSong: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
