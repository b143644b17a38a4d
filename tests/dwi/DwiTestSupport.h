#pragma once

#include "chart/ChartTestSupport.h"
#include "dwi/DwiImport.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

namespace zelvane::test {

using Notes = std::vector<CNote>;

inline DwiDiagnostics ImportText(CStepDocument& document, std::string_view text,
                                 const std::filesystem::path& path = "/nonexistent/song.dwi")
{
    return ImportDwiBytes(document, path,
                          {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// A score's notes ordered by clock, panel and length: the order of notes at one clock is the
// reader's and the writer's own business.
inline Notes SortedNotesOf(const CScore& score)
{
    Notes notes = NotesOf(score);
    std::sort(notes.begin(), notes.end(), [](const CNote& a, const CNote& b) {
        return std::tie(a.clock, a.panel, a.length) < std::tie(b.clock, b.panel, b.length);
    });
    return notes;
}

} // namespace zelvane::test
