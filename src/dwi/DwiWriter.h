#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zelvane {

class CStepDocument;

// The whole document as the text of a DWI file at `path` (which decides how the song's path
// is written): song settings, then every score in order, every line ending in CR LF.
std::vector<std::uint8_t> DwiBytes(const CStepDocument& document,
                                   const std::filesystem::path& path);

// Writes DwiBytes through a temporary file and a rename, so a failed export leaves any old
// file whole. Throws FileIoError.
void WriteDwi(const CStepDocument& document, const std::filesystem::path& path);

} // namespace zelvane
