#pragma once

#include "TestData.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
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

inline std::filesystem::path Temp(const std::string& name)
{
    return UniqueTempPath("cli-" + name);
}

inline std::filesystem::path WriteTemp(const std::string& name, const std::string& bytes)
{
    const auto path = Temp(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::filesystem::path Mannequin()
{
    return ProjectFile("resources/mannequin/mannequin.pmd");
}

// At 120 BPM a step on the second eighth ends the chart at clock 24, frame 7: the video
// holds frames 0 to 7. A step on the first alone makes a chart of no length.
inline std::filesystem::path WriteVideoChart()
{
    return WriteTemp("video.dwi",
                     "#TITLE:Video;\r\n#BPM:120;\r\n"
                     "#SINGLE:BASIC:1:02;\r\n#DOUBLE:BASIC:1:2;\r\n");
}

} // namespace zelvane::test
