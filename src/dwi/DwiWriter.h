#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zelvane {

class CStepDocument;
class CTempoMap;

// What of a tempo map a DWI file cannot hold, and an export therefore leaves out (the notes
// stay): warps, which the format has no tag for, and delays at clock 0, which are written as
// stops a clock earlier and have no clock before them.
struct DwiExportOmissions {
    std::size_t warps = 0;
    std::size_t startDelays = 0;

    bool empty() const { return warps == 0 && startDelays == 0; }
    bool operator==(const DwiExportOmissions&) const = default;
};

DwiExportOmissions DwiOmissions(const CTempoMap& tempo);

// The whole document as the text of a DWI file at `path` (which decides how the song's path
// is written): song settings and the tempo map's changes and freezes, then every score in
// order, every line ending in CR LF.
std::vector<std::uint8_t> DwiBytes(const CStepDocument& document,
                                   const std::filesystem::path& path);

// Writes DwiBytes through a temporary file and a rename, so a failed export leaves any old
// file whole. Throws FileIoError. Returns what the file leaves out, for the caller to say.
DwiExportOmissions WriteDwi(const CStepDocument& document, const std::filesystem::path& path);

} // namespace zelvane
