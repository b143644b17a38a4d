#pragma once

#include <filesystem>
#include <gtest/gtest.h>

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

} // namespace zelvane::test

// Skips the test with a clear message when the shared test files are not there.
#define ZELVANE_REQUIRE_SHARED(path)                                                               \
    do {                                                                                           \
        if (!std::filesystem::exists(path))                                                        \
            GTEST_SKIP() << "shared test data not found: " << (path).string()                      \
                         << " (the ../shared folder is absent in a fresh clone)";                  \
    } while (false)
