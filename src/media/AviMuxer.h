#pragma once

#include <cstdint>
#include <exception>

struct AVCodecContext;
struct AVFormatContext;
struct AVIOContext;
struct AVPacket;

namespace zelvane {

class PendingFile;

// FFmpeg's AVI muxer writing one video stream into a PendingFile. FFmpeg writes through our
// own file descriptor rather than opening the path itself, so a full disk or a failing write
// comes back as the file system's error, not as an encoder's.
class AviMuxer {
public:
    // Declares the stream of `encoder` (opened) and writes the header. Throws MediaError,
    // or FileIoError when the file cannot be written.
    AviMuxer(PendingFile& file, const AVCodecContext& encoder);
    ~AviMuxer();
    AviMuxer(const AviMuxer&) = delete;
    AviMuxer& operator=(const AviMuxer&) = delete;

    // Writes one packet of the encoder (timestamps in the encoder's time base); takes its data.
    void Write(AVPacket& packet);

    // Writes the index and the final stream lengths, without which players see no frames,
    // and flushes FFmpeg's buffer into the file.
    void Finish();

private:
    static int WriteBytes(void* opaque, std::uint8_t* bytes, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    void Release();
    // Throws the file system's error when a write failed, else MediaError for `code` with
    // the reason `reasonId` and the file's path.
    [[noreturn]] void Fail(std::uint32_t reasonId, int code);

    PendingFile& m_file;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    int m_encoderTimeBaseNum = 1;
    int m_encoderTimeBaseDen = 1;
    std::exception_ptr m_writeFailure;
};

} // namespace zelvane
