#include "media/AviEncoder.h"

#include "media/AviCodecProfile.h"
#include "media/FfmpegSupport.h"
#include "media/MediaErrors.h"
#include "text/StringTable.h"

#include <climits>
#include <new>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace zelvane {
namespace {

// The painted frames: 32 bits a pixel, bytes B, G, R and one unused.
constexpr AVPixelFormat kInputFormat = AV_PIX_FMT_BGR0;
constexpr int kInputBytesPerPixel = 4;

// A data rate is handed to the encoders in bits, and some keep their rate buffer in an int.
constexpr int kMaxBitRateKbits = 1'000'000;
// An hour of video; a longer distance between key frames only makes the file unseekable.
constexpr int kMaxKeyFrameInterval = 3600 * AviEncoder::kFramesPerSecond;

// FFmpeg's own words go only where English is spoken: the reason says what failed.
[[noreturn]] void Fail(std::uint32_t reasonId, std::initializer_list<ReasonArgument> arguments,
                       int code)
{
    std::string words = FfmpegErrorText(code);
    if (const std::string detail = TakeFfmpegLogMessage(); !detail.empty())
        words += " (" + detail + ")";
    throw MediaError(Reason(reasonId, arguments, std::move(words)));
}

void CheckOptions(const AviWriterOptions& options)
{
    if (options.quality < -1 || options.quality > 100)
        throw InvalidArgumentError(Reason(IDS_REASON_VIDEO_QUALITY, {options.quality}));
    if (options.keyFrameInterval < 0 || options.keyFrameInterval > kMaxKeyFrameInterval)
        throw InvalidArgumentError(Reason(IDS_REASON_VIDEO_KEY_FRAMES, {options.keyFrameInterval}));
    if (options.bitRateKbits < 0 || options.bitRateKbits > kMaxBitRateKbits)
        throw InvalidArgumentError(Reason(IDS_REASON_VIDEO_DATA_RATE, {options.bitRateKbits}));
}

AVPixelFormat ChoosePixelFormat(const AviCodecProfile& profile, const AVCodec& encoder)
{
    for (AVPixelFormat wanted : profile.pixelFormats) {
        if (!encoder.pix_fmts)
            return wanted; // the encoder does not say: it takes what it is given
        for (const AVPixelFormat* offered = encoder.pix_fmts; *offered != AV_PIX_FMT_NONE;
             ++offered) {
            if (*offered == wanted)
                return wanted;
        }
    }
    return AV_PIX_FMT_NONE;
}

// Quality 0 to 100 onto the quantiser scale of MPEG-family encoders, 31 down to 2, and onto
// x264's rate factor, 51 down to 0; both rounded to the nearest step.
int QuantiserFor(int quality)
{
    return 31 - (quality * 29 + 50) / 100;
}

int RateFactorFor(int quality)
{
    return 51 - (quality * 51 + 50) / 100;
}

// The uncompressed layout: rows from the bottom up, three bytes a pixel with the fourth of
// the input dropped.
void CopyBottomUp(const std::uint8_t* pixels, std::ptrdiff_t stride, std::uint8_t* target,
                  int targetStride)
{
    for (int row = 0; row < AviEncoder::kHeight; ++row) {
        const std::uint8_t* in = pixels + (AviEncoder::kHeight - 1 - row) * stride;
        std::uint8_t* out = target + static_cast<std::ptrdiff_t>(row) * targetStride;
        for (int x = 0; x < AviEncoder::kWidth; ++x, in += kInputBytesPerPixel, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

} // namespace

void AviEncoder::FrameFreer::operator()(AVFrame* frame) const
{
    av_frame_free(&frame);
}

void AviEncoder::CodecFreer::operator()(AVCodecContext* context) const
{
    avcodec_free_context(&context);
}

void AviEncoder::ScalerFreer::operator()(SwsContext* scaler) const
{
    sws_freeContext(scaler);
}

AviEncoder::AviEncoder(const AviWriterOptions& options)
{
    const AviCodecProfile* profile = FindAviCodecProfile(options.codec);
    if (!profile)
        throw InvalidArgumentError(Reason(IDS_REASON_VIDEO_UNKNOWN_ENCODER, {options.codec}));
    CheckOptions(options);
    RouteFfmpegLog();
    TakeFfmpegLogMessage(); // forget what earlier work left behind

    const AVCodec* encoder = avcodec_find_encoder_by_name(options.codec.c_str());
    m_context.reset(avcodec_alloc_context3(encoder));
    if (!m_context)
        throw std::bad_alloc();
    m_context->pix_fmt = ChoosePixelFormat(*profile, *encoder);
    if (m_context->pix_fmt == AV_PIX_FMT_NONE)
        throw MediaError(Reason(IDS_REASON_VIDEO_NO_PIXEL_FORMAT, {options.codec}));
    m_bottomUp = encoder->id == AV_CODEC_ID_RAWVIDEO;
    Configure(*profile, options);

    AVDictionary* settings = nullptr;
    if (profile->qualityControl == AviQualityControl::Crf && options.quality >= 0)
        av_dict_set_int(&settings, "crf", RateFactorFor(options.quality), 0);
    const int opened = avcodec_open2(m_context.get(), encoder, &settings);
    av_dict_free(&settings);
    if (opened < 0)
        Fail(IDS_REASON_VIDEO_CANNOT_START, {options.codec}, opened);

    // Kept apart from the encoder's context, which the encoding thread works in meanwhile.
    m_pixelFormat = m_context->pix_fmt;
    m_frameQuality = (m_context->flags & AV_CODEC_FLAG_QSCALE) ? m_context->global_quality : 0;
    if (!m_bottomUp) {
        m_scaler.reset(sws_getContext(kWidth, kHeight, kInputFormat, kWidth, kHeight,
                                      static_cast<AVPixelFormat>(m_pixelFormat), SWS_BICUBIC,
                                      nullptr, nullptr, nullptr));
        if (!m_scaler)
            throw MediaError(Reason(IDS_REASON_VIDEO_NO_CONVERSION, {options.codec}));
    }
}

AviEncoder::~AviEncoder() = default;

void AviEncoder::Configure(const AviCodecProfile& profile, const AviWriterOptions& options)
{
    AVCodecContext& context = *m_context;
    context.width = kWidth;
    context.height = kHeight;
    context.sample_aspect_ratio = {1, 1};
    context.time_base = {1, kFramesPerSecond};
    context.framerate = {kFramesPerSecond, 1};
    // Encoders with threads of their own use them, as many as there are cores; copying
    // uncompressed frames gains nothing from threads but the hand-over between them.
    context.thread_count = m_bottomUp ? 1 : 0;
    context.thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    // AVI stores one timestamp a frame and no reordering, so no frame may refer to a later one.
    context.max_b_frames = 0;
    if (options.keyFrameInterval > 0)
        context.gop_size = options.keyFrameInterval;

    const bool aimAtRate = profile.codec.supportsBitRate && options.bitRateKbits > 0;
    if (aimAtRate) {
        context.bit_rate = static_cast<std::int64_t>(options.bitRateKbits) * 1000;
        // x264 only caps its rate with a buffer to measure it over: one second of data.
        if (profile.qualityControl == AviQualityControl::Crf) {
            context.rc_max_rate = context.bit_rate;
            context.rc_buffer_size = static_cast<int>(context.bit_rate);
        }
    }
    // A fixed quantiser overrides the rate control of these encoders, so a data rate, when
    // one is asked for, wins over the quality.
    if (profile.qualityControl == AviQualityControl::QScale && options.quality >= 0 && !aimAtRate) {
        context.flags |= AV_CODEC_FLAG_QSCALE;
        context.global_quality = FF_QP2LAMBDA * QuantiserFor(options.quality);
    }
}

AviEncoder::FramePointer AviEncoder::NewFrame() const
{
    FramePointer frame(av_frame_alloc());
    if (!frame)
        throw std::bad_alloc();
    return frame;
}

void AviEncoder::Fill(AVFrame& frame, const std::uint8_t* pixels, std::ptrdiff_t stride,
                      std::int64_t index)
{
    if (!pixels || stride < kWidth * kInputBytesPerPixel || stride > INT_MAX)
        throw InvalidArgumentError(Reason(IDS_REASON_VIDEO_FRAME_STRIDE, {stride}));
    // The encoder may still hold the previous picture of this frame (frame threads keep a
    // reference until they are done): then take a fresh one instead of waiting for it.
    if (!frame.buf[0] || !av_frame_is_writable(&frame)) {
        av_frame_unref(&frame);
        frame.format = m_pixelFormat;
        frame.width = kWidth;
        frame.height = kHeight;
        if (const int result = av_frame_get_buffer(&frame, 0); result < 0)
            Fail(IDS_REASON_VIDEO_NO_FRAME, {}, result);
    }
    if (m_bottomUp) {
        CopyBottomUp(pixels, stride, frame.data[0], frame.linesize[0]);
    } else {
        const std::uint8_t* const planes[4] = {pixels, nullptr, nullptr, nullptr};
        const int strides[4] = {static_cast<int>(stride), 0, 0, 0};
        const int rows
            = sws_scale(m_scaler.get(), planes, strides, 0, kHeight, frame.data, frame.linesize);
        if (rows < 0)
            Fail(IDS_REASON_VIDEO_CANNOT_CONVERT, {}, rows);
    }
    frame.pts = index;
    // Encoders with a fixed quantiser read it from each frame.
    frame.quality = m_frameQuality;
}

void AviEncoder::Encode(const AVFrame* frame, const PacketSink& sink)
{
    int result = avcodec_send_frame(m_context.get(), frame);
    if (result < 0 && !(frame == nullptr && result == AVERROR_EOF))
        Fail(IDS_REASON_VIDEO_CANNOT_ENCODE, {}, result);
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    if (!packet)
        throw std::bad_alloc();
    for (;;) {
        result = avcodec_receive_packet(m_context.get(), packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return;
        if (result < 0)
            Fail(IDS_REASON_VIDEO_CANNOT_ENCODE, {}, result);
        sink(*packet);
        av_packet_unref(packet.get());
    }
}

} // namespace zelvane
