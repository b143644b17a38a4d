#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zelvane {

// The whole file, or FileIoError with the path and the reason. Only plain files are read:
// folders, devices and pipes are refused.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Whether `path` is a plain file (not a folder, device or pipe) that can be opened for
// reading; symbolic links are followed.
bool IsReadablePlainFile(const std::filesystem::path& path);

// Writes to a temporary file beside `path`, flushes it to disk and renames it into place
// (see PendingFile), so a failed save leaves the old file as it was. Throws FileIoError.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace zelvane
