#pragma once

namespace zelvane {

class CScore;

// What changed in the step document, as its views are told.
enum class UpdateHint : int {
    Song = 2,         // title, artist, BPM or gap
    Model = 3,        // the model or the motion options
    ScoreCreated = 4, // a score was created from the score bar (the score is passed)
    CurrentScore = 5, // the current score was switched, loaded or imported
    NotesAddedOrDeleted = 6,
    NotesMoved = 7,
    CurrentTime = 8,
    Zoom = 9,
    Color = 10,
};

// A view of the step document. The document calls every view but the sender, in order.
class IStepDocumentView {
public:
    virtual ~IStepDocumentView() = default;
    virtual void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) = 0;
};

} // namespace zelvane
