#pragma once

#include "model/ModelDocument.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace zelvane {

// Reads a model file, PMX when it starts with "PMX " and PMD otherwise (a PMD reader takes
// any file as far as it goes). Throws what the reader of that kind throws.
std::unique_ptr<CModelDocument> LoadModelFile(const std::filesystem::path& path);

// The same from bytes in memory; `modelFolder` ends with a separator or is empty.
std::unique_ptr<CModelDocument> ReadModelFile(std::span<const std::uint8_t> bytes,
                                              const std::string& modelFolder);

// Whether the bytes start as a PMX file does.
bool LooksLikePmx(std::span<const std::uint8_t> bytes);

} // namespace zelvane
