#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zelvane::test {

// The total frame count in an AVI file's main header, read where the RIFF layout puts it
// ("RIFF" size "AVI " "LIST" size "hdrl" "avih" size, then six 32-bit fields); 0 for a file
// that is not laid out so.
inline std::uint32_t AviTotalFrames(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> head(52);
    file.read(reinterpret_cast<char*>(head.data()), 52);
    const auto is = [&head](std::size_t at, const char* text) {
        return std::equal(head.begin() + static_cast<std::ptrdiff_t>(at),
                          head.begin() + static_cast<std::ptrdiff_t>(at + 4), text);
    };
    if (file.gcount() != 52 || !is(0, "RIFF") || !is(8, "AVI ") || !is(24, "avih"))
        return 0;
    return head[48] | (head[49] << 8) | (head[50] << 16) | (std::uint32_t{head[51]} << 24);
}

} // namespace zelvane::test
