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

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    // A folder opens as a stream on this system and reports a nonsense size: refuse it first.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw FileIoError("cannot read \"" + path.string() + "\": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileIoError(Describe(path, "cannot open"));
    std::vector<std::uint8_t> bytes;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    if (regular && !error && size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
        if (static_cast<std::uintmax_t>(in.gcount()) != size)
            throw FileIoError(Describe(path, "cannot read"));
    } else {
        // Not a plain file of known size (a pipe, a special file): read it as a stream.
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    PendingFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace zelvane
