#pragma once

#include "TestData.h"
#include "chart/ChartTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/wait.h>

namespace zelvane::test {

struct CommandResult {
    int status = -1;
    std::string out; // standard output
    std::string err; // standard error
};

inline std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

// A path in a folder of this test process's own, removed when the process ends.
inline std::filesystem::path Temp(const std::string& name)
{
    static const TempFolder folder;
    return folder / name;
}

inline std::filesystem::path WriteTemp(const std::string& name, const std::string& bytes)
{
    const auto path = Temp(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Runs zelvane-cli with `arguments` (already quoted for the shell), after `before` (shell
// commands ending in ";" or "&&", such as a change of folder).
inline CommandResult RunCli(const std::string& arguments, const std::string& before = {})
{
    const auto errFile = Temp("stderr");
    const std::string command
        = before + " \"" ZELVANE_CLI "\" " + arguments + " 2>" + Quoted(errFile);
    CommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, count);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(err), {});
    return result;
}

// A command that fails as the tool must: `status` (1 for bad input, 2 for a command line it
// cannot parse), nothing on standard output, `says` on standard error, and for bad input one
// line there that starts as every error does.
inline void ExpectFailure(const CommandResult& result, int status, const std::string& says)
{
    EXPECT_EQ(result.status, status) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
    if (status == 1) {
        EXPECT_EQ(result.err.rfind("zelvane-cli: error: ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

// The JSON a command that must succeed prints; null when it fails.
inline nlohmann::json CliJson(const std::string& arguments)
{
    const CommandResult result = RunCli(arguments);
    EXPECT_EQ(result.status, 0) << arguments << "\n" << result.err;
    return result.status == 0 ? nlohmann::json::parse(result.out) : nlohmann::json();
}

inline nlohmann::json InfoJson(const std::filesystem::path& path)
{
    return CliJson("info --json " + Quoted(path));
}

inline std::filesystem::path Mannequin()
{
    return ProjectFile("resources/mannequin/mannequin.pmd");
}

} // namespace zelvane::test
