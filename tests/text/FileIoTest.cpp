#include "text/FileIo.h"
#include "TempFolder.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace zelvane;
namespace fs = std::filesystem;

TEST(AtomicWrite, ReplacesTheFileALinkPointsToAndKeepsItsPermissions)
{
    const test::TempFolder temp;
    const fs::path& folder = temp.path();
    const auto mode = [](const fs::path& path) {
        return static_cast<unsigned>(fs::status(path).permissions());
    };
    const auto real = folder / "real.bin";
    WriteFileAtomically(real, std::vector<std::uint8_t>{1, 2, 3});
    fs::permissions(real, fs::perms(0640));
    fs::create_symlink("real.bin", folder / "link.bin");

    WriteFileAtomically(folder / "link.bin", std::vector<std::uint8_t>{4, 5});
    EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
    EXPECT_EQ(ReadWholeFile(real, 2), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(mode(real), 0640u);

    // A new file gets the usual mode, not the private one of a temporary file.
    const mode_t previous = umask(022);
    WriteFileAtomically(folder / "new.bin", std::vector<std::uint8_t>{6});
    umask(previous);
    EXPECT_EQ(mode(folder / "new.bin"), 0644u);
    // Nothing else is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}

TEST(FileIo, OnlyPlainFilesAreRead)
{
    // A folder has a nonsense size; a device never ends.
    for (const char* path : {"/tmp", "/dev/zero", "/dev/urandom", "/no/such/file"}) {
        EXPECT_THROW(ReadWholeFile(path, kMaxChartFileBytes), FileIoError) << path;
        EXPECT_FALSE(IsReadablePlainFile(path)) << path;
    }
}

// Every file is read whole: one larger than its kind may be is refused by its size, unread,
// with its name. The sparse file takes no room on the disk; read, it would take 64 GB.
TEST(FileIo, AFileBeyondItsKindsSizeIsRefusedUnread)
{
    const test::TempFolder temp;
    const fs::path small = temp.Write("three.bin", "abc");
    EXPECT_EQ(ReadWholeFile(small, 3).size(), 3u);
    EXPECT_THROW(ReadWholeFile(small, 2), FileIoError);

    const fs::path huge = temp / "huge.bin";
    std::ofstream(huge).close();
    fs::resize_file(huge, std::uintmax_t{64} << 30);
    for (const std::uintmax_t limit :
         {kMaxChartFileBytes, kMaxModelFileBytes, kMaxMotionFileBytes}) {
        try {
            ReadWholeFile(huge, limit);
            ADD_FAILURE() << "read with a limit of " << limit;
        } catch (const FileIoError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(huge.string()), std::string::npos) << message;
            EXPECT_NE(message.find("too large"), std::string::npos) << message;
            EXPECT_NE(message.find(std::to_string(limit >> 20) + " MB"), std::string::npos)
                << message;
        }
    }
}
