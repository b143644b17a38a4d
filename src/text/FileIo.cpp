#include "text/FileIo.h"

#include "text/Errors.h"
#include "text/PendingFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace zelvane {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what)
{
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
}

// A limit as people say it: "64 MB" where it is a whole number of megabytes.
std::string SizeText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kMegabyte = std::uintmax_t{1} << 20;
    if (bytes % kMegabyte == 0)
        return std::to_string(bytes / kMegabyte) + " MB";
    return std::to_string(bytes) + " bytes";
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Only plain files: a folder opens as a stream here with a nonsense size, and a device
    // such as /dev/zero named in a document would be read until memory runs out.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        throw FileIoError("cannot read \"" + path.string() + "\": it is a folder");
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw FileIoError("cannot read \"" + path.string() + "\": it is not a plain file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileIoError(Describe(path, "cannot open"));
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw FileIoError("cannot read \"" + path.string() + "\": " + error.message());
    if (size > maxBytes)
        throw FileIoError("cannot read \"" + path.string() + "\": it is too large ("
                          + std::to_string(size) + " bytes; a file of its kind may have "
                          + SizeText(maxBytes) + ")");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        throw FileIoError(Describe(path, "cannot read"));
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
