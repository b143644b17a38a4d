#include "dwi/DwiAudioPath.h"

#include <algorithm>
#include <system_error>

namespace zelvane::dwi {
namespace {

namespace fs = std::filesystem;

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// A drive-letter path ("C:/...") is absolute where it was written, though not here.
bool IsForeignAbsolute(const std::string& value)
{
    return value.size() >= 2 && value[1] == ':'
        && ((value[0] >= 'A' && value[0] <= 'Z') || (value[0] >= 'a' && value[0] <= 'z'));
}

// Walks `relative` from `base`, taking at each level the entry of that name, or else the
// first whose name matches it letter case aside. Empty when some level has neither.
fs::path FindIgnoringCase(const fs::path& base, const fs::path& relative)
{
    fs::path found = base;
    for (const fs::path& part : relative) {
        const std::string name = part.string();
        if (name.empty() || name == "." || name == ".." || Exists(found / part)) {
            found /= part;
            continue;
        }
        std::error_code error;
        fs::directory_iterator it(found.empty() ? fs::path(".") : found, error);
        if (error)
            return {};
        fs::path match;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error)
                return {};
            if (EqualIgnoringCase(it->path().filename().string(), name)) {
                match = it->path().filename();
                break;
            }
        }
        if (match.empty())
            return {};
        found /= match;
    }
    return found;
}

} // namespace

std::string ResolveDwiAudioPath(const fs::path& dwiPath, const std::string& value)
{
    if (value.empty())
        return {};
    std::string text = value;
    std::replace(text.begin(), text.end(), '\\', '/');
    if (IsForeignAbsolute(text))
        return text;

    const fs::path written(text);
    fs::path base;
    fs::path rest;
    if (written.is_absolute()) {
        base = written.root_path();
        rest = written.relative_path();
    } else {
        base = dwiPath.parent_path();
        rest = written;
    }
    const fs::path joined = (base / rest).lexically_normal();
    if (Exists(joined))
        return joined.string();
    const fs::path found = FindIgnoringCase(base, rest);
    return found.empty() ? joined.string() : found.lexically_normal().string();
}

std::string DwiAudioPathText(const std::string& audioPath, const fs::path& dwiPath)
{
    if (audioPath.empty())
        return {};
    std::error_code error;
    const fs::path audio = fs::absolute(fs::path(audioPath), error).lexically_normal();
    if (error)
        return audioPath;
    const fs::path folder = fs::absolute(dwiPath, error).parent_path().lexically_normal();
    if (error)
        return audio.string();
    const fs::path relative = audio.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..")
        return audio.string();
    return relative.generic_string();
}

} // namespace zelvane::dwi
