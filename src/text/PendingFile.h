#pragma once

#include "text/TemporaryFileRegistry.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zelvane {

// A new file written beside the file it is to replace, put in its place only when complete.
// The data is flushed to disk before one rename swaps it in and the folder is flushed after,
// so a failure or a crash at any point leaves either the old file or the new one, never a
// mix; until `Commit` the target is not touched at all.
//
// A symbolic link as the target is followed: the file it points to is replaced and the link
// stays. A replaced file keeps its permission bits; a new one gets the usual ones (0666 less
// the umask), not the private ones of a temporary file.
//
// Until it is committed or discarded the temporary file is on the TemporaryFileRegistry, so
// a program that handles its interruption can remove it on the way out.
class PendingFile {
public:
    // Creates the temporary file, exclusively, in the target's folder. Throws FileIoError when
    // the folder does not take a new file, or the target is a folder or a file the user may
    // not write.
    explicit PendingFile(const std::filesystem::path& target);
    // Removes the temporary file unless it has been committed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // The open temporary file, for writers that need to seek (FFmpeg's muxers do).
    int descriptor() const { return m_descriptor; }
    // The file that `Commit` replaces: the target with its symbolic links resolved.
    const std::filesystem::path& targetPath() const { return m_target; }

    // Writes all of `bytes` at the file's current position. Throws FileIoError.
    void Write(std::span<const std::uint8_t> bytes);

    // Flushes the data to disk, closes the file and renames it onto the target, then flushes
    // the folder so the rename itself survives a crash. Throws FileIoError; on failure the
    // temporary file is removed and the target is as it was.
    void Commit();

private:
    // Closes and removes the temporary file, unless it has already become the target.
    void Discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_descriptor = -1;
    bool m_committed = false;
    int m_listing = TemporaryFileRegistry::kNotListed; // the temporary file's place there
    std::size_t m_unflushedBytes = 0; // written since the disk was last asked to start
};

} // namespace zelvane
