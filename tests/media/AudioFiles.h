#pragma once

#include "text/BinaryWriter.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace zelvane::test {

// A canonical PCM 16-bit WAV: a 44-byte header, then the interleaved samples.
inline std::vector<std::uint8_t> WavBytes(int rate, int channels,
                                          const std::vector<std::int16_t>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    BinaryWriter writer;
    writer.WriteBytes({reinterpret_cast<const std::uint8_t*>("RIFF"), 4});
    writer.WriteU32(36 + dataBytes);
    writer.WriteBytes({reinterpret_cast<const std::uint8_t*>("WAVEfmt "), 8});
    writer.WriteU32(16);
    writer.WriteU16(1); // PCM
    writer.WriteU16(static_cast<std::uint16_t>(channels));
    writer.WriteU32(static_cast<std::uint32_t>(rate));
    writer.WriteU32(static_cast<std::uint32_t>(rate * channels * 2));
    writer.WriteU16(static_cast<std::uint16_t>(channels * 2));
    writer.WriteU16(16);
    writer.WriteBytes({reinterpret_cast<const std::uint8_t*>("data"), 4});
    writer.WriteU32(dataBytes);
    for (std::int16_t sample : samples)
        writer.WriteI16(sample);
    return writer.TakeBytes();
}

// A fresh folder for one test's files, removed afterwards.
class AudioFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path()
            / ("zelvane_media_" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::filesystem::path WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = m_folder / name;
        WriteFileAtomically(path, bytes);
        return path;
    }

    std::filesystem::path WriteWav(const std::string& name, int rate, int channels,
                                   const std::vector<std::int16_t>& samples)
    {
        return WriteFile(name, WavBytes(rate, channels, samples));
    }

    static bool HaveFfmpegCli() { return std::system("ffmpeg -version >/dev/null 2>&1") == 0; }

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

    std::filesystem::path m_folder;
};

} // namespace zelvane::test
