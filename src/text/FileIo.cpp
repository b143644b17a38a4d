#include "text/FileIo.h"

#include "text/Errors.h"
#include "text/PendingFile.h"
#include "text/StringTable.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

namespace zelvane {
namespace {

// A limit as people say it: "64 MB" where it is a whole number of megabytes.
Reason SizeText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kMegabyte = std::uintmax_t{1} << 20;
    if (bytes % kMegabyte == 0)
        return Reason(IDS_REASON_SIZE_MEGABYTES, {bytes / kMegabyte});
    return Reason(IDS_REASON_SIZE_BYTES, {bytes});
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Only plain files: a folder opens as a stream here with a nonsense size, and a device
    // such as /dev/zero named in a document would be read until memory runs out.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        throw FileIoError(Reason(IDS_REASON_READ_IS_FOLDER, {path}));
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw FileIoError(Reason(IDS_REASON_READ_NOT_PLAIN_FILE, {path}));
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int code = errno; // before anything else can change it
        throw FileIoError(Reason(IDS_REASON_CANNOT_OPEN, {path, SystemError{code}}));
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw FileIoError(Reason(IDS_REASON_CANNOT_READ, {path, SystemError{error.value()}}));
    if (size > maxBytes)
        throw FileIoError(Reason(IDS_REASON_READ_TOO_LARGE, {path, size, SizeText(maxBytes)}));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        const int code = errno;
        throw FileIoError(Reason(IDS_REASON_CANNOT_READ, {path, SystemError{code}}));
    }
    return bytes;
}

bool IsReadablePlainFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    return std::ifstream(path, std::ios::binary).good();
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    PendingFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace zelvane
