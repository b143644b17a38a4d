#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>
#include <vector>

namespace zelvane::cli {

// A command-line check that a file to write ends in one of `extensions` (lower case, with
// their dots; the name's case does not matter): a motion written as "song.dwi" would
// replace the chart. A name without one is a usage error.
CLI::Validator OutputExtension(std::vector<std::string> extensions);

// Throws InvalidArgumentError when `output` is the same file as one of `inputs`, also
// through a hard or symbolic link: the command would overwrite what it reads. Checked
// before anything is read or written.
void RequireOutputApartFromInputs(const std::filesystem::path& output,
                                  const std::vector<std::filesystem::path>& inputs);

} // namespace zelvane::cli
