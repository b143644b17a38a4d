#include "chart/StoredPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace zelvane {
namespace {

namespace fs = std::filesystem;

class StoredPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path()
            / ("zelvane-stored-path-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder / "songs");
        document = folder / "chart.zlvm";
        for (const fs::path& file : {folder / "beat.wav", folder / "songs" / "tune.mp3"})
            std::ofstream(file) << "x";
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    fs::path document;
};

TEST_F(StoredPath, RelativePathsAreTakenFromTheDocumentsFolder)
{
    EXPECT_EQ(ResolveStoredPath(document, "songs/tune.mp3"), (folder / "songs/tune.mp3").string());
    EXPECT_EQ(ResolveStoredPath(document, "./beat.wav"), (folder / "beat.wav").string());
}

TEST_F(StoredPath, APathThatLeadsNowhereIsLookedForByNameBesideTheDocument)
{
    EXPECT_EQ(ResolveStoredPath(document, "/elsewhere/beat.wav"), (folder / "beat.wav").string());
    EXPECT_EQ(ResolveStoredPath(document, "C:\\Songs\\beat.wav"), (folder / "beat.wav").string());
    EXPECT_EQ(ResolveStoredPath(document, "..\\beat.wav"), (folder / "beat.wav").string());
}

TEST_F(StoredPath, WhatIsThereOrCannotBeFoundStaysAsStored)
{
    const std::string existing = (folder / "songs" / "tune.mp3").string();
    EXPECT_EQ(ResolveStoredPath(document, existing), existing);
    EXPECT_EQ(ResolveStoredPath(document, "/elsewhere/gone.wav"), "/elsewhere/gone.wav");
    EXPECT_EQ(ResolveStoredPath(document, "C:\\gone.wav"), "C:\\gone.wav");
    EXPECT_EQ(ResolveStoredPath(document, ""), "");
    // A document not read from a file has no folder to look in.
    EXPECT_EQ(ResolveStoredPath({}, "beat.wav"), "beat.wav");
    // A folder of that name is not the file.
    EXPECT_EQ(ResolveStoredPath(document, "/elsewhere/songs"), "/elsewhere/songs");
}

} // namespace
} // namespace zelvane
