#pragma once

#include "base/Note.h"
#include "base/Style.h"
#include "chart/ClipboardFormat.h"
#include "chart/Player.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zelvane {

class CStepDocument;

using NoteArray = std::vector<std::unique_ptr<CNote>>;

// One chart of the song: its notes in clock order and the dancers who dance it. Notes are
// owned one by one so that commands can refer to them by identity while they move about.
class CScore {
public:
    CScore(CStepDocument* document, Style style, std::string difficulty);
    ~CScore();
    CScore(const CScore&) = delete;
    CScore& operator=(const CScore&) = delete;

    CStepDocument* document() const { return m_document; }
    Style style() const { return m_style; }
    const std::string& difficulty() const { return m_difficulty; }
    std::int32_t panelCount() const { return StylePanelCount(m_style); }
    std::int32_t length() const { return m_length; }
    const NoteArray& notes() const { return m_notes; }
    const std::vector<std::unique_ptr<CPlayer>>& players() const { return m_players; }
    const std::string& aviPath() const { return m_aviPath; }
    void SetAviPath(std::string path) { m_aviPath = std::move(path); }
    // How hard the chart is on the scale of the chart files (a DWI foot rating, a StepMania
    // meter); 0 when nobody said.
    std::int32_t meter() const { return m_meter; }
    void SetMeter(std::int32_t meter) { m_meter = meter; }

    // Inserts after every note with the same or an earlier clock; returns the index.
    std::size_t InsertNote(std::unique_ptr<CNote> note);
    // Appends without looking at the order (loading keeps the order the file has).
    void AppendNote(std::unique_ptr<CNote> note);
    // Every note at once, in order: the score is left without notes.
    NoteArray TakeAllNotes()
    {
        m_tracker.Invalidate(0);
        return std::exchange(m_notes, {});
    }
    // Appends these notes in their order, without looking at clocks.
    void AppendNotes(NoteArray notes);
    // The first note with this clock and panel, or null.
    CNote* FindNote(std::int32_t clock, std::int32_t panel) const;
    // Index of the note with this identity, or -1.
    std::ptrdiff_t IndexOf(const CNote* note) const;
    // Takes a note out of the score; the caller owns it. Throws InvalidArgumentError for an
    // index out of range.
    std::unique_ptr<CNote> TakeNoteAt(std::size_t index);
    // Takes out the note with this identity. Throws InvalidArgumentError if it is not here.
    std::unique_ptr<CNote> TakeNote(const CNote* note);
    // Takes out every one of these notes, all or none: throws InvalidArgumentError, leaving
    // the score as it was, when one of them is not here or is named twice. The result is in
    // the order of the request.
    std::vector<std::unique_ptr<CNote>> TakeNotes(std::span<CNote* const> notes);
    // Makes room for `count` more notes, so that inserting them afterwards cannot fail.
    void ReserveNotes(std::size_t count);
    // Orders the notes by (clock - length, panel), as moving notes leaves them.
    void SortNotesForMove();

    // Every note with start <= clock < start + length, in score order, as a clipboard range.
    ClockRange CopyRange(std::int32_t start, std::int32_t length) const;
    // Whether a panel number is one of this score's.
    bool HasPanel(std::int32_t panel) const { return panel >= 0 && panel < panelCount(); }

    // Where the motion of a dancer is proposed to be written: the last path written for it,
    // or "<document>_<STYLE>_<difficulty>[_<n>P].vmd" beside nothing (the remembered folder).
    std::string ProposedMotionPath(std::size_t player) const;

    // Recomputes the length and restarts the dancers' motion from `fromClock`. Every note
    // before `fromClock` must be as it was at the previous call: the dancers keep their
    // dance before it, and are not handed those notes again.
    void UpdateLength(std::int32_t fromClock);
    void StopPlayers();
    void WaitPlayers();

private:
    CStepDocument* m_document;
    Style m_style;
    std::string m_difficulty;
    NoteArray m_notes;
    std::int32_t m_length = 0;
    std::vector<std::unique_ptr<CPlayer>> m_players;
    std::string m_aviPath;
    std::int32_t m_meter = 0;
    CNoteTracker m_tracker; // told of every change of the order of m_notes
};

} // namespace zelvane
