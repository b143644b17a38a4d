#include "CliTestSupport.h"
#include "chart/ZlvmFile.h"
#include "media/AudioFiles.h"
#include "text/FileIo.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace zelvane;
using namespace zelvane::test;

namespace {

// Written as plain records: the document itself would try to read the song and the model.
std::filesystem::path WriteDocument(const std::filesystem::path& path, const std::string& song,
                                    const std::string& model)
{
    ZlvmDocumentData data;
    data.audioPath = song;
    data.modelPath = model;
    ZlvmScoreRecord score;
    score.notes = {{0, 1, 0}, {48, 2, 0}};
    score.difficulty = "BASIC";
    score.motionPaths = {""};
    data.scores.push_back(score);
    WriteFileAtomically(path, WriteZlvm(data));
    return path;
}

} // namespace

// A song or model the document names that is missing, damaged or too big for memory is said
// once on standard error, in English and naming the file, and the command goes on without it.
TEST(CliDocumentFiles, ASongOrModelThatCannotBeUsedIsWarnedAboutAndDoneWithout)
{
    const TempFolder folder;
    const auto text = folder.Write("text.pmd", std::string(400, 'x'));
    const auto huge = folder / "huge.pmd";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t{64} << 30); // sparse: no disk used
    const struct {
        std::string song;
        std::string model;
        std::string warning;
    } cases[] = {
        {"/nowhere/long.mp3", "",
         "zelvane-cli: warning: the song \"/nowhere/long.mp3\" is missing or not a readable "
         "file; going on without it\n"},
        {"", "/nowhere/gone.pmd",
         "zelvane-cli: warning: the model \"/nowhere/gone.pmd\" is missing or not a readable "
         "file; going on without it\n"},
        {"", text.string(),
         "zelvane-cli: warning: cannot use the model \"" + text.string() + "\": "},
        // Far beyond what a model may be: refused by its size, before any memory is taken.
        {"", huge.string(),
         "zelvane-cli: warning: cannot use the model \"" + huge.string() + "\": "},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.song + entry.model);
        const auto document = WriteDocument(folder / "named.zlvm", entry.song, entry.model);
        for (const std::string command : {"info --json ", "convert "}) {
            const std::string output
                = command == "convert " ? " " + Quoted(folder / "out.dwi") : "";
            const CommandResult result = RunCli(command + Quoted(document) + output);
            EXPECT_EQ(result.status, 0) << command << result.err;
            EXPECT_EQ(result.err.rfind(entry.warning, 0), 0u) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            if (command == "info --json ") {
                // The document keeps the paths.
                const auto json = nlohmann::json::parse(result.out);
                EXPECT_EQ(json["audioPath"], entry.song);
                EXPECT_EQ(json["modelPath"], entry.model);
            }
        }
    }
}

// A document written by convert names the song as the desktop program would: the path found
// from the chart's folder, which leads to it from wherever the document is read.
TEST(CliDocumentFiles, ConvertStoresASongPathThatLeadsToTheSongFromAnywhere)
{
    const TempFolder source;
    const TempFolder elsewhere;
    source.Write("LONG.dwi", "#FILE:long.wav;\r\n#BPM:120;\r\n#SINGLE:BASIC:1:2;\r\n");
    const std::vector<std::uint8_t> wav
        = WavBytes(8000, 1, Samples(8000, 1, [](std::size_t, int) { return 0; }));
    source.Write("long.wav", std::string(wav.begin(), wav.end()));
    const auto document = elsewhere / "long.zlvm";
    const auto dwi = elsewhere / "long.dwi";
    const std::string inSource = "cd " + Quoted(source.path()) + " &&";
    ASSERT_EQ(RunCli("convert LONG.dwi " + Quoted(document), inSource).status, 0);
    ASSERT_EQ(RunCli("convert LONG.dwi " + Quoted(dwi), inSource).status, 0);

    const auto song = (source / "long.wav").string();
    for (const auto& written : {document, dwi}) {
        SCOPED_TRACE(written.string());
        const CommandResult result
            = RunCli("info --json " + Quoted(written), "cd " + Quoted(elsewhere.path()) + " &&");
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(nlohmann::json::parse(result.out)["audioPath"], song);
    }
}
