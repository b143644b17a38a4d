#include "playback/SongLoader.h"
#include "media/AudioFiles.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <condition_variable>
#include <mutex>

namespace zelvane::test {
namespace {

class SongLoaderTest : public AudioFileTest {
protected:
    std::filesystem::path Song(const std::string& name, std::size_t frames)
    {
        return WriteFile(name, WavBytes(8000, 1, Samples(frames, 1, [](std::size_t i, int) {
                                            return static_cast<int>(i % 400) * 50 - 10000;
                                        })));
    }

    CSongLoader m_loader;
};

SongDecodeJob::Decode OwnFormatDecode(int* decodes)
{
    return [decodes](const std::filesystem::path& path,
                     const AudioDecoder::ProgressHandler& progress, std::stop_token) {
        ++*decodes;
        return DecodeSong(
            path,
            [](int rate, int channels) {
                return SongFormat{rate, channels};
            },
            progress);
    };
}

TEST_F(SongLoaderTest, TheSongArrivesThroughTheEventLoopAndANewSongStopsTheOneBefore)
{
    int decodes = 0;
    m_loader.SetDecode(OwnFormatDecode(&decodes));
    QSignalSpy finished(&m_loader, &CSongLoader::finished);
    QSignalSpy progressed(&m_loader, &CSongLoader::progressed);
    const auto first = Song("first.wav", 16000);
    m_loader.Start(first);
    EXPECT_TRUE(m_loader.loading());
    EXPECT_EQ(m_loader.path(), first);
    // Nothing arrives before the loader's thread runs its event loop.
    EXPECT_TRUE(finished.isEmpty());
    ASSERT_TRUE(finished.wait());
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].value<std::filesystem::path>(), first);
    const auto song = finished[0][1].value<DecodedSong>();
    EXPECT_TRUE(song.decoded);
    EXPECT_EQ(song.durationMs, 2000);
    EXPECT_FALSE(m_loader.loading());
    EXPECT_EQ(m_loader.path(), std::filesystem::path());
    EXPECT_FALSE(progressed.isEmpty());
    EXPECT_EQ(decodes, 1);

    // A song held in its decode is stopped by the next one, which alone is reported.
    std::mutex mutex;
    std::condition_variable_any changed;
    bool holding = false;
    bool stopped = false;
    m_loader.SetDecode([&](const std::filesystem::path&, const AudioDecoder::ProgressHandler&,
                           std::stop_token stop) -> DecodedSong {
        std::unique_lock lock(mutex);
        holding = true;
        changed.notify_all();
        changed.wait(lock, stop, [] { return false; });
        stopped = stop.stop_requested();
        throw DecodeCancelled();
    });
    finished.clear();
    m_loader.Start(Song("held.wav", 8000));
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return holding; });
    }
    m_loader.SetDecode(OwnFormatDecode(&decodes));
    const auto second = Song("second.wav", 4000);
    m_loader.Start(second);
    EXPECT_TRUE(stopped);
    ASSERT_TRUE(finished.wait());
    QCoreApplication::processEvents();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].value<std::filesystem::path>(), second);
    EXPECT_EQ(decodes, 2);

    // Cancelled before its end, a song is never reported, even once decoded.
    m_loader.Start(first);
    m_loader.Cancel();
    EXPECT_FALSE(m_loader.loading());
    finished.clear();
    m_loader.Start(second);
    ASSERT_TRUE(finished.wait());
    QCoreApplication::processEvents();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].value<std::filesystem::path>(), second);
}

} // namespace
} // namespace zelvane::test
