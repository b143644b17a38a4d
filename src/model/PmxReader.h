#pragma once

#include "model/PmxFile.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelvane {

// Reads a PMX 2.0 or 2.1 model into plain records. The whole file must be there: a file
// that ends early is refused (FileFormatError naming the part it ends in), as is a count the
// remaining bytes cannot hold or a value no model may have; an index outside its table
// throws InvalidArgumentError. Nothing is allocated for a list before its count was checked
// against the bytes left, so a hostile count costs nothing: the records take at most about
// 17 times the bytes they were read from (IK links without limits, empty morphs).
PmxFile ReadPmxFile(std::span<const std::uint8_t> bytes);

// The same from a file; FileIoError when it cannot be read.
PmxFile LoadPmxFile(const std::filesystem::path& path);

} // namespace zelvane
