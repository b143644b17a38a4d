#pragma once

#include "chart/StepDocument.h"

#include <memory>
#include <vector>

namespace zelvane::test {

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

} // namespace zelvane::test
