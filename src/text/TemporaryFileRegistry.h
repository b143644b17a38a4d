#pragma once

namespace zelvane {

// The temporary files being written at this moment, kept where a signal handler may read
// them: a program that is interrupted removes them before it ends, so an interrupted save
// leaves the old file and nothing beside it.
//
// The list is fixed storage filled without allocating; a file that finds no free place, or
// whose path is longer than a place holds, is not listed (an interruption then leaves it
// behind, as it would without the list).
class TemporaryFileRegistry {
public:
    static constexpr int kNotListed = -1;

    // Lists `path` (a file that exists now); returns its place for Remove, or kNotListed.
    static int Add(const char* path) noexcept;
    // Takes the file at `place` off the list (kNotListed does nothing).
    static void Remove(int place) noexcept;
    // Unlinks every listed file. Async-signal-safe: only atomics and unlink.
    static void UnlinkAll() noexcept;
};

} // namespace zelvane
