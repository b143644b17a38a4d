#pragma once

#include <string>

namespace zelvane::cli {

// The names of the commands, comma-separated, as this build offers them.
std::string CommandNames();

// How `command` is called, one synopsis (a few lines), each line starting with
// "usage: zelvane-cli"; for an empty or unknown `command`, the synopsis of every command.
std::string Usage(const std::string& command);

} // namespace zelvane::cli
