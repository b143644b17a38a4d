#include "text/PendingFile.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace zelvane;

namespace {

using Bytes = std::vector<std::uint8_t>;

class PendingFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(m_folder, m_error); }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static unsigned Mode(const std::filesystem::path& path)
    {
        struct stat info { };
        stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }

    std::filesystem::path m_folder;
    std::error_code m_error;
};

} // namespace

TEST_F(PendingFileTest, ReplacesTheFileALinkPointsToAndKeepsItsPermissions)
{
    const auto real = m_folder / "real.bin";
    WriteFileAtomically(real, Bytes{1, 2, 3});
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.bin", m_folder / "link.bin");

    WriteFileAtomically(m_folder / "link.bin", Bytes{4, 5});
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder / "link.bin"));
    EXPECT_EQ(ReadWholeFile(real), (Bytes{4, 5}));
    EXPECT_EQ(Mode(real), 0640u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.bin", "real.bin"}));

    // A new file gets the usual mode, not the private one of a temporary file.
    const mode_t previous = umask(022);
    WriteFileAtomically(m_folder / "new.bin", Bytes{6});
    umask(previous);
    EXPECT_EQ(Mode(m_folder / "new.bin"), 0644u);
}

TEST_F(PendingFileTest, AnUncommittedFileLeavesTheTargetAndNoTrace)
{
    const auto target = m_folder / "kept.bin";
    WriteFileAtomically(target, Bytes{1, 2, 3});
    {
        PendingFile pending(target);
        pending.Write(Bytes(1000, 9));
        EXPECT_EQ(Entries().size(), 2u); // the target and the temporary file beside it
    }
    EXPECT_EQ(ReadWholeFile(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(Entries(), std::vector<std::string>{"kept.bin"});

    EXPECT_THROW(PendingFile{m_folder}, FileIoError);
    EXPECT_THROW(PendingFile{m_folder / "missing" / "x.bin"}, FileIoError);
    EXPECT_EQ(Entries(), std::vector<std::string>{"kept.bin"});
}
