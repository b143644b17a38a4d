#include "text/FileIo.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace zelvane;

namespace {

unsigned Mode(const std::filesystem::path& path)
{
    struct stat info { };
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(AtomicWrite, ReplacesTheFileALinkPointsToAndKeepsItsPermissions)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    const auto real = folder / "real.bin";
    WriteFileAtomically(real, std::vector<std::uint8_t>{1, 2, 3});
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.bin", folder / "link.bin");

    WriteFileAtomically(folder / "link.bin", std::vector<std::uint8_t>{4, 5});
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.bin"));
    EXPECT_EQ(ReadWholeFile(real), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(Mode(real), 0640u);

    // A new file gets the usual mode, not the private one of a temporary file.
    const mode_t previous = umask(022);
    WriteFileAtomically(folder / "new.bin", std::vector<std::uint8_t>{6});
    umask(previous);
    EXPECT_EQ(Mode(folder / "new.bin"), 0644u);
    // Nothing else is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              3);
    std::filesystem::remove_all(folder);
}

TEST(FileIo, OnlyPlainFilesAreRead)
{
    // A folder has a nonsense size; a device never ends.
    for (const char* path : {"/tmp", "/dev/zero", "/dev/urandom", "/no/such/file"}) {
        EXPECT_THROW(ReadWholeFile(path), FileIoError) << path;
        EXPECT_FALSE(IsReadablePlainFile(path)) << path;
    }
}
