// How long a document's song takes to become playable through the background job (decode,
// measure and convert in one pass, handed over from the job's thread), against FFmpeg
// decoding the same file and doing nothing else with it. The file is a ten-minute stereo
// MP3 made by the `ffmpeg` program at the first run (kept in the temporary folder).
#include "media/AudioDecoder.h"
#include "media/SongDecodeJob.h"
#include "media/SongDecoding.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <time.h>

namespace zelvane {
namespace {

constexpr int kSongSeconds = 600;

// The song, or an empty path when it cannot be made.
const std::filesystem::path& LongMp3()
{
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "zelvane-song-bench-600s.mp3";
        std::error_code error;
        if (std::filesystem::file_size(file, error) > 0 && !error)
            return file;
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                                    "\"sine=frequency=440:sample_rate=44100:duration="
            + std::to_string(kSongSeconds) + "\" -ac 2 -c:a libmp3lame -b:a 192k '" + file.string()
            + "'";
        if (std::system(command.c_str()) != 0)
            return std::filesystem::path();
        return file;
    }();
    return path;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// FFmpeg's decode of every packet, the samples counted and dropped.
void BM_FfmpegDecodeAlone(benchmark::State& state)
{
    const auto& song = LongMp3();
    if (song.empty()) {
        state.SkipWithError("the ffmpeg program could not make the MP3 (is it installed?)");
        return;
    }
    for (auto _ : state) {
        AudioDecoder decoder(song);
        benchmark::DoNotOptimize(decoder.MeasureDurationMs());
    }
}
BENCHMARK(BM_FfmpegDecodeAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the job's start to the song in hand on the starting thread, in the format `rate`
// asks for (0: the song's own, as a device that takes it).
void SongJobToPlayable(benchmark::State& state, int rate)
{
    const auto& song = LongMp3();
    if (song.empty()) {
        state.SkipWithError("the ffmpeg program could not make the MP3 (is it installed?)");
        return;
    }
    // The job's own processor time, apart from the wall clock a loaded machine stretches.
    double jobCpuMs = 0;
    const SongDecodeJob::Decode decode
        = [rate, &jobCpuMs](const std::filesystem::path& path,
                            const AudioDecoder::ProgressHandler& progress, std::stop_token) {
              const double start = ThreadCpuMs();
              DecodedSong decoded = DecodeSong(
                  path,
                  [rate](int songRate, int channels) {
                      return SongFormat{rate ? rate : songRate, channels};
                  },
                  progress);
              jobCpuMs += ThreadCpuMs() - start;
              return decoded;
          };
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<DecodedSong> result;
        SongDecodeJob job(
            song, decode, [](int) {},
            [&](DecodedSong decoded) {
                std::lock_guard lock(mutex);
                result = std::move(decoded);
                done.notify_all();
            });
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return result.has_value(); });
        if (!result->decoded) {
            state.SkipWithError("the song did not decode");
            return;
        }
        benchmark::DoNotOptimize(result->pcm->samples.data());
    }
    state.counters["job_cpu_ms"] = jobCpuMs / static_cast<double>(state.iterations());
}

void BM_SongJobToPlayable(benchmark::State& state)
{
    SongJobToPlayable(state, 0);
}
BENCHMARK(BM_SongJobToPlayable)->Unit(benchmark::kMillisecond)->UseRealTime();

// A device that wants 48 kHz: the resampler's share.
void BM_SongJobToPlayableResampled(benchmark::State& state)
{
    SongJobToPlayable(state, 48000);
}
BENCHMARK(BM_SongJobToPlayableResampled)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace zelvane
