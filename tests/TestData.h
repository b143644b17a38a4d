#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace zelvane::test {

// Files made by other programs live outside the project; a fresh clone has none of them.
inline std::filesystem::path SharedTestData(const std::filesystem::path& relative)
{
    return std::filesystem::path(ZELVANE_SHARED_TESTDATA) / relative;
}

inline std::filesystem::path ProjectTestData(const std::filesystem::path& relative)
{
    return std::filesystem::path(ZELVANE_TEST_DATA) / relative;
}

// A file of the project itself, such as the demo mannequin under resources/.
inline std::filesystem::path ProjectFile(const std::filesystem::path& relative)
{
    return std::filesystem::path(ZELVANE_SOURCE_DIR) / relative;
}

// A path in the temporary folder that no other test process uses: test cases run in
// parallel, and several builds may test on one machine at once.
inline std::filesystem::path UniqueTempPath(const std::string& name)
{
    return std::filesystem::temp_directory_path()
        / ("zelvane-" + std::to_string(::getpid()) + "-" + name);
}

} // namespace zelvane::test

// Skips the test with a clear message when the shared test files are not there.
#define ZELVANE_REQUIRE_SHARED(path)                                                               \
    do {                                                                                           \
        if (!std::filesystem::exists(path))                                                        \
            GTEST_SKIP() << "shared test data not found: " << (path).string()                      \
                         << " (the ../shared folder is absent in a fresh clone)";                  \
    } while (false)
