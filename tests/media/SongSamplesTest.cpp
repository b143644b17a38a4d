#include "AudioFiles.h"
#include "VideoReading.h"

#include "media/SongDecoding.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

using namespace zelvane;
using namespace zelvane::test;

namespace {

// What FFmpeg and its resampler make of a file, written out plainly: every frame through one
// resampler set up from the first frame, its remainder flushed at the end. This is the
// reference the player's samples are held to, whatever shortcuts the program takes.
struct Reference {
    std::vector<std::int16_t> samples;
    std::int64_t durationMs = 0;
};

Reference ReferenceDecode(const std::filesystem::path& path, SongFormat out)
{
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0)
        throw std::runtime_error("FFmpeg cannot open " + path.string());
    const Owned<AVFormatContext, avformat_close_input> format(opened);
    const AVCodec* codec = nullptr;
    if (avformat_find_stream_info(format.get(), nullptr) < 0
        || av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0) != 0)
        throw std::runtime_error("no audio stream first in " + path.string());
    const Owned<AVCodecContext, avcodec_free_context> decoder(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(decoder.get(), format->streams[0]->codecpar);
    decoder->pkt_timebase = format->streams[0]->time_base;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        throw std::runtime_error("no decoder for " + path.string());

    Reference result;
    SwrContext* swr = nullptr;
    int fileRate = 0;
    std::int64_t fileSamples = 0;
    const auto convert = [&](const std::uint8_t** input, int count) {
        const int room = swr_get_out_samples(swr, count);
        std::vector<std::int16_t> block(static_cast<std::size_t>(room) * out.channels);
        auto* target = reinterpret_cast<std::uint8_t*>(block.data());
        const int made = swr_convert(swr, &target, room, input, count);
        result.samples.insert(result.samples.end(), block.begin(),
                              block.begin() + static_cast<std::ptrdiff_t>(made) * out.channels);
        return made;
    };
    const Owned<AVPacket, av_packet_free> packet(av_packet_alloc());
    const Owned<AVFrame, av_frame_free> frame(av_frame_alloc());
    const auto receive = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            if (!swr) {
                AVChannelLayout in{};
                AVChannelLayout outLayout{};
                av_channel_layout_default(&in, frame->ch_layout.nb_channels);
                av_channel_layout_default(&outLayout, out.channels);
                swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_S16, out.sampleRate, &in,
                                    static_cast<AVSampleFormat>(frame->format), frame->sample_rate,
                                    0, nullptr);
                swr_init(swr);
                fileRate = frame->sample_rate;
            }
            fileSamples += frame->nb_samples;
            convert(const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        receive();
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    while (swr && convert(nullptr, 0) > 0) { }
    swr_free(&swr);
    result.durationMs = fileRate ? fileSamples * 1000 / fileRate : 0;
    return result;
}

using SongSamplesTest = AudioFileTest;

template<typename Level> std::vector<std::pair<int, int>> Spans(const Level& level)
{
    std::vector<std::pair<int, int>> spans;
    for (const AmplitudeSpan& span : level)
        spans.emplace_back(span.low, span.high);
    return spans;
}

// The samples the player gets and the length the document keeps are FFmpeg's, sample for
// sample, whether they are copied as decoded, converted, remixed or resampled.
TEST_F(SongSamplesTest, AreThoseOfFfmpegAndItsResampler)
{
    const auto ramp = [](std::size_t i, int channel) {
        return static_cast<int>((i * 97 + channel * 5000) % 50000) - 25000;
    };
    const auto stereo = WriteFile("stereo.wav", WavBytes(44100, 2, Samples(30011, 2, ramp)));
    const auto mono = WriteFile("mono.wav", WavBytes(8000, 1, Samples(9001, 1, ramp)));
    std::vector<std::pair<std::filesystem::path, SongFormat>> cases = {
        {stereo, {44100, 2}}, // copied as decoded
        {stereo, {48000, 2}}, {stereo, {44100, 1}}, {mono, {8000, 2}}, {mono, {11025, 1}},
    };
    if (std::system("ffmpeg -version >/dev/null 2>&1") == 0) {
        // Decoded to floating point: always converted.
        const auto mp3 = MakeMp3("song.mp3", 2.5, true);
        // Loud, then a minute of silence, at a variable rate with no header giving the
        // length: its first frames make the file look a fraction as long as it is, so the
        // room made for the samples falls short and grows as they come.
        const auto misleading = m_folder / "misleading.mp3";
        const std::string command
            = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
              "anoisesrc=d=1:a=0.5:r=44100,apad=whole_dur=60 -ac 2 -c:a libmp3lame -q:a 0 "
              "-write_xing 0 '"
            + misleading.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        cases.insert(cases.end(), {{mp3, {44100, 1}}, {mp3, {48000, 2}}, {misleading, {44100, 2}}});
    }
    for (const auto& [path, format] : cases) {
        SCOPED_TRACE(path.filename().string() + " to " + std::to_string(format.sampleRate) + " Hz, "
                     + std::to_string(format.channels) + " channels");
        const DecodedSong song = DecodeSong(path, [format = format](int, int) { return format; });
        ASSERT_TRUE(song.decoded) << EnglishText(song.failure);
        const Reference reference = ReferenceDecode(path, format);
        ASSERT_FALSE(reference.samples.empty());
        EXPECT_EQ(std::pair(song.pcm->sampleRate, song.pcm->channels),
                  std::pair(format.sampleRate, format.channels));
        EXPECT_EQ(std::vector(song.pcm->samples.begin(), song.pcm->samples.end()),
                  reference.samples);
        EXPECT_EQ(song.durationMs, reference.durationMs);
        // The envelope made on the way is the one the samples give.
        ASSERT_TRUE(song.envelope);
        const AmplitudePyramid envelope(*song.pcm);
        EXPECT_EQ(song.envelope->frameCount(), envelope.frameCount());
        ASSERT_EQ(song.envelope->levelCount(), envelope.levelCount());
        for (std::size_t level = 0; level < envelope.levelCount(); ++level)
            EXPECT_EQ(Spans(song.envelope->Level(level)), Spans(envelope.Level(level))) << level;
    }
}

} // namespace
