#pragma once

#include "model/ModelDocument.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace zelvane {

// Reads a PMD model file. Texture, sphere-map and toon names become paths in the model's
// folder. A file that ends early gives the model as far as it was read (a file without
// English names, toons or physics is an ordinary model). Throws FileIoError when the file
// cannot be read and InvalidArgumentError when an index in it is out of range.
std::unique_ptr<CModelDocument> LoadModelDocument(const std::filesystem::path& path);

// The same from bytes in memory; `modelFolder` is put before every texture and toon name and
// ends with a separator (or is empty).
std::unique_ptr<CModelDocument> ReadModelDocument(std::span<const std::uint8_t> bytes,
                                                  const std::string& modelFolder);

// Fills `material`'s texture and sphere-map paths from the material's name field: pieces
// separated by '*', each a sphere map when it ends in ".spa" (added) or ".sph" (multiplied)
// and a colour texture otherwise; a later piece of a kind replaces an earlier one.
void AssignMaterialFileNames(CModelMaterial& material, const std::string& field,
                             const std::string& modelFolder);

} // namespace zelvane
