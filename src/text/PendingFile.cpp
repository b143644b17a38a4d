#include "text/PendingFile.h"

#include "text/Errors.h"
#include "text/StringTable.h"
#include "text/TemporaryFileRegistry.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace zelvane {
namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinkHops = 40;
// Name clashes with other temporary files are retried this often before giving up.
constexpr int kMaxNameAttempts = 100;
// How much is written before the disk is asked to start on it.
constexpr std::size_t kWriteBackChunk = 8 << 20;

// Takes errno as an argument: it is read before building the reason can change it.
[[noreturn]] void Fail(std::uint32_t reason, const std::filesystem::path& path, int error)
{
    throw FileIoError(Reason(reason, {path, SystemError{error}}));
}

// Follows symbolic links in the last component only: the folders on the way may be links
// too, but the rename happens in whatever folder they lead to, which is the right one.
std::filesystem::path ResolveLinks(const std::filesystem::path& path)
{
    std::filesystem::path resolved = path;
    for (int hop = 0;; ++hop) {
        struct stat info;
        if (lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return resolved;
        if (hop == kMaxLinkHops)
            Fail(IDS_REASON_CANNOT_WRITE, path, ELOOP);
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(resolved, error);
        if (error)
            Fail(IDS_REASON_CANNOT_WRITE, path, error.value());
        resolved = link.is_absolute() ? link : resolved.parent_path() / link;
    }
}

// Six letters or digits, like mkstemp's, but the file is opened by us with the usual mode so
// the umask applies as it does to any new file.
std::string RandomSuffix()
{
    static constexpr char kLetters[]
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, ' ');
    for (char& letter : suffix)
        letter = kLetters[pick(engine)];
    return suffix;
}

} // namespace

PendingFile::PendingFile(const std::filesystem::path& target)
    : m_target(ResolveLinks(target))
{
    if (!m_target.has_filename())
        throw FileIoError(Reason(IDS_REASON_WRITE_NAMES_NO_FILE, {target}));
    // Refused now rather than at the rename, before anything has been written: a folder
    // cannot be replaced, a device or pipe must not be, and a read-only file stays the
    // user's protection even though the folder would let a rename through.
    struct stat info;
    if (stat(m_target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            throw FileIoError(Reason(IDS_REASON_WRITE_TARGET_IS_FOLDER, {target}));
        if (!S_ISREG(info.st_mode))
            throw FileIoError(Reason(IDS_REASON_WRITE_TARGET_NOT_FILE, {target}));
        if (access(m_target.c_str(), W_OK) != 0)
            Fail(IDS_REASON_CANNOT_WRITE, target, errno);
    }
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        m_temporary = m_target;
        m_temporary += "." + RandomSuffix();
        m_descriptor = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0) {
            // Listed only once it is ours: a name that turned out to be taken is never
            // removed by an interrupted program.
            // The name is made absolute so that it holds whatever the current folder is
            // when it is removed.
            std::error_code error;
            const std::filesystem::path listed = std::filesystem::absolute(m_temporary, error);
            m_listing = TemporaryFileRegistry::Add((error ? m_temporary : listed).c_str());
            return;
        }
        if (errno != EEXIST)
            break;
    }
    Fail(IDS_REASON_CANNOT_CREATE_BESIDE, target, errno);
}

PendingFile::~PendingFile()
{
    Discard();
}

void PendingFile::Write(std::span<const std::uint8_t> bytes)
{
    const std::uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(m_descriptor, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        // A file that takes nothing more is as full as a full disk.
        if (written <= 0)
            Fail(IDS_REASON_CANNOT_WRITE, m_target, written < 0 ? errno : ENOSPC);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    // Start the disk on what has piled up, without waiting for it: the flush at Commit then
    // has little left to do, and a long video does not gather gigabytes of unwritten pages.
    // Only a hint; a failure to write back shows at Commit.
    m_unflushedBytes += bytes.size();
    if (m_unflushedBytes >= kWriteBackChunk) {
        sync_file_range(m_descriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
        m_unflushedBytes = 0;
    }
}

void PendingFile::Commit()
{
    if (m_committed)
        return;
    try {
        struct stat replaced;
        if (stat(m_target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)
            && fchmod(m_descriptor, replaced.st_mode & 0777) != 0)
            Fail(IDS_REASON_CANNOT_KEEP_PERMISSIONS, m_target, errno);
        if (fsync(m_descriptor) != 0)
            Fail(IDS_REASON_CANNOT_WRITE, m_target, errno);
        // Some file systems report a failed write-back only here.
        if (close(std::exchange(m_descriptor, -1)) != 0)
            Fail(IDS_REASON_CANNOT_WRITE, m_target, errno);
        if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
            Fail(IDS_REASON_CANNOT_REPLACE, m_target, errno);
        m_committed = true;
        TemporaryFileRegistry::Remove(std::exchange(m_listing, TemporaryFileRegistry::kNotListed));
    } catch (...) {
        Discard();
        throw;
    }
    // The new file is in place; flushing the folder makes the rename survive a crash too.
    // A file system that cannot flush folders says EINVAL, and there is nothing more to do.
    const std::filesystem::path folder
        = m_target.parent_path().empty() ? std::filesystem::path(".") : m_target.parent_path();
    const int folderDescriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderDescriptor < 0)
        return;
    const int synced = fsync(folderDescriptor);
    const int error = errno;
    close(folderDescriptor);
    if (synced != 0 && error != EINVAL)
        Fail(IDS_REASON_CANNOT_FLUSH_FOLDER, m_target, error);
}

void PendingFile::Discard()
{
    if (m_descriptor >= 0)
        close(std::exchange(m_descriptor, -1));
    if (!m_committed && !m_temporary.empty()) {
        unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    TemporaryFileRegistry::Remove(std::exchange(m_listing, TemporaryFileRegistry::kNotListed));
}

} // namespace zelvane
