#include "CliTestSupport.h"
#include "base/ChartLimits.h"
#include "chart/ZlvmFile.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// A refusal that names the file and says `says`.
void ExpectRefusal(const CommandResult& result, const std::filesystem::path& file,
                   const std::string& says)
{
    ExpectFailure(result, 1, says);
    EXPECT_NE(result.err.find(file.filename().string()), std::string::npos) << result.err;
}

} // namespace

// Bytes that are no chart, a song setting beyond the limits, and a tiny document whose chart
// would be a hundred megabytes written out are refused, and nothing is written.
TEST(CliLimits, WhatIsNoChartOrBeyondTheLimitsIsRefusedAndNothingWritten)
{
    std::mt19937 random(87);
    std::string noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    ZlvmDocumentData absurd;
    absurd.bpm = 1e30f;
    absurd.scores.push_back(
        {Style::SINGLE, "BASIC", {{0, 0, std::numeric_limits<std::int32_t>::max()}}, "", {""}});
    const std::vector<std::uint8_t> absurdBytes = WriteZlvm(absurd);
    const std::pair<std::filesystem::path, const char*> cases[] = {
        {WriteTemp("random.dwi", noise), "is not a DWI file"},
        {WriteTemp("late.dwi", "#GAP:2147483647;\r\n#SINGLE:BASIC:1:8;\r\n"), "gap"},
        {WriteTemp("absurd.zlvm", std::string(absurdBytes.begin(), absurdBytes.end())),
         "100000 BPM"},
    };
    for (const auto& [file, says] : cases) {
        SCOPED_TRACE(file.filename().string());
        ExpectRefusal(RunCli("info " + Quoted(file)), file, says);
        const bool fromDwi = file.extension() == ".dwi";
        const auto out = Temp("never" + std::string(fromDwi ? ".zlvm" : ".dwi"));
        ExpectRefusal(RunCli("convert " + Quoted(file) + " " + Quoted(out)), file, says);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

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
