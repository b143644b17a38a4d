#include "text/TemporaryFileRegistry.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace zelvane {
namespace {

// More than the files one program writes at once: a video, a motion, a document.
constexpr int kPlaceCount = 32;

enum PlaceState : int {
    kFree,    // nothing here
    kFilling, // taken by Add, the path being copied: not read yet
    kListed,  // the path is complete and may be unlinked
};

struct Place {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

// Only lock-free atomics may be touched from a signal handler.
static_assert(std::atomic<int>::is_always_lock_free);

Place g_places[kPlaceCount];

} // namespace

int TemporaryFileRegistry::Add(const char* path) noexcept
{
    const std::size_t length = std::strlen(path);
    if (length >= sizeof g_places[0].path)
        return kNotListed;
    for (int i = 0; i < kPlaceCount; ++i) {
        Place& place = g_places[i];
        int expected = kFree;
        if (!place.state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire))
            continue;
        std::memcpy(place.path, path, length + 1);
        place.state.store(kListed, std::memory_order_release);
        return i;
    }
    return kNotListed;
}

void TemporaryFileRegistry::Remove(int place) noexcept
{
    if (place >= 0 && place < kPlaceCount)
        g_places[place].state.store(kFree, std::memory_order_release);
}

void TemporaryFileRegistry::UnlinkAll() noexcept
{
    for (Place& place : g_places)
        if (place.state.load(std::memory_order_acquire) == kListed)
            unlink(place.path);
}

} // namespace zelvane
