#pragma once

#include "media/AviCodecs.h"
#include "media/AviEncoder.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zelvane {

class AviMuxer;
class PendingFile;

// Writes the background video: 640 x 480 frames at 30 a second into an AVI file, with one of
// AvailableAviCodecs(). Uncompressed, the file holds classic bottom-up BI_RGB frames of
// 921 600 bytes.
//
// The caller paints frame after frame and hands each to WriteFrame, which only converts it
// and returns; a thread of the writer encodes and writes the previous frame meanwhile.
//
// The file appears at its path only when Close succeeds: until then the frames go to a
// temporary file beside it, and an existing file there stays as it was. A writer destroyed
// without Close (the caller gave up, or failed itself) removes what it had written.
//
// Failures: InvalidArgumentError for options or calls out of order, AviCreateError when the
// file cannot be created, FileIoError when it cannot be written, MediaError when FFmpeg
// refuses. A failure while encoding in the background is thrown by the next WriteFrame or
// Close; after any failure nothing more is written and Close removes the temporary file.
//
// One thread calls the writer; its own encoding thread is internal.
class AviWriter {
public:
    static constexpr int kWidth = AviEncoder::kWidth;                     // 640
    static constexpr int kHeight = AviEncoder::kHeight;                   // 480
    static constexpr int kFramesPerSecond = AviEncoder::kFramesPerSecond; // time base 1/30

    AviWriter();
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // Starts a video at `path` (a symbolic link there is followed), after checking the
    // options and starting the encoder.
    void Open(const std::filesystem::path& path, const AviWriterOptions& options);

    // Adds one frame: kHeight rows top-down, `stride` bytes apart, of kWidth pixels of
    // 4 bytes in the order blue, green, red, unused (QImage::Format_RGB32 on this platform).
    // Waits only while the encoder is still busy with the frame before the previous one.
    void WriteFrame(const std::uint8_t* pixels, std::ptrdiff_t stride);

    // Writes what the encoder still holds and the index, puts the file in place and flushes
    // it to disk. Closing early (the user stopped) is a normal close: the file holds and
    // plays the frames written so far. Does nothing when no video is open.
    void Close();

    bool isOpen() const { return m_open; }
    // The frames handed to WriteFrame since Open; all of them are in the file after Close.
    std::int64_t framesWritten() const { return m_framesWritten; }

private:
    // One frame being filled by the caller, and one being encoded.
    static constexpr std::size_t kSlotCount = 2;

    // The encoding thread: encodes and writes queued frames in order until the caller
    // closes (and the queue is empty) or gives up, or a frame fails.
    void EncodeQueuedFrames();
    // Ends the encoding thread: after it has written every queued frame, or, abandoning,
    // after the frame it is on.
    void StopThread(bool abandon);
    // Lets go of the encoder, the muxer and the file (removing it unless it was committed).
    void Release();

    std::unique_ptr<PendingFile> m_file;
    std::unique_ptr<AviEncoder> m_encoder;
    std::unique_ptr<AviMuxer> m_muxer;
    std::array<AviEncoder::FramePointer, kSlotCount> m_slots;
    bool m_open = false;
    std::int64_t m_framesWritten = 0;

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Guarded by m_mutex: which slots the caller may fill, which wait for the encoder (in
    // order), whether the caller is done, and the first failure of the encoding thread.
    std::vector<std::size_t> m_freeSlots;
    std::deque<std::size_t> m_queuedSlots;
    bool m_closing = false;
    bool m_abandoning = false;
    std::exception_ptr m_failure;
};

} // namespace zelvane
