#pragma once

#include <filesystem>
#include <string>

namespace zelvane::dwi {

// The song named by a DWI file's FILE value (UTF-8 text), as a path on this machine. DWI
// files come from a system with "\" separators and case-blind file names: "\" separates
// folders, a relative value is taken from the DWI file's folder, and when the file is not
// there as written but one whose name differs only in letter case is, that one is taken.
std::string ResolveDwiAudioPath(const std::filesystem::path& dwiPath, const std::string& value);

// The FILE value that names `audioPath` from a DWI file at `dwiPath`: relative to the DWI
// file's folder when the song lies in it or below it, so that the two can move together;
// otherwise the absolute path.
std::string DwiAudioPathText(const std::string& audioPath, const std::filesystem::path& dwiPath);

} // namespace zelvane::dwi
