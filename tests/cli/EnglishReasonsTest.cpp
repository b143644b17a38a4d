#include "CliTestSupport.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelvane;
using namespace zelvane::test;

// The failures the desktop program says in Japanese are said by the tool in the English
// sentences its users have always read, word for word.
TEST(CliEnglishReasons, FailuresKeepTheirEnglishSentences)
{
    std::vector<std::uint8_t> model = ReadWholeFile(Mannequin(), kMaxModelFileBytes);
    model.resize(283 + 4 + 20); // past the header and the vertex count, inside the first vertex
    const auto cut = WriteTemp("cut.pmd", std::string(model.begin(), model.end()));
    const CommandResult read = RunCli("info " + Quoted(cut));
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.err,
              "zelvane-cli: error: \"" + cut.string()
                  + "\" is damaged or not a PMD or PMX model: the model file is cut short "
                    "inside its vertices\n");

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
