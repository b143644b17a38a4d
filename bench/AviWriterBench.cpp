// How fast the background video is written: frames a second for 640 x 480 frames going into
// an AVI file in a temporary folder, uncompressed and with Ut Video, each video opened,
// written and closed (flushed to disk) as the export does. As a yardstick, the ffmpeg
// program writing the same number of uncompressed frames from a raw file into an AVI file.
#include "media/AviWriter.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace zelvane;

constexpr int kWidth = AviWriter::kWidth;
constexpr int kHeight = AviWriter::kHeight;
constexpr int kStride = kWidth * 4;
constexpr int kFramesPerVideo = 150; // five seconds
constexpr int kDistinctFrames = 30;

using Picture = std::vector<std::uint8_t>;

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "zelvane-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() { std::filesystem::remove_all(m_path, m_error); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::error_code m_error;
};

// Something like the chart screen: a dark background with lane stripes and bright arrows
// scrolling up, different in every frame of a second.
std::vector<Picture> ChartLikeFrames()
{
    std::vector<Picture> frames;
    for (int frame = 0; frame < kDistinctFrames; ++frame) {
        Picture picture(static_cast<std::size_t>(kStride) * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                std::uint8_t* pixel = &picture[static_cast<std::size_t>(y * kStride + x * 4)];
                const bool stripe = (x / 64) % 2 == 0;
                const bool arrow = ((y + frame * 16) % 120 < 48) && (x % 64 > 8) && (x % 64 < 56);
                pixel[0] = arrow ? 240 : stripe ? 40 : 24;
                pixel[1] = arrow ? static_cast<std::uint8_t>(x / 3) : stripe ? 32 : 20;
                pixel[2] = arrow ? static_cast<std::uint8_t>(255 - y / 2) : stripe ? 36 : 22;
                pixel[3] = 255;
            }
        }
        frames.push_back(std::move(picture));
    }
    return frames;
}

void WriteVideo(benchmark::State& state, const char* codec)
{
    const TemporaryFolder folder;
    const std::vector<Picture> frames = ChartLikeFrames();
    for (auto _ : state) {
        AviWriter writer;
        writer.Open(folder.path() / "video.avi", {.codec = codec});
        for (int i = 0; i < kFramesPerVideo; ++i)
            writer.WriteFrame(frames[i % kDistinctFrames].data(), kStride);
        writer.Close();
    }
    state.SetItemsProcessed(state.iterations() * kFramesPerVideo);
}
BENCHMARK_CAPTURE(WriteVideo, rawvideo, "rawvideo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WriteVideo, utvideo, "utvideo")->Unit(benchmark::kMillisecond)->UseRealTime();

void FfmpegProgramRawvideo(benchmark::State& state)
{
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) {
        state.SkipWithError("the ffmpeg program is not installed");
        return;
    }
    const TemporaryFolder folder;
    const auto input = folder.path() / "frames.bgr";
    {
        std::ofstream out(input, std::ios::binary);
        const std::vector<Picture> frames = ChartLikeFrames();
        std::vector<char> row(static_cast<std::size_t>(kWidth) * 3);
        for (int i = 0; i < kFramesPerVideo; ++i) {
            const Picture& picture = frames[i % kDistinctFrames];
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    for (int channel = 0; channel < 3; ++channel)
                        row[x * 3 + channel] = static_cast<char>(
                            picture[static_cast<std::size_t>(y * kStride + x * 4 + channel)]);
                }
                out.write(row.data(), static_cast<std::streamsize>(row.size()));
            }
        }
    }
    const std::string command = "ffmpeg -nostdin -loglevel error -f rawvideo -pix_fmt bgr24 "
                                "-s 640x480 -r 30 -i '"
        + input.string() + "' -c:v rawvideo -y '" + (folder.path() / "video.avi").string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the ffmpeg program failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kFramesPerVideo);
}
BENCHMARK(FfmpegProgramRawvideo)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
