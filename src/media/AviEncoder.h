#pragma once

#include "media/AviCodecs.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace zelvane {

struct AviCodecProfile;

// One opened video encoder for 640 x 480 frames at 30 per second, and the conversion of the
// painted B, G, R, X pixels into what it takes. Filling a frame and encoding one are meant
// for two threads: `Fill` only touches the frame it is given and the converter, `Encode` only
// the encoder.
class AviEncoder {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr int kFramesPerSecond = 30;

    struct FrameFreer {
        void operator()(AVFrame* frame) const;
    };
    using FramePointer = std::unique_ptr<AVFrame, FrameFreer>;
    using PacketSink = std::function<void(AVPacket&)>;

    // Checks the options (InvalidArgumentError for an encoder not in AvailableAviCodecs() or
    // a value out of range) and opens the encoder (MediaError when FFmpeg refuses).
    explicit AviEncoder(const AviWriterOptions& options);
    ~AviEncoder();
    AviEncoder(const AviEncoder&) = delete;
    AviEncoder& operator=(const AviEncoder&) = delete;

    const AVCodecContext& context() const { return *m_context; }
    // Uncompressed frames are stored bottom-up, as classic AVI players expect of BI_RGB.
    bool storesBottomUp() const { return m_bottomUp; }

    // A frame of the encoder's format; its picture is allocated by the first Fill.
    FramePointer NewFrame() const;

    // Converts one frame of top-down B, G, R, X pixels, `stride` bytes from row to row, into
    // `frame` as number `index` of the stream. A frame the encoder still holds on to gets a
    // new picture rather than being overwritten.
    void Fill(AVFrame& frame, const std::uint8_t* pixels, std::ptrdiff_t stride,
              std::int64_t index);

    // Hands `frame` to the encoder, or with nullptr drains it at the end of the stream, and
    // passes every packet that comes out to `sink`. Throws MediaError.
    void Encode(const AVFrame* frame, const PacketSink& sink);

private:
    struct CodecFreer {
        void operator()(AVCodecContext* context) const;
    };
    struct ScalerFreer {
        void operator()(SwsContext* scaler) const;
    };

    void Configure(const AviCodecProfile& profile, const AviWriterOptions& options);

    std::unique_ptr<AVCodecContext, CodecFreer> m_context;
    std::unique_ptr<SwsContext, ScalerFreer> m_scaler; // null for the uncompressed copy
    int m_pixelFormat = -1;
    int m_frameQuality = 0; // the fixed quantiser as a lambda, 0 when the encoder chooses
    bool m_bottomUp = false;
};

} // namespace zelvane
