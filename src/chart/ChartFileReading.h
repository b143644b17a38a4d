#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelvane {

class CStepDocument;

// Reads a chart file whole for an import, before anything is replaced, so a file that cannot
// be read leaves the user's charts as they were. On failure returns why, in the desktop
// program's words: a folder or a missing file is "not found", anything else its reason.
std::optional<std::string> ReadChartFileForImport(const std::filesystem::path& path,
                                                  std::vector<std::uint8_t>& bytes);

// Whether any score of the document has notes, which an import would replace.
bool HasAnyNotes(const CStepDocument& document);

} // namespace zelvane
