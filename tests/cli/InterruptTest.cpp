#include "CliTestSupport.h"
#include "chart/StepDocument.h"
#include "text/FileIo.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

using namespace zelvane;
using namespace zelvane::test;

namespace {

// zelvane-cli running on its own, its output thrown away and every interruption at its
// default, whatever this test was started with. Killed outright if a check gives up on it.
class CliProcess {
public:
    explicit CliProcess(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), ZELVANE_CLI);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&signals, signal);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&m_pid, argv[0], &files, &attributes, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
    }
    ~CliProcess()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    bool started() const { return m_pid > 0; }
    // Whether it has ended by itself (it is then gone).
    bool Ended()
    {
        if (waitpid(m_pid, nullptr, WNOHANG) != m_pid)
            return false;
        m_pid = -1;
        return true;
    }
    // Sends `signal` and waits for the end: the exit status, or -1 when it did not exit.
    int Interrupt(int signal)
    {
        kill(m_pid, signal);
        int status = 0;
        const pid_t ended = waitpid(m_pid, &status, 0);
        m_pid = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
};

// The temporary file of a video being written to `target`, once frames have reached it;
// empty while there is none.
std::filesystem::path WrittenTemporary(const std::filesystem::path& target)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(target.filename().string() + ".")
            && std::filesystem::file_size(entry.path(), error) > 0)
            return entry.path();
    }
    return {};
}

} // namespace

// Stopped while it writes a video, the program takes away the temporary file it was writing,
// leaves the file it was to replace as it was and ends with 128 plus the signal's number.
TEST(CliInterrupt, AnInterruptedVideoLeavesTheOldFileAndNothingBesideIt)
{
    const TempFolder folder;
    // Half an hour of chart: far longer than the wait below for its first frames.
    const auto chart = folder / "long.zlvm";
    {
        CStepDocument document;
        document.NewDocument();
        document.SetDancing({.dancesCharts = false});
        Add(*document.scores().current(), {{0, 1, 0}, {172800, 2, 0}});
        document.SaveDocument(chart);
    }
    const auto target = folder / "video.avi";
    const std::string old = "the video of before";
    const std::pair<int, int> endings[] = {{SIGTERM, 143}, {SIGINT, 130}, {SIGHUP, 129}};
    for (const auto& [signal, status] : endings) {
        SCOPED_TRACE(strsignal(signal));
        folder.Write("video.avi", old);
        CliProcess cli({"avi", chart.string(), "--style", "SINGLE", "--difficulty", "BASIC", "-o",
                        target.string()});
        ASSERT_TRUE(cli.started());
        // Waits for the condition, not for a time: the bound only keeps a broken program
        // from holding the suite.
        std::filesystem::path temporary;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        while ((temporary = WrittenTemporary(target)).empty()) {
            ASSERT_FALSE(cli.Ended()) << "the video ended before it could be interrupted";
            ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << "no frames were written";
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(cli.Interrupt(signal), status);
        EXPECT_FALSE(std::filesystem::exists(temporary)) << temporary;
        const std::vector<std::uint8_t> kept = ReadWholeFile(target, kMaxChartFileBytes);
        EXPECT_EQ(std::string(kept.begin(), kept.end()), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
    }
}
