#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zelvane {

// How large a file of each kind may be. Every file is read whole into memory, so a file far
// beyond what its kind ever needs is refused by its size before a byte of it is read, rather
// than left to exhaust memory.
constexpr std::uintmax_t kMaxChartFileBytes = std::uintmax_t{64} << 20;   // .dwi, .zlvm
constexpr std::uintmax_t kMaxModelFileBytes = std::uintmax_t{512} << 20;  // .pmd
constexpr std::uintmax_t kMaxMotionFileBytes = std::uintmax_t{256} << 20; // .vmd

// The whole file, or FileIoError with the path and the reason. Only plain files are read:
// folders, devices and pipes are refused, and so is a file of more than `maxBytes`.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Whether `path` is a plain file (not a folder, device or pipe) that can be opened for
// reading; symbolic links are followed.
bool IsReadablePlainFile(const std::filesystem::path& path);

// Writes to a temporary file beside `path`, flushes it to disk and renames it into place
// (see PendingFile), so a failed save leaves the old file as it was. Throws FileIoError.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace zelvane
