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

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "zelvane-dwi-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
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
};

inline DwiImportResult ImportText(CStepDocument& document, std::string_view text,
                                  const std::filesystem::path& path = "/nonexistent/song.dwi")
{
    return ImportDwiBytes(document, path,
                          {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// A score's notes as (clock, panel, length), sorted, for comparing regardless of order.
inline std::vector<std::tuple<int, int, int>> NotesOf(const CScore& score)
{
    std::vector<std::tuple<int, int, int>> notes;
    for (const auto& note : score.notes())
        notes.emplace_back(note->clock, note->panel, note->length);
    std::sort(notes.begin(), notes.end());
    return notes;
}

} // namespace zelvane::test
