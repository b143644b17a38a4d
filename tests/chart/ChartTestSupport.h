#pragma once

#include "TempFolder.h"
#include "chart/Player.h"
#include "chart/StepDocument.h"
#include "motion/MotionDocument.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <ostream>
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

// Every player of the scores dances what a fresh document with the same notes and tempo map
// dances from scratch: the check that an edit restarted the dance where it should.
inline void ExpectDancesOfAFullRun(std::initializer_list<const CScore*> scores, const char* step)
{
    for (const CScore* score : scores) {
        CStepDocument fresh;
        fresh.NewDocument();
        fresh.SetTempoMap(score->document()->tempoMap());
        CScore& copy = *fresh.scores().FindOrCreate(score->style(), score->difficulty());
        for (const auto& note : score->notes())
            copy.AppendNote(std::make_unique<CNote>(*note));
        copy.UpdateLength(0);
        for (std::size_t p = 0; p < score->players().size(); ++p)
            EXPECT_TRUE(score->players()[p]->MakeMotion("x").Write()
                        == copy.players()[p]->MakeMotion("x").Write())
                << step << ", " << StyleName(score->style()) << " player " << p;
    }
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

} // namespace test
} // namespace zelvane
