#pragma once

#include "TempFolder.h"
#include "text/BinaryWriter.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace zelvane::test {

// `frames` interleaved frames of `channels` values, value(frame, channel) each.
inline std::vector<std::int16_t> Samples(std::size_t frames, int channels,
                                         const std::function<int(std::size_t, int)>& value)
{
    std::vector<std::int16_t> samples;
    for (std::size_t frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < channels; ++channel)
            samples.push_back(static_cast<std::int16_t>(value(frame, channel)));
    return samples;
}

// A canonical PCM 16-bit WAV: a 44-byte header, then the interleaved samples.
inline std::vector<std::uint8_t> WavBytes(int rate, int channels,
                                          const std::vector<std::int16_t>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    BinaryWriter writer;
    const auto text = [&](std::string_view tag) {
        writer.WriteBytes({reinterpret_cast<const std::uint8_t*>(tag.data()), tag.size()});
    };
    text("RIFF");
    writer.WriteU32(36 + dataBytes);
    text("WAVEfmt ");
    writer.WriteU32(16);
    writer.WriteU16(1); // PCM
    writer.WriteU16(static_cast<std::uint16_t>(channels));
    writer.WriteU32(static_cast<std::uint32_t>(rate));
    writer.WriteU32(static_cast<std::uint32_t>(rate * channels * 2));
    writer.WriteU16(static_cast<std::uint16_t>(channels * 2));
    writer.WriteU16(16);
    text("data");
    writer.WriteU32(dataBytes);
    for (std::int16_t sample : samples)
        writer.WriteI16(sample);
    return writer.TakeBytes();
}

// A fresh folder for one test's files, removed afterwards.
class AudioFileTest : public ::testing::Test {
protected:
    std::filesystem::path WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        WriteFileAtomically(m_folder / name, bytes);
        return m_folder / name;
    }

    // Encodes `seconds` of a 44.1 kHz sine tone to MP3 with the ffmpeg program.
    std::filesystem::path MakeMp3(const std::string& name, double seconds, bool lameHeader)
    {
        const auto path = m_folder / name;
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                                    "sine=frequency=440:sample_rate=44100:duration="
            + std::to_string(seconds) + " -c:a libmp3lame -b:a 128k"
            + (lameHeader ? "" : " -write_xing 0") + " '" + path.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }

    TempFolder m_temp;
    const std::filesystem::path m_folder = m_temp.path();
};

} // namespace zelvane::test
