#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace zelvane::test {

struct CommandResult {
    int status = -1;
    std::string out; // standard output
    std::string err; // standard error
};

// Runs zelvane-cli with `arguments` (already quoted for the shell).
inline CommandResult RunCli(const std::string& arguments)
{
    const auto errFile = std::filesystem::temp_directory_path()
        / ("zelvane-cli-err-" + std::to_string(::getpid()));
    const std::string command
        = std::string("\"") + ZELVANE_CLI + "\" " + arguments + " 2>\"" + errFile.string() + "\"";
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    std::size_t count;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), count);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = std::fopen(errFile.c_str(), "rb")) {
        while ((count = std::fread(buffer.data(), 1, buffer.size(), err)) > 0)
            result.err.append(buffer.data(), count);
        std::fclose(err);
    }
    std::filesystem::remove(errFile);
    return result;
}

inline std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

} // namespace zelvane::test
