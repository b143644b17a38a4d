#include "media/AudioDecoder.h"

#include "media/FfmpegSupport.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace zelvane {

namespace {

constexpr int kMinOutputRate = 1000;
constexpr int kMaxOutputRate = 384000;
constexpr int kMaxOutputChannels = 8;

// Failures of the file system, as opposed to content FFmpeg cannot make sense of.
bool IsFileSystemError(int code)
{
    for (int error : {ENOENT, EACCES, EPERM, EISDIR, ENOTDIR, ELOOP, ENAMETOOLONG, EIO}) {
        if (code == AVERROR(error))
            return true;
    }
    return false;
}

// FFmpeg's own words go only where English is spoken: the reason says what failed.
[[noreturn]] void Fail(std::uint32_t reasonId, const std::filesystem::path& path, int code)
{
    std::string words = FfmpegErrorText(code);
    if (const std::string detail = TakeFfmpegLogMessage(); !detail.empty())
        words += " (" + detail + ")";
    const Reason reason(reasonId, {path}, std::move(words));
    if (IsFileSystemError(code))
        throw FileIoError(reason);
    throw FileFormatError(reason);
}

struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

// Turns decoded frames of whatever layout into interleaved 16-bit PCM of one fixed rate and
// channel count, appended to the song's samples. Frames already in that form are copied as
// they are, which is what the resampler would do with them; the others go through the
// resampler, which writes straight into the song's samples. It is set up from the first frame
// rather than from the stream header, because the frames are what the decoder really
// produces; should the input format change mid-stream, what is buffered is flushed and the
// new format is set up.
class S16Converter {
public:
    S16Converter(const std::filesystem::path& path, int rate, int channels,
                 const AudioDecoder::SampleObserver& observer)
        : m_path(path)
        , m_rate(rate)
        , m_channels(channels)
        , m_observer(observer)
    {
        av_channel_layout_default(&m_outLayout, channels);
    }
    ~S16Converter()
    {
        swr_free(&m_swr);
        av_channel_layout_uninit(&m_inLayout);
        av_channel_layout_uninit(&m_outLayout);
    }
    S16Converter(const S16Converter&) = delete;
    S16Converter& operator=(const S16Converter&) = delete;

    void Convert(const AVFrame& frame, PcmSamples& out)
    {
        if (!m_configured || frame.format != m_inFormat || frame.sample_rate != m_inRate
            || av_channel_layout_compare(&frame.ch_layout, &m_inLayout) != 0) {
            Flush(out);
            Configure(frame);
        }
        if (m_swr) {
            Run(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples, out);
        } else {
            const std::size_t values = static_cast<std::size_t>(frame.nb_samples) * m_channels;
            std::int16_t* target = Extend(out, values);
            std::memcpy(target, frame.extended_data[0], values * sizeof(std::int16_t));
            if (m_observer)
                m_observer(target, values);
        }
    }

    // Emits what the resampler still holds (its filter delay) at the end of the stream.
    void Flush(PcmSamples& out)
    {
        if (!m_swr)
            return;
        while (Run(nullptr, 0, out) > 0) { }
    }

private:
    void Configure(const AVFrame& frame)
    {
        swr_free(&m_swr);
        m_configured = false;
        av_channel_layout_uninit(&m_inLayout);
        int result = av_channel_layout_copy(&m_inLayout, &frame.ch_layout);
        // A WAV without a channel mask only says how many channels it has; take the usual
        // layout for that count so the remix knows which is left and which is right.
        AVChannelLayout input = {};
        if (result >= 0) {
            if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
                av_channel_layout_default(&input, frame.ch_layout.nb_channels);
            else
                result = av_channel_layout_copy(&input, &frame.ch_layout);
        }
        const bool same = result >= 0 && frame.format == AV_SAMPLE_FMT_S16
            && frame.sample_rate == m_rate && av_channel_layout_compare(&input, &m_outLayout) == 0;
        if (result >= 0 && !same) {
            result = swr_alloc_set_opts2(&m_swr, &m_outLayout, AV_SAMPLE_FMT_S16, m_rate, &input,
                                         static_cast<AVSampleFormat>(frame.format),
                                         frame.sample_rate, 0, nullptr);
            if (result >= 0)
                result = swr_init(m_swr);
        }
        av_channel_layout_uninit(&input);
        if (result < 0) {
            swr_free(&m_swr);
            Fail(IDS_REASON_AUDIO_CANNOT_CONVERT, m_path, result);
        }
        m_inFormat = frame.format;
        m_inRate = frame.sample_rate;
        m_configured = true;
    }

    // Appends the converted output of `count` input samples; returns the frames appended.
    int Run(const std::uint8_t** input, int count, PcmSamples& out)
    {
        const int room = swr_get_out_samples(m_swr, count);
        if (room < 0)
            Fail(IDS_REASON_AUDIO_CANNOT_CONVERT, m_path, room);
        const std::size_t before = out.size();
        auto* target = reinterpret_cast<std::uint8_t*>(
            Extend(out, static_cast<std::size_t>(room) * m_channels));
        const int made = swr_convert(m_swr, &target, room, input, count);
        if (made < 0) {
            out.resize(before);
            Fail(IDS_REASON_AUDIO_CANNOT_CONVERT, m_path, made);
        }
        out.resize(before + static_cast<std::size_t>(made) * m_channels);
        if (m_observer && made > 0)
            m_observer(out.data() + before, static_cast<std::size_t>(made) * m_channels);
        return made;
    }

    // Makes room for `values` more samples at the end of `out` and returns where it starts.
    // A stretch of memory ahead is made ready for writing at a time, so that the song's
    // hundred megabytes are not mapped in one page fault per page.
    std::int16_t* Extend(PcmSamples& out, std::size_t values)
    {
        constexpr std::size_t kPrepareAhead = std::size_t{1} << 19; // a megabyte of samples
        const std::size_t before = out.size();
        out.resize(before + values);
        if (out.data() != m_preparedBlock) { // a new block: what was moved into it is written
            m_preparedBlock = out.data();
            m_prepared = before;
        }
        if (out.size() > m_prepared) {
            const std::size_t end = std::min(out.capacity(), out.size() + kPrepareAhead);
            PrepareSampleWrites(out.data() + m_prepared, (end - m_prepared) * sizeof(std::int16_t));
            m_prepared = end;
        }
        return out.data() + before;
    }

    const std::filesystem::path& m_path;
    int m_rate;
    int m_channels;
    const AudioDecoder::SampleObserver& m_observer;
    AVChannelLayout m_outLayout = {};
    AVChannelLayout m_inLayout = {};
    int m_inFormat = -1;
    int m_inRate = 0;
    bool m_configured = false;
    SwrContext* m_swr = nullptr; // null while frames are copied as they are
    const std::int16_t* m_preparedBlock = nullptr;
    std::size_t m_prepared = 0; // samples of m_preparedBlock ready for writing
};

// Counts a stream's samples per channel at the rate of its first frame; a later frame at
// another rate (possible in MP3) is counted by its length in time.
class SampleCounter {
public:
    void Count(const AVFrame& frame)
    {
        if (frame.sample_rate <= 0)
            return;
        if (m_rate == 0)
            m_rate = frame.sample_rate;
        m_samples += frame.sample_rate == m_rate
            ? frame.nb_samples
            : av_rescale(frame.nb_samples, m_rate, frame.sample_rate);
    }

    // Truncated to whole milliseconds.
    std::int64_t DurationMs(const std::filesystem::path& path) const
    {
        if (m_rate == 0)
            throw FileFormatError(Reason(IDS_REASON_AUDIO_NO_SAMPLE_RATE, {path}));
        return m_samples * 1000 / m_rate;
    }

private:
    std::int64_t m_samples = 0;
    int m_rate = 0;
};

void CheckOutputFormat(int sampleRate, int channels)
{
    if (sampleRate < kMinOutputRate || sampleRate > kMaxOutputRate || channels < 1
        || channels > kMaxOutputChannels) {
        throw InvalidArgumentError(Reason(IDS_REASON_AUDIO_OUTPUT_FORMAT, {sampleRate, channels}));
    }
}

} // namespace

void AudioDecoder::FormatCloser::operator()(AVFormatContext* context) const
{
    avformat_close_input(&context);
}

void AudioDecoder::CodecFreer::operator()(AVCodecContext* context) const
{
    avcodec_free_context(&context);
}

AudioDecoder::AudioDecoder(const std::filesystem::path& path)
    : m_path(path)
{
    RouteFfmpegLog();
    TakeFfmpegLogMessage(); // forget what earlier files left behind

    // FFmpeg's words for an empty file are "Invalid argument"; say what is wrong instead.
    std::error_code sizeError;
    if (std::filesystem::is_regular_file(path, sizeError)
        && std::filesystem::file_size(path, sizeError) == 0 && !sizeError)
        throw FileFormatError(Reason(IDS_REASON_AUDIO_EMPTY, {path}));

    // The "file:" prefix keeps a name with a colon from being read as a protocol, and the
    // whitelist keeps a crafted file (a playlist, say) from making FFmpeg reach beyond local
    // files.
    const std::string url = "file:" + path.string();
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* format = nullptr;
    int result = avformat_open_input(&format, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0)
        Fail(IDS_REASON_AUDIO_CANNOT_OPEN, path, result); // FFmpeg has already freed the context
    m_format.reset(format);

    result = avformat_find_stream_info(m_format.get(), nullptr);
    if (result < 0)
        Fail(IDS_REASON_AUDIO_NO_STREAMS, path, result);

    const AVCodec* codec = nullptr;
    result = av_find_best_stream(m_format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (result < 0 || !codec)
        Fail(IDS_REASON_AUDIO_NO_DECODABLE, path, result < 0 ? result : AVERROR_DECODER_NOT_FOUND);
    m_streamIndex = result;
    // Asked once: FFmpeg asks the file system every time, and the progress wants it for
    // every packet.
    if (AVIOContext* io = m_format->pb)
        m_fileBytes = std::max<std::int64_t>(avio_size(io), 0);
    // Cover art and other streams are not even demuxed into packets.
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        if (static_cast<int>(i) != m_streamIndex)
            m_format->streams[i]->discard = AVDISCARD_ALL;
    }

    m_codec.reset(avcodec_alloc_context3(codec));
    if (!m_codec)
        throw std::bad_alloc();
    const AVStream* stream = m_format->streams[m_streamIndex];
    result = avcodec_parameters_to_context(m_codec.get(), stream->codecpar);
    if (result >= 0) {
        m_codec->pkt_timebase = stream->time_base;
        result = avcodec_open2(m_codec.get(), codec, nullptr);
    }
    if (result < 0)
        Fail(IDS_REASON_AUDIO_CANNOT_START, path, result);
}

AudioDecoder::~AudioDecoder() = default;

int AudioDecoder::sampleRate() const
{
    return m_codec->sample_rate;
}

int AudioDecoder::channels() const
{
    return m_codec->ch_layout.nb_channels;
}

std::int64_t AudioDecoder::MeasureDurationMs()
{
    SampleCounter counter;
    DecodeEachFrame([&](const AVFrame& frame) { counter.Count(frame); });
    return counter.DurationMs(m_path);
}

PcmAudio AudioDecoder::DecodePcm(int sampleRate, int channels)
{
    return std::move(DecodeMeasuredPcm(sampleRate, channels).pcm);
}

MeasuredPcm AudioDecoder::DecodeMeasuredPcm(int sampleRate, int channels)
{
    CheckOutputFormat(sampleRate, channels);
    MeasuredPcm result;
    PcmAudio& pcm = result.pcm;
    pcm.sampleRate = sampleRate;
    pcm.channels = channels;
    pcm.samples.reserve(ExpectedSampleCount(sampleRate, channels));
    SampleCounter counter;
    S16Converter converter(m_path, sampleRate, channels, m_observer);
    DecodeEachFrame([&](const AVFrame& frame) {
        counter.Count(frame);
        converter.Convert(frame, pcm.samples);
    });
    converter.Flush(pcm.samples);
    result.durationMs = counter.DurationMs(m_path);
    return result;
}

std::size_t AudioDecoder::ExpectedSampleCount(int sampleRate, int channels) const
{
    // The container's duration is only a guess, and a hostile one: the room is held to what
    // the file could plausibly expand to, and what is missing grows as it comes.
    constexpr std::int64_t kMaxExpansion = 64;
    const std::int64_t duration = m_format->duration;
    const std::int64_t fileBytes = m_fileBytes;
    if (duration <= 0 || fileBytes <= 0)
        return 0;
    const std::int64_t frames = av_rescale(duration, sampleRate, AV_TIME_BASE) + sampleRate;
    const std::int64_t values = std::min(frames, INT64_MAX / channels) * channels;
    const std::int64_t limit
        = fileBytes * kMaxExpansion / static_cast<std::int64_t>(sizeof(std::int16_t));
    return static_cast<std::size_t>(std::min(values, limit));
}

int AudioDecoder::PercentRead(std::int64_t position) const
{
    if (m_fileBytes <= 0 || position <= 0)
        return 0;
    return static_cast<int>(std::min(position, m_fileBytes) * 100 / m_fileBytes);
}

void AudioDecoder::DecodeEachFrame(const FrameSink& sink)
{
    if (m_consumed)
        throw InvalidArgumentError(Reason(IDS_REASON_AUDIO_DECODED_TWICE, {m_path}));
    m_consumed = true;

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame)
        throw std::bad_alloc();

    bool anySamples = false;
    int firstError = 0;
    auto receiveFrames = [&] {
        for (;;) {
            const int result = avcodec_receive_frame(m_codec.get(), frame.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                return;
            if (result < 0) {
                if (firstError == 0)
                    firstError = result;
                return;
            }
            if (frame->nb_samples > 0) {
                anySamples = true;
                sink(*frame);
            }
            av_frame_unref(frame.get());
        }
    };

    // Where the packets lie in the file, not how far the reader has buffered: the stream's
    // analysis reads ahead before the first packet is handed out.
    int percent = 0;
    for (;;) {
        if (m_progress && !m_progress(percent))
            throw DecodeCancelled();
        const int result = av_read_frame(m_format.get(), packet.get());
        if (result == AVERROR_EOF)
            break;
        if (result < 0)
            Fail(IDS_REASON_AUDIO_CANNOT_READ, m_path, result);
        if (packet->stream_index == m_streamIndex) {
            if (packet->pos >= 0)
                percent = PercentRead(packet->pos + packet->size);
            const int sent = avcodec_send_packet(m_codec.get(), packet.get());
            if (sent < 0 && firstError == 0)
                firstError = sent;
        }
        av_packet_unref(packet.get());
        receiveFrames();
    }
    avcodec_send_packet(m_codec.get(), nullptr); // drain what the decoder still holds
    receiveFrames();

    if (!anySamples) {
        if (firstError != 0)
            Fail(IDS_REASON_AUDIO_NOTHING_DECODED, m_path, firstError);
        throw FileFormatError(Reason(IDS_REASON_AUDIO_NO_SAMPLES, {m_path}));
    }
}

} // namespace zelvane
