#include "chart/NoteTracker.h"

#include <algorithm>
#include <limits>

namespace zelvane {

NoteChange CNoteTracker::Update(std::span<const std::unique_ptr<CNote>> notes,
                                std::int32_t fromClock)
{
    const std::size_t unchanged = std::min({m_unchanged, m_maxClock.size(), notes.size()});
    // The latest clock of the leading notes only grows: the kept notes end where it first
    // reaches the edit's clock.
    const auto keptEnd = std::partition_point(
        m_maxClock.begin(), m_maxClock.begin() + static_cast<std::ptrdiff_t>(unchanged),
        [fromClock](std::int32_t clock) { return clock < fromClock; });

    NoteChange change;
    change.kept = static_cast<std::size_t>(keptEnd - m_maxClock.begin());
    m_unchanged = 0; // until the maxima below are whole again
    m_maxClock.resize(change.kept);
    m_maxEnd.resize(change.kept);
    std::int32_t maxClock
        = change.kept == 0 ? std::numeric_limits<std::int32_t>::min() : m_maxClock.back();
    std::int32_t maxEnd = change.kept == 0 ? 0 : m_maxEnd.back();
    change.notes.reserve(notes.size() - change.kept);
    for (std::size_t i = change.kept; i < notes.size(); ++i) {
        const CNote& note = *notes[i];
        maxClock = std::max(maxClock, note.clock);
        maxEnd = std::max(maxEnd, note.endClock());
        change.notes.push_back(note);
        m_maxClock.push_back(maxClock);
        m_maxEnd.push_back(maxEnd);
    }
    m_unchanged = notes.size();
    return change;
}

} // namespace zelvane
