// How long a document's song takes to become playable through the background job (decode,
// measure, convert and make the envelope in one pass, handed over from the job's thread),
// against FFmpeg decoding the same file and doing nothing else with it (called directly,
// none of the program's code in between). Both open the file inside the timed loop; the
// `cpu_ms` counters are the processor time of the thread doing the work. The file is a
// ten-minute stereo MP3 made by the `ffmpeg` program at the first run (kept in the
// temporary folder).
#include "media/AudioDecoder.h"
#include "media/SongDecodeJob.h"
#include "media/SongDecoding.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <memory>
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
        auto file = std::filesystem::temp_directory_path() / "zelvane-song-bench-600s.mp3";
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

template<typename T, void (*Free)(T**)> struct FreeWith {
    void operator()(T* object) const { Free(&object); }
};
template<typename T, void (*Free)(T**)> using Owned = std::unique_ptr<T, FreeWith<T, Free>>;

// FFmpeg alone: the file opened as the program opens it, every packet of the audio stream
// demuxed and decoded, the samples counted and dropped; nothing of the program runs. Returns
// the samples per channel, or -1 when FFmpeg fails.
std::int64_t FfmpegDecode(const std::filesystem::path& path)
{
    const std::string url = "file:" + path.string();
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* opened = nullptr;
    const int result = avformat_open_input(&opened, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0)
        return -1;
    const Owned<AVFormatContext, avformat_close_input> format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return -1;
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0 || !codec)
        return -1;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != stream)
            format->streams[i]->discard = AVDISCARD_ALL;
    }
    const Owned<AVCodecContext, avcodec_free_context> decoder(avcodec_alloc_context3(codec));
    if (!decoder
        || avcodec_parameters_to_context(decoder.get(), format->streams[stream]->codecpar) < 0)
        return -1;
    decoder->pkt_timebase = format->streams[stream]->time_base;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return -1;
    const Owned<AVPacket, av_packet_free> packet(av_packet_alloc());
    const Owned<AVFrame, av_frame_free> frame(av_frame_alloc());
    std::int64_t samples = 0;
    const auto receive = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            samples += frame->nb_samples;
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        receive();
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    return samples;
}

void BM_FfmpegDecodeAlone(benchmark::State& state)
{
    const auto& song = LongMp3();
    if (song.empty()) {
        state.SkipWithError("the ffmpeg program could not make the MP3 (is it installed?)");
        return;
    }
    double cpuMs = 0;
    for (auto _ : state) {
        const double start = ThreadCpuMs();
        const std::int64_t samples = FfmpegDecode(song);
        cpuMs += ThreadCpuMs() - start;
        if (samples <= 0) {
            state.SkipWithError("FFmpeg could not decode the song");
            return;
        }
        benchmark::DoNotOptimize(samples);
    }
    state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
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
    // The job thread's processor time from the decode's start to the song handed over (the
    // envelope included), apart from the wall clock a loaded machine stretches.
    double jobStartMs = 0;
    double jobCpuMs = 0;
    const SongDecodeJob::Decode decode =
        [rate, &jobStartMs](const std::filesystem::path& path,
                            const AudioDecoder::ProgressHandler& progress, const std::stop_token&) {
            jobStartMs = ThreadCpuMs();
            return DecodeSong(
                path,
                [rate](int songRate, int channels) {
                    return SongFormat{rate ? rate : songRate, channels};
                },
                progress);
        };
    std::optional<DecodedSong> result;
    for (auto _ : state) {
        // Letting the previous song go is not part of making this one playable.
        state.PauseTiming();
        result.reset();
        state.ResumeTiming();
        std::mutex mutex;
        std::condition_variable done;
        SongDecodeJob job(
            song, decode, [](int) {},
            [&](DecodedSong decoded) {
                const double cpuMs = ThreadCpuMs() - jobStartMs;
                std::lock_guard lock(mutex);
                jobCpuMs += cpuMs;
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
    state.counters["cpu_ms"] = jobCpuMs / static_cast<double>(state.iterations());
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
