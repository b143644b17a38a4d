#include "media/AviCodecs.h"

#include "media/AviCodecProfile.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace zelvane {
namespace {

const std::vector<AviCodecProfile>& Profiles()
{
    using enum AviQualityControl;
    // Lossless encoders get RGB so that what is decoded is exactly what was painted: best
    // first the formats without an alpha channel to carry along, packed before planar.
    // Lossy ones get 4:2:0, the one layout every decoder of their formats reads; JPEG wants
    // the full-range variant of it.
    const std::vector<AVPixelFormat> rgb
        = {AV_PIX_FMT_BGR0, AV_PIX_FMT_BGR24, AV_PIX_FMT_RGB24, AV_PIX_FMT_GBRP, AV_PIX_FMT_BGRA};
    static const std::vector<AviCodecProfile> profiles = {
        {{"rawvideo", "Uncompressed (BGR24)", true, false, false}, None, {AV_PIX_FMT_BGR24}},
        {{"utvideo", "Ut Video (lossless)", true, false, false}, None, rgb},
        {{"ffv1", "FFV1 (lossless)", true, false, false}, None, rgb},
        {{"huffyuv", "HuffYUV (lossless)", true, false, false}, None, rgb},
        {{"ffvhuff", "HuffYUV, FFmpeg variant (lossless)", true, false, false}, None, rgb},
        {{"magicyuv", "MagicYUV (lossless)", true, false, false}, None, rgb},
        {{"mjpeg", "Motion JPEG", false, true, true}, QScale, {AV_PIX_FMT_YUVJ420P}},
        {{"mpeg4", "MPEG-4 Part 2", false, true, true}, QScale, {AV_PIX_FMT_YUV420P}},
        {{"libxvid", "Xvid (MPEG-4 Part 2)", false, true, true}, QScale, {AV_PIX_FMT_YUV420P}},
        {{"libx264", "H.264 (x264)", false, true, true}, Crf, {AV_PIX_FMT_YUV420P}},
    };
    return profiles;
}

bool EncoderPresent(const std::string& name)
{
    const AVCodec* encoder = avcodec_find_encoder_by_name(name.c_str());
    return encoder && encoder->type == AVMEDIA_TYPE_VIDEO;
}

} // namespace

std::vector<AviCodec> AvailableAviCodecs()
{
    std::vector<AviCodec> codecs;
    for (const AviCodecProfile& profile : Profiles()) {
        if (EncoderPresent(profile.codec.name))
            codecs.push_back(profile.codec);
    }
    return codecs;
}

const AviCodecProfile* FindAviCodecProfile(std::string_view name)
{
    for (const AviCodecProfile& profile : Profiles()) {
        if (profile.codec.name == name)
            return EncoderPresent(profile.codec.name) ? &profile : nullptr;
    }
    return nullptr;
}

} // namespace zelvane
