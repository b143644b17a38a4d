#include "media/AviWriter.h"

#include "media/AviMuxer.h"
#include "media/MediaErrors.h"
#include "text/PendingFile.h"
#include "text/StringTable.h"

#include <utility>

namespace zelvane {

AviWriter::AviWriter() = default;

AviWriter::~AviWriter()
{
    StopThread(true);
    Release();
}

void AviWriter::Open(const std::filesystem::path& path, const AviWriterOptions& options)
{
    if (m_open)
        throw InvalidArgumentError(Reason(IDS_REASON_AVI_ALREADY_OPEN));
    // The encoder first: bad options or an encoder that will not start leave no file behind.
    auto encoder = std::make_unique<AviEncoder>(options);
    std::unique_ptr<PendingFile> file;
    try {
        file = std::make_unique<PendingFile>(path);
    } catch (const FileIoError& error) {
        throw AviCreateError(error);
    }
    auto muxer = std::make_unique<AviMuxer>(*file, encoder->context());
    std::array<AviEncoder::FramePointer, kSlotCount> slots;
    for (auto& slot : slots)
        slot = encoder->NewFrame();

    m_file = std::move(file);
    m_encoder = std::move(encoder);
    m_muxer = std::move(muxer);
    m_slots = std::move(slots);
    m_framesWritten = 0;
    m_freeSlots.clear();
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        m_freeSlots.push_back(slot);
    m_queuedSlots.clear();
    m_closing = false;
    m_abandoning = false;
    m_failure = nullptr;
    m_thread = std::thread(&AviWriter::EncodeQueuedFrames, this);
    m_open = true;
}

void AviWriter::WriteFrame(const std::uint8_t* pixels, std::ptrdiff_t stride)
{
    if (!m_open)
        throw InvalidArgumentError(Reason(IDS_REASON_AVI_NOT_OPEN));
    std::size_t slot = 0;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_failure || !m_freeSlots.empty(); });
        if (m_failure)
            std::rethrow_exception(m_failure);
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
    }
    try {
        m_encoder->Fill(*m_slots[slot], pixels, stride, m_framesWritten);
    } catch (...) {
        // A frame the caller got wrong is refused; the video goes on without it.
        std::lock_guard lock(m_mutex);
        m_freeSlots.push_back(slot);
        throw;
    }
    {
        std::lock_guard lock(m_mutex);
        m_queuedSlots.push_back(slot);
    }
    m_changed.notify_all();
    ++m_framesWritten;
}

void AviWriter::Close()
{
    if (!m_open)
        return;
    StopThread(false);
    try {
        if (m_failure)
            std::rethrow_exception(m_failure);
        m_encoder->Encode(nullptr, [this](AVPacket& packet) { m_muxer->Write(packet); });
        m_muxer->Finish();
        m_file->Commit();
    } catch (...) {
        Release();
        throw;
    }
    Release();
}

void AviWriter::EncodeQueuedFrames()
{
    const auto write = [this](AVPacket& packet) { m_muxer->Write(packet); };
    for (;;) {
        std::size_t slot = 0;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock,
                           [this] { return m_abandoning || m_closing || !m_queuedSlots.empty(); });
            if (m_abandoning || m_queuedSlots.empty())
                return;
            slot = m_queuedSlots.front();
        }
        try {
            m_encoder->Encode(m_slots[slot].get(), write);
        } catch (...) {
            {
                std::lock_guard lock(m_mutex);
                m_failure = std::current_exception();
            }
            m_changed.notify_all();
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_queuedSlots.pop_front();
            m_freeSlots.push_back(slot);
        }
        m_changed.notify_all();
    }
}

void AviWriter::StopThread(bool abandon)
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        (abandon ? m_abandoning : m_closing) = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void AviWriter::Release()
{
    m_open = false;
    m_muxer.reset(); // writes through the file, so it goes first
    for (auto& slot : m_slots)
        slot.reset();
    m_encoder.reset();
    m_file.reset();
}

} // namespace zelvane
