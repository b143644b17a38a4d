#pragma once

#include "chart/StepDocument.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

// Failures show notes as {clock, panel, length} rather than as bytes.
inline void PrintTo(const CNote& note, std::ostream* out)
{
    *out << "{" << note.clock << ", " << note.panel << ", " << note.length << "}";
}

namespace test {

inline std::unique_ptr<CNote> MakeNote(std::int32_t clock, std::int32_t panel,
                                       std::int32_t length = 0)
{
    return std::make_unique<CNote>(CNote{clock, panel, length});
}

// The notes of a score as values, in the score's order.
inline std::vector<CNote> NotesOf(const CScore& score)
{
    std::vector<CNote> notes;
    for (const auto& note : score.notes())
        notes.push_back(*note);
    return notes;
}

// Inserts the notes in clock order and recomputes the length.
inline void Add(CScore& score, const std::vector<CNote>& notes)
{
    for (const CNote& note : notes)
        score.InsertNote(std::make_unique<CNote>(note));
    score.UpdateLength(0);
}

// Records every hint a document sends.
class RecordingView : public IStepDocumentView {
public:
    struct Update {
        IStepDocumentView* sender;
        UpdateHint hint;
        CScore* score;
    };
    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override
    {
        updates.push_back({sender, hint, score});
    }
    std::vector<Update> updates;
};

// A folder of its own under the system's temporary folder, removed afterwards: test cases
// run in parallel, and several builds may test on one machine at once.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder: " + pattern);
        m_path = pattern;
    }
    ~TempFolder() { std::filesystem::remove_all(m_path, m_error); }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const
    {
        return m_path / name;
    }
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

} // namespace test
} // namespace zelvane
