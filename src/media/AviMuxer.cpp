#include "media/AviMuxer.h"

#include "media/FfmpegSupport.h"
#include "media/MediaErrors.h"
#include "text/PendingFile.h"
#include "text/StringTable.h"

#include <cerrno>
#include <new>
#include <span>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace zelvane {
namespace {

// Large enough for a whole uncompressed frame (921 600 bytes), so each takes one write.
constexpr int kIoBufferSize = 1 << 20;

} // namespace

AviMuxer::AviMuxer(PendingFile& file, const AVCodecContext& encoder)
    : m_file(file)
    , m_encoderTimeBaseNum(encoder.time_base.num)
    , m_encoderTimeBaseDen(encoder.time_base.den)
{
    try {
        const AVOutputFormat* avi = av_guess_format("avi", nullptr, nullptr);
        if (!avi)
            throw MediaError(Reason(IDS_REASON_AVI_UNSUPPORTED));
        int result = avformat_alloc_output_context2(&m_format, avi, nullptr, nullptr);
        if (result < 0)
            Fail(IDS_REASON_AVI_CANNOT_START, result);

        auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
        if (!buffer)
            throw std::bad_alloc();
        m_io = avio_alloc_context(buffer, kIoBufferSize, 1, this, nullptr, &WriteBytes, &Seek);
        if (!m_io) {
            av_free(buffer);
            throw std::bad_alloc();
        }
        m_format->pb = m_io;
        m_format->flags |= AVFMT_FLAG_CUSTOM_IO;

        AVStream* stream = avformat_new_stream(m_format, nullptr);
        if (!stream)
            throw std::bad_alloc();
        result = avcodec_parameters_from_context(stream->codecpar, &encoder);
        if (result < 0)
            Fail(IDS_REASON_AVI_CANNOT_START, result);
        stream->time_base = encoder.time_base;
        stream->avg_frame_rate = encoder.framerate;

        // FFmpeg marks raw RGB top-down (a negative height) unless told otherwise; players of
        // the classic format expect bottom-up BI_RGB, which the encoder's frames are.
        AVDictionary* options = nullptr;
        if (encoder.codec_id == AV_CODEC_ID_RAWVIDEO)
            av_dict_set(&options, "flipped_raw_rgb", "1", 0);
        result = avformat_write_header(m_format, &options);
        av_dict_free(&options);
        if (result < 0)
            Fail(IDS_REASON_AVI_CANNOT_WRITE_HEADER, result);
    } catch (...) {
        Release();
        throw;
    }
}

AviMuxer::~AviMuxer()
{
    Release();
}

void AviMuxer::Release()
{
    if (m_format) {
        avformat_free_context(m_format);
        m_format = nullptr;
    }
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

void AviMuxer::Write(AVPacket& packet)
{
    packet.stream_index = 0;
    av_packet_rescale_ts(&packet, {m_encoderTimeBaseNum, m_encoderTimeBaseDen},
                         m_format->streams[0]->time_base);
    if (const int result = av_interleaved_write_frame(m_format, &packet); result < 0)
        Fail(IDS_REASON_AVI_CANNOT_WRITE_FRAME, result);
}

void AviMuxer::Finish()
{
    if (const int result = av_write_trailer(m_format); result < 0)
        Fail(IDS_REASON_AVI_CANNOT_FINISH, result);
    avio_flush(m_io);
    if (m_io->error < 0)
        Fail(IDS_REASON_AVI_CANNOT_FINISH, m_io->error);
}

int AviMuxer::WriteBytes(void* opaque, std::uint8_t* bytes, int size)
{
    auto* self = static_cast<AviMuxer*>(opaque);
    try {
        self->m_file.Write(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(size)));
        return size;
    } catch (...) {
        // FFmpeg only learns that the write failed; the reason is kept for the caller.
        if (!self->m_writeFailure)
            self->m_writeFailure = std::current_exception();
        return AVERROR(EIO);
    }
}

std::int64_t AviMuxer::Seek(void* opaque, std::int64_t offset, int whence)
{
    const int descriptor = static_cast<AviMuxer*>(opaque)->m_file.descriptor();
    if (whence & AVSEEK_SIZE) {
        struct stat info;
        return fstat(descriptor, &info) == 0 ? static_cast<std::int64_t>(info.st_size)
                                             : AVERROR(errno);
    }
    const off_t position = lseek(descriptor, offset, whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(errno) : static_cast<std::int64_t>(position);
}

void AviMuxer::Fail(std::uint32_t reasonId, int code)
{
    if (m_writeFailure)
        std::rethrow_exception(m_writeFailure);
    // FFmpeg's own words go only where English is spoken: the reason says what failed.
    std::string words = FfmpegErrorText(code);
    if (const std::string detail = TakeFfmpegLogMessage(); !detail.empty())
        words += " (" + detail + ")";
    throw MediaError(Reason(reasonId, {m_file.targetPath()}, std::move(words)));
}

} // namespace zelvane
