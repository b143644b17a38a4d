#include "cli/InterruptCleanup.h"

#include "text/TemporaryFileRegistry.h"

#include <csignal>
#include <initializer_list>
#include <unistd.h>

namespace zelvane::cli {
namespace {

void OnInterrupt(int signal)
{
    TemporaryFileRegistry::UnlinkAll();
    _exit(128 + signal);
}

} // namespace

void RemoveTemporaryFilesOnInterrupt()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous { };
        if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action { };
        action.sa_handler = &OnInterrupt;
        sigemptyset(&action.sa_mask);
        // The other interruptions wait while one is handled: the program ends once.
        sigaddset(&action.sa_mask, SIGINT);
        sigaddset(&action.sa_mask, SIGTERM);
        sigaddset(&action.sa_mask, SIGHUP);
        sigaction(signal, &action, nullptr);
    }
}

} // namespace zelvane::cli
