#include "CliTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// A refusal as the tool gives it: status 1, nothing on standard output, one line on standard
// error that names the file and says `says`.
void ExpectRefusal(const CommandResult& result, const std::filesystem::path& file,
                   const std::string& says)
{
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(result.err.rfind("zelvane-cli: error: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(file.filename().string()), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
}

} // namespace

// Every kind of file is read whole, so one larger than its kind ever is, is refused by its
// size before a byte is read. Sparse, these take no disk; read, each would take 64 GB.
TEST(CliLimits, FilesBeyondTheirKindsSizeAreRefusedUnread)
{
    for (const char* name : {"huge.dwi", "huge.zlvm", "huge.pmd", "huge.vmd"}) {
        SCOPED_TRACE(name);
        const auto file = WriteTemp(name, "");
        std::filesystem::resize_file(file, std::uintmax_t{64} << 30);
        ExpectRefusal(RunCli("info " + Quoted(file)), file, "too large");
        std::filesystem::remove(file);
    }
}
