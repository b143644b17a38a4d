#include "chart/StoredPath.h"

namespace zelvane {
namespace {

bool IsFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool LooksForeign(const std::string& stored)
{
    const bool driveLetter = stored.size() >= 2 && stored[1] == ':'
        && ((stored[0] >= 'A' && stored[0] <= 'Z') || (stored[0] >= 'a' && stored[0] <= 'z'));
    return driveLetter || stored.find('\\') != std::string::npos;
}

std::string FileNameOf(const std::string& stored)
{
    const std::size_t separator = stored.find_last_of("/\\");
    return separator == std::string::npos ? stored : stored.substr(separator + 1);
}

} // namespace

std::string ResolveStoredPath(const std::filesystem::path& documentPath, const std::string& stored)
{
    if (stored.empty() || documentPath.empty())
        return stored;
    const std::filesystem::path folder = documentPath.parent_path();
    if (!LooksForeign(stored)) {
        const std::filesystem::path path(stored);
        const std::filesystem::path resolved
            = path.is_relative() ? (folder / path).lexically_normal() : path;
        if (IsFile(resolved))
            return resolved.string();
    }
    const std::string name = FileNameOf(stored);
    if (!name.empty() && IsFile(folder / name))
        return (folder / name).string();
    return stored;
}

} // namespace zelvane
