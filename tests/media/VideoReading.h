#pragma once

// Reads an AVI file back with FFmpeg itself, for tests of what the program writes.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace zelvane::test {

constexpr int kVideoWidth = 640;
constexpr int kVideoHeight = 480;
constexpr int kVideoStride = kVideoWidth * 4;

using Picture = std::vector<std::uint8_t>; // top-down B, G, R, X
using Bytes = std::vector<std::uint8_t>;

template<typename T, void (*Free)(T**)> struct FreeWith {
    void operator()(T* object) const { Free(&object); }
};
template<typename T, void (*Free)(T**)> using Owned = std::unique_ptr<T, FreeWith<T, Free>>;

// An AVI file as FFmpeg reads it: its one stream, its packets, and its pictures decoded and
// converted back to B, G, R, X.
struct ReadVideo {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    AVRational frameRate{};
    AVRational timeBase{};
    std::int64_t declaredFrames = 0;
    std::vector<Bytes> packets;
    std::vector<Picture> pictures;

    explicit ReadVideo(const std::filesystem::path& path)
    {
        AVFormatContext* opened = nullptr;
        if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0)
            throw std::runtime_error("FFmpeg cannot open " + path.string());
        const Owned<AVFormatContext, avformat_close_input> format(opened);
        if (avformat_find_stream_info(format.get(), nullptr) < 0 || format->nb_streams != 1)
            throw std::runtime_error("no single stream in " + path.string());
        const AVStream& stream = *format->streams[0];
        codec = stream.codecpar->codec_id;
        width = stream.codecpar->width;
        height = stream.codecpar->height;
        frameRate = stream.r_frame_rate;
        timeBase = stream.time_base;
        declaredFrames = stream.nb_frames;

        const AVCodec* decoder = avcodec_find_decoder(codec);
        const Owned<AVCodecContext, avcodec_free_context> context(avcodec_alloc_context3(decoder));
        if (avcodec_parameters_to_context(context.get(), stream.codecpar) < 0
            || avcodec_open2(context.get(), decoder, nullptr) < 0)
            throw std::runtime_error("no decoder for " + path.string());
        const Owned<AVPacket, av_packet_free> packet(av_packet_alloc());
        const Owned<AVFrame, av_frame_free> frame(av_frame_alloc());
        const auto receive = [&] {
            while (avcodec_receive_frame(context.get(), frame.get()) == 0)
                pictures.push_back(ToPicture(*frame));
        };
        while (av_read_frame(format.get(), packet.get()) >= 0) {
            packets.emplace_back(packet->data, packet->data + packet->size);
            avcodec_send_packet(context.get(), packet.get());
            av_packet_unref(packet.get());
            receive();
        }
        avcodec_send_packet(context.get(), nullptr);
        receive();
    }

    static Picture ToPicture(const AVFrame& frame)
    {
        Picture picture(static_cast<std::size_t>(kVideoStride) * kVideoHeight);
        SwsContext* scaler = sws_getContext(
            frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), kVideoWidth,
            kVideoHeight, AV_PIX_FMT_BGR0, SWS_POINT, nullptr, nullptr, nullptr);
        std::uint8_t* const planes[4] = {picture.data()};
        const int strides[4] = {kVideoStride};
        sws_scale(scaler, frame.data, frame.linesize, 0, frame.height, planes, strides);
        sws_freeContext(scaler);
        return picture;
    }
};

} // namespace zelvane::test
