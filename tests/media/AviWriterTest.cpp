#include "AudioFiles.h"
#include "media/VideoReading.h"

#include "media/AviWriter.h"
#include "media/MediaErrors.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr int kWidth = kVideoWidth;
constexpr int kHeight = kVideoHeight;
constexpr int kStride = kVideoStride;
constexpr std::size_t kRawFrameBytes = kWidth * kHeight * 3;
// The videos written here are a few frames long.
constexpr std::uintmax_t kVideoFileBytes = std::uintmax_t{64} << 20;

// Gradients a lossy encoder keeps close (blue across, green down, so swapped or flipped
// planes show), a checkerboard in red that moves from frame to frame, and a fourth byte the
// writer must ignore.
Picture MakePicture(int seed)
{
    Picture picture(static_cast<std::size_t>(kStride) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* pixel = &picture[static_cast<std::size_t>(y * kStride + x * 4)];
            pixel[0] = static_cast<std::uint8_t>(x * 255 / (kWidth - 1));
            pixel[1] = static_cast<std::uint8_t>(y * 255 / (kHeight - 1));
            pixel[2] = ((x + seed * 8) / 40 + y / 40) % 2 ? 200 : 40;
            pixel[3] = static_cast<std::uint8_t>(x * 7 + seed);
        }
    }
    return picture;
}

// Writes `pictures` to a video at `path` and closes it.
void WriteVideo(const std::filesystem::path& path, const AviWriterOptions& options,
                const std::vector<Picture>& pictures)
{
    AviWriter writer;
    writer.Open(path, options);
    for (const Picture& picture : pictures)
        writer.WriteFrame(picture.data(), kStride);
    writer.Close();
}

// The largest and the mean difference of a decoded picture from the painted one, in blue,
// green and red.
std::pair<int, double> Compare(const Picture& painted, const Picture& decoded)
{
    int largest = 0;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < painted.size(); ++i) {
        const int delta = i % 4 == 3 ? 0 : std::abs(painted[i] - decoded[i]);
        largest = std::max(largest, delta);
        sum += delta;
    }
    return {largest, static_cast<double>(sum) / static_cast<double>(painted.size() / 4 * 3)};
}

std::vector<std::string> Entries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Makes every write past `bytes` fail with EFBIG, as a full disk would, for this process.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit = {bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    }
    void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
};

using AviWriterTest = AudioFileTest;

} // namespace

TEST_F(AviWriterTest, EveryEncoderWritesAPlayableStreamOfTheFramesGiven)
{
    const std::vector<AviCodec> codecs = AvailableAviCodecs();
    ASSERT_FALSE(codecs.empty());
    EXPECT_EQ(codecs.front().name, "rawvideo");
    ASSERT_TRUE(std::any_of(codecs.begin(), codecs.end(),
                            [](const AviCodec& codec) { return codec.name == "utvideo"; }));
    const std::vector<Picture> painted
        = {MakePicture(0), MakePicture(1), MakePicture(2), MakePicture(3)};
    std::vector<std::string> written;
    // Frame-threaded encoders (Ut Video) still hold frames when the last one is given:
    // Close must drain them into the file.
    for (const AviCodec& codec : codecs) {
        SCOPED_TRACE(codec.name);
        // Each setting in use somewhere: a quality, a data rate (with and without one) and
        // a key-frame interval, so the mapping onto each encoder is checked to start.
        const bool rated = codec.name == "mpeg4" || codec.name == "libx264";
        const auto path = m_folder / written.emplace_back(codec.name + ".avi");
        WriteVideo(path,
                   {.codec = codec.name,
                    .quality = codec.supportsQuality ? 75 : -1,
                    .keyFrameInterval = codec.lossless ? 0 : 2,
                    .bitRateKbits = rated ? 4000 : 0},
                   painted);
        const ReadVideo video(path);
        EXPECT_EQ(std::tuple(video.codec, video.width, video.height, video.declaredFrames,
                             video.packets.size()),
                  std::tuple(avcodec_find_encoder_by_name(codec.name.c_str())->id, kWidth, kHeight,
                             4, 4u));
        EXPECT_TRUE(av_cmp_q(video.frameRate, {30, 1}) == 0
                    && av_cmp_q(video.timeBase, {1, 30}) == 0);
        ASSERT_EQ(video.pictures.size(), 4u);
        for (std::size_t i = 0; i < painted.size(); ++i) {
            const auto [largest, mean] = Compare(painted[i], video.pictures[i]);
            EXPECT_TRUE(codec.lossless ? largest == 0 : mean < 6.0)
                << "frame " << i << ": largest " << largest << ", mean " << mean;
        }
    }
    // Each video where it was asked for, and nothing beside it.
    std::sort(written.begin(), written.end());
    EXPECT_EQ(Entries(m_folder), written);

    // Classic bitmaps other programs read: the header says 24-bit BI_RGB rows stored
    // bottom-up (a positive height), and the rows above came back the right way up.
    const Bytes file = ReadWholeFile(m_folder / "rawvideo.avi", kVideoFileBytes);
    const auto strf
        = std::search(file.begin(), file.end(), std::begin("strf"), std::begin("strf") + 4);
    ASSERT_GE(file.end() - strf, 32);
    // biSize, biWidth, biHeight, biPlanes and biBitCount, biCompression, biSizeImage.
    std::vector<std::int32_t> fields(6);
    std::memcpy(fields.data(), &*(strf + 8), 24); // little-endian, as this machine
    EXPECT_EQ(fields,
              (std::vector<std::int32_t>{40, kWidth, kHeight, 1 + (24 << 16), 0,
                                         static_cast<std::int32_t>(kRawFrameBytes)}));
}

TEST_F(AviWriterTest, AFileThatCannotBeCreatedIsRefusedAndNothingIsLeft)
{
    WriteFile("plain.txt", {'x'});
    std::filesystem::create_directory(m_folder / "locked");
    std::vector<std::filesystem::path> targets = {
        m_folder / "missing" / "video.avi",   // no such folder
        m_folder / "plain.txt" / "video.avi", // a file where a folder should be
        m_folder / "locked",                  // a folder where the file should be
    };
    if (geteuid() != 0) {
        chmod((m_folder / "locked").c_str(), 0555);
        targets.push_back(m_folder / "locked" / "video.avi");
        // A read-only file stays read-only even though its folder allows replacing it.
        WriteFile("readonly.avi", {'o', 'l', 'd'});
        chmod((m_folder / "readonly.avi").c_str(), 0444);
        targets.push_back(m_folder / "readonly.avi");
    } else {
        // Permissions do not bind the superuser; this folder takes no new files even so.
        targets.push_back("/proc/zelvane-video.avi");
    }
    const std::vector<std::string> before = Entries(m_folder);
    for (const auto& target : targets) {
        AviWriter writer;
        EXPECT_THROW(writer.Open(target, {}), AviCreateError) << target;
        EXPECT_FALSE(writer.isOpen());
        EXPECT_THROW(writer.WriteFrame(MakePicture(0).data(), kStride), InvalidArgumentError);
    }
    EXPECT_EQ(Entries(m_folder), before);
    EXPECT_TRUE(std::filesystem::is_empty(m_folder / "locked"));
    chmod((m_folder / "locked").c_str(), 0755);
}

TEST_F(AviWriterTest, AFailedOrAbandonedVideoLeavesTheOldFileAsItWas)
{
    const Bytes old = {'o', 'l', 'd', ' ', 'v', 'i', 'd', 'e', 'o'};
    const auto path = WriteFile("video.avi", old);
    const Picture picture = MakePicture(1);
    {
        AviWriter writer;
        writer.Open(path, {.codec = "utvideo"});
        writer.WriteFrame(picture.data(), kStride);
        writer.WriteFrame(picture.data(), kStride);
    } // the caller failed and gave up: no Close
    EXPECT_EQ(ReadWholeFile(path, kVideoFileBytes), old);
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"video.avi"});

    // The disk fills up after two and a half frames: the encoding thread's failure comes
    // back through the next WriteFrame or Close as the file system's error.
    AviWriter writer;
    std::string failure;
    {
        const FileSizeLimit limit(kRawFrameBytes * 5 / 2);
        writer.Open(path, {});
        try {
            for (int i = 0; i < 10; ++i)
                writer.WriteFrame(picture.data(), kStride);
            writer.Close();
        } catch (const AviCreateError& error) {
            ADD_FAILURE() << "the file was created: " << error.what();
        } catch (const FileIoError& error) {
            failure = error.what();
        }
        // Once failed, the writer writes nothing more; Close says why once more.
        if (writer.isOpen()) {
            EXPECT_THROW(writer.Close(), FileIoError);
        }
    }
    EXPECT_NE(failure.find("File too large"), std::string::npos) << failure;
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(ReadWholeFile(path, kVideoFileBytes), old);
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"video.avi"});
}

TEST_F(AviWriterTest, RefusesUnknownEncodersSettingsOutOfRangeAndBadFrames)
{
    AviWriter writer;
    for (const AviWriterOptions& options :
         {AviWriterOptions{.codec = "no-such-codec"}, AviWriterOptions{.codec = "aac"},
          AviWriterOptions{.codec = "mjpeg", .quality = 101},
          AviWriterOptions{.keyFrameInterval = -1}, AviWriterOptions{.bitRateKbits = -5}}) {
        EXPECT_THROW(writer.Open(m_folder / "refused.avi", options), InvalidArgumentError)
            << options.codec;
    }
    EXPECT_TRUE(std::filesystem::is_empty(m_folder));

    // A frame with too short rows is refused on its own; the video goes on without it.
    const auto path = m_folder / "video.avi";
    const Picture picture = MakePicture(0);
    writer.Open(path, {});
    writer.WriteFrame(picture.data(), kStride);
    EXPECT_THROW(writer.WriteFrame(picture.data(), kStride - 4), InvalidArgumentError);
    EXPECT_THROW(writer.WriteFrame(nullptr, kStride), InvalidArgumentError);
    EXPECT_THROW(writer.Open(path, {}), InvalidArgumentError);
    writer.WriteFrame(picture.data(), kStride);
    writer.Close();
    writer.Close(); // a second Close has nothing to do
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(writer.framesWritten(), 2);
    EXPECT_EQ(ReadVideo(path).packets.size(), 2u);
}

TEST_F(AviWriterTest, QualityAndDataRateReachTheEncoder)
{
    // A coarser setting has to show in the size of what is written.
    const auto bytesWritten
        = [&](const AviWriterOptions& options, const std::vector<Picture>& pictures) {
              WriteVideo(m_folder / "sized.avi", options, pictures);
              std::size_t bytes = 0;
              for (const Bytes& packet : ReadVideo(m_folder / "sized.avi").packets)
                  bytes += packet.size();
              return bytes;
          };
    const std::vector<Picture> smooth = {MakePicture(0), MakePicture(1)};
    for (const std::string codec : {"mjpeg", "libx264"}) {
        SCOPED_TRACE(codec);
        EXPECT_LT(bytesWritten({.codec = codec, .quality = 5}, smooth) * 2,
                  bytesWritten({.codec = codec, .quality = 95}, smooth));
    }
    // Noise, because on smooth pictures the encoder reaches its finest steps at any rate.
    std::vector<Picture> noise(3, Picture(static_cast<std::size_t>(kStride) * kHeight));
    std::uint32_t state = 12345;
    for (Picture& picture : noise) {
        for (std::uint8_t& byte : picture) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<std::uint8_t>(state >> 24);
        }
    }
    EXPECT_LT(bytesWritten({.codec = "mpeg4", .bitRateKbits = 300}, noise),
              bytesWritten({.codec = "mpeg4", .bitRateKbits = 20000}, noise));
}
