#include "chart/StoredPath.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zelvane {
namespace {

namespace fs = std::filesystem;

// A relative path is taken from the document's folder; one that leads nowhere is looked for
// by its name beside the document; what is there, or cannot be found, stays as stored.
TEST(StoredPath, PathsResolveFromTheDocumentsFolderOrByNameBesideIt)
{
    const fs::path folder = test::UniqueTempPath("stored-path");
    fs::create_directories(folder / "songs");
    const fs::path document = folder / "chart.zlvm";
    for (const fs::path& file : {folder / "beat.wav", folder / "songs" / "tune.mp3"})
        std::ofstream(file) << "x";
    const std::string beside = (folder / "beat.wav").string();
    const std::string existing = (folder / "songs" / "tune.mp3").string();
    const std::pair<const char*, std::string> cases[] = {
        {"songs/tune.mp3", existing},
        {"./beat.wav", beside},
        {"/elsewhere/beat.wav", beside},
        {"C:\\Songs\\beat.wav", beside},
        {"..\\beat.wav", beside},
        {"/elsewhere/gone.wav", "/elsewhere/gone.wav"},
        {"C:\\gone.wav", "C:\\gone.wav"},
        {"", ""},
        {"/elsewhere/songs", "/elsewhere/songs"}, // a folder of that name is not the file
    };
    for (const auto& [stored, resolved] : cases)
        EXPECT_EQ(ResolveStoredPath(document, stored), resolved) << stored;
    EXPECT_EQ(ResolveStoredPath(document, existing), existing);
    // A document not read from a file has no folder to look in.
    EXPECT_EQ(ResolveStoredPath({}, "beat.wav"), "beat.wav");
    fs::remove_all(folder);
}

} // namespace
} // namespace zelvane
