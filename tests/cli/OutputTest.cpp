#include "CliTestSupport.h"
#include "text/FileIo.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// Every file of the folder with a digest of its bytes (links read through).
std::map<std::string, std::size_t> Contents(const std::filesystem::path& folder)
{
    std::map<std::string, std::size_t> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(entry.path(), kMaxModelFileBytes);
        contents[entry.path().filename().string()] = std::hash<std::string_view>()(
            {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    }
    return contents;
}

} // namespace

// A file to write must end in the command's extension, whatever its case, or the command line
// is not understood; one that is a file the command reads, by its own name or through a hard
// or symbolic link, is refused before anything is read or written.
TEST(CliOutput, AFileToWriteHasTheCommandsExtensionAndIsNoneOfItsInputs)
{
    const TempFolder folder;
    const auto chart = folder.Write("chart.dwi", "#BPM:120;\r\n#SINGLE:BASIC:1:02;\r\n");
    const auto model = folder / "model.pmd";
    std::filesystem::copy_file(Mannequin(), model);
    std::filesystem::create_symlink(chart, folder / "chart-link.vmd");
    std::filesystem::create_hard_link(chart, folder / "chart-hard.avi");
    std::filesystem::create_symlink(model, folder / "model-link.vmd");
    std::filesystem::create_symlink(chart, folder / "chart-link.dwi");
    const auto document = folder / "chart.zlvm";
    ASSERT_EQ(RunCli("convert " + Quoted(chart) + " " + Quoted(document)).status, 0);
    std::filesystem::create_hard_link(document, folder / "chart-hard.zlvm");
    const auto before = Contents(folder.path());

    const std::string single = " --style SINGLE --difficulty BASIC";
    const std::string motion = "motion " + Quoted(chart) + single + " -o ";
    const std::string avi = "avi " + Quoted(chart) + single + " -o ";
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {motion + Quoted(chart), 2, "usage: zelvane-cli motion"},
        {motion + Quoted(folder / "dance.txt"), 2, "is not a .vmd file"},
        {avi + Quoted(folder / "video.vmd"), 2, "is not a .avi file"},
        {"convert " + Quoted(chart) + " " + Quoted(folder / "chart.pmd"), 2,
         "usage: zelvane-cli convert"},
        {motion + Quoted(folder / "chart-link.vmd"), 1, "chart-link.vmd"},
        {motion + Quoted(folder / "model-link.vmd") + " --model " + Quoted(model), 1,
         "model-link.vmd"},
        {avi + Quoted(folder / "chart-hard.avi"), 1, "chart-hard.avi"},
        {"convert " + Quoted(chart) + " " + Quoted(chart), 1, "chart.dwi"},
        {"convert " + Quoted(chart) + " " + Quoted(folder / "chart-link.dwi"), 1, "chart-link"},
        {"convert " + Quoted(document) + " " + Quoted(folder / "chart-hard.zlvm"), 1,
         "chart-hard.zlvm"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.arguments);
        ExpectFailure(RunCli(entry.arguments), entry.status, entry.says);
        EXPECT_EQ(Contents(folder.path()), before);
    }

    // The extension's case does not matter.
    const auto upper = folder / "DANCE.VMD";
    const CommandResult written = RunCli(motion + Quoted(upper));
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(std::filesystem::exists(upper));
}

// Refused the file it is to write, the tool says why in the system's own English words.
TEST(CliEnglishReasons, AFileThatCannotBeCreatedSaysTheSystemsReason)
{
    // Permissions do not bind the superuser; sysfs takes no new files even so.
    std::filesystem::path folder = "/sys";
    if (geteuid() != 0) {
        folder = Temp("locked");
        std::filesystem::create_directory(folder);
        chmod(folder.c_str(), 0555);
    }
    const auto chart = WriteTemp("locked.dwi", "#BPM:120;\r\n#SINGLE:BASIC:1:02;\r\n");
    const auto target = folder / "out.zlvm";
    const CommandResult written = RunCli("convert " + Quoted(chart) + " " + Quoted(target));
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(written.status, 1);
    const std::string said
        = "zelvane-cli: error: cannot create a file beside \"" + target.string() + "\": ";
    EXPECT_TRUE(written.err == said + std::strerror(EACCES) + "\n"
                || written.err == said + std::strerror(EROFS) + "\n")
        << written.err;
}
