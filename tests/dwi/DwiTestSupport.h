#pragma once

#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace zelvane::test {

using Notes = std::vector<std::tuple<int, int, int>>;

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(m_path, m_error); }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const
    {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::filesystem::path m_path;
    std::error_code m_error; // removal is best effort
};

inline DwiDiagnostics ImportText(CStepDocument& document, std::string_view text,
                                 const std::filesystem::path& path = "/nonexistent/song.dwi")
{
    return ImportDwiBytes(document, path,
                          {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// A score's notes as (clock, panel, length) in the score's own order, or sorted.
inline Notes NotesOf(const CScore& score, bool sorted = true)
{
    Notes notes;
    for (const auto& note : score.notes())
        notes.emplace_back(note->clock, note->panel, note->length);
    if (sorted)
        std::sort(notes.begin(), notes.end());
    return notes;
}

inline void Add(CScore& score, const std::vector<CNote>& notes)
{
    for (const CNote& note : notes)
        score.InsertNote(std::make_unique<CNote>(note));
    score.UpdateLength(0);
}

} // namespace zelvane::test
