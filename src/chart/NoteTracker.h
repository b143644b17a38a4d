#pragma once

#include "base/Note.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace zelvane {

// What changed in a score's notes since the dancers were last told: the first `kept` notes
// are as they were, and `notes` are the ones from there on, in the score's order.
struct NoteChange {
    std::size_t kept = 0;
    std::vector<CNote> notes;
};

// Follows a score's notes from edit to edit so that an edit hands its dancers only what it
// may have changed, not a copy of the whole chart. An edit that starts at a clock leaves
// every note before that clock as it was, and the score reports where the order of its
// notes may have changed: the leading notes before both are kept.
class CNoteTracker {
public:
    // From `index` on, notes may have come, gone or moved in the score's order.
    void Invalidate(std::size_t index)
    {
        if (index < m_unchanged)
            m_unchanged = index;
    }
    // The change since the last call, given `notes` now, none of which before `fromClock`
    // has changed since then. Throws only for want of memory, and then the next change
    // starts from the first note.
    NoteChange Update(std::span<const std::unique_ptr<CNote>> notes, std::int32_t fromClock);

    // The latest end of any note as of the last update; 0 without notes.
    std::int32_t lastEnd() const { return m_maxEnd.empty() ? 0 : m_maxEnd.back(); }

private:
    // The latest clock and the latest end (0 at least) among the first i + 1 notes: the
    // first finds the kept notes by bisection, the second gives the length without a pass.
    std::vector<std::int32_t> m_maxClock;
    std::vector<std::int32_t> m_maxEnd;
    std::size_t m_unchanged = 0; // the leading notes still in the score's order
};

} // namespace zelvane
