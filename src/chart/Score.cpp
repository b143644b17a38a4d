#include "chart/Score.h"

#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <unordered_map>

namespace zelvane {
namespace {

// A chart lasts at least as long as its song.
std::int32_t SongLengthClocks(const CStepDocument& document)
{
    return document.tempoMap().AudioLengthClocks(document.audio().lengthMs,
                                                 document.description().gap);
}

} // namespace

CScore::CScore(CStepDocument* document, Style style, std::string difficulty)
    : m_document(document)
    , m_style(style)
    , m_difficulty(std::move(difficulty))
{
    const std::int32_t players = StylePlayerCount(style);
    const std::int32_t panelsEach = panelCount() / players;
    for (std::int32_t i = 0; i < players; ++i)
        m_players.push_back(std::make_unique<CPlayer>(this, i * panelsEach, panelsEach));
    m_length = std::max(0, SongLengthClocks(*m_document));
}

CScore::~CScore()
{
    StopPlayers();
}

std::size_t CScore::InsertNote(std::unique_ptr<CNote> note)
{
    const std::int32_t clock = note->clock;
    auto it = std::find_if(m_notes.begin(), m_notes.end(),
                           [clock](const auto& other) { return other->clock > clock; });
    it = m_notes.insert(it, std::move(note));
    const auto index = static_cast<std::size_t>(it - m_notes.begin());
    m_tracker.Invalidate(index);
    return index;
}

void CScore::AppendNote(std::unique_ptr<CNote> note)
{
    m_tracker.Invalidate(m_notes.size());
    m_notes.push_back(std::move(note));
}

void CScore::AppendNotes(NoteArray notes)
{
    m_tracker.Invalidate(m_notes.size());
    if (m_notes.empty()) {
        m_notes = std::move(notes);
        return;
    }
    m_notes.insert(m_notes.end(), std::make_move_iterator(notes.begin()),
                   std::make_move_iterator(notes.end()));
}

CNote* CScore::FindNote(std::int32_t clock, std::int32_t panel) const
{
    for (const auto& note : m_notes)
        if (note->clock == clock && note->panel == panel)
            return note.get();
    return nullptr;
}

std::ptrdiff_t CScore::IndexOf(const CNote* note) const
{
    for (std::size_t i = 0; i < m_notes.size(); ++i)
        if (m_notes[i].get() == note)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

std::unique_ptr<CNote> CScore::TakeNoteAt(std::size_t index)
{
    if (index >= m_notes.size())
        throw InvalidArgumentError(Reason(IDS_REASON_NOTE_INDEX_OUT_OF_RANGE));
    m_tracker.Invalidate(index);
    std::unique_ptr<CNote> note = std::move(m_notes[index]);
    m_notes.erase(m_notes.begin() + static_cast<std::ptrdiff_t>(index));
    return note;
}

std::unique_ptr<CNote> CScore::TakeNote(const CNote* note)
{
    const std::ptrdiff_t index = IndexOf(note);
    if (index < 0)
        throw InvalidArgumentError(Reason(IDS_REASON_NOTE_NOT_IN_SCORE));
    return TakeNoteAt(static_cast<std::size_t>(index));
}

std::vector<std::unique_ptr<CNote>> CScore::TakeNotes(std::span<CNote* const> notes)
{
    // Everything that can fail (finding the notes, allocating) comes before the first note
    // moves, so a failure leaves the score whole.
    std::vector<std::size_t> indices(notes.size());
    constexpr std::size_t kFewNotes = 16;
    if (notes.size() <= kFewNotes) {
        // Undoing a click takes out one note, mostly the latest: searched from the back.
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const auto found
                = std::find_if(m_notes.rbegin(), m_notes.rend(),
                               [&](const auto& note) { return note.get() == notes[i]; });
            if (found == m_notes.rend())
                throw InvalidArgumentError(Reason(IDS_REASON_NOTE_TO_TAKE_OUT_MISSING));
            indices[i] = static_cast<std::size_t>(m_notes.rend() - found) - 1;
        }
    } else {
        std::unordered_map<const CNote*, std::size_t> wanted;
        wanted.reserve(notes.size());
        for (std::size_t i = 0; i < notes.size(); ++i)
            wanted.emplace(notes[i], i);
        std::size_t found = 0;
        for (std::size_t index = 0; index < m_notes.size(); ++index) {
            const auto it = wanted.find(m_notes[index].get());
            if (it != wanted.end()) {
                indices[it->second] = index;
                ++found;
            }
        }
        if (wanted.size() != notes.size())
            throw InvalidArgumentError(Reason(IDS_REASON_NOTE_NAMED_TWICE));
        if (found != notes.size())
            throw InvalidArgumentError(Reason(IDS_REASON_NOTE_TO_TAKE_OUT_MISSING));
    }
    std::vector<std::size_t> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
        throw InvalidArgumentError(Reason(IDS_REASON_NOTE_NAMED_TWICE));
    std::vector<std::unique_ptr<CNote>> taken(notes.size());

    // From here on nothing allocates: pointers move and the gaps close from the first one.
    for (std::size_t i = 0; i < notes.size(); ++i)
        taken[i] = std::move(m_notes[indices[i]]);
    if (!sorted.empty()) {
        m_tracker.Invalidate(sorted.front());
        const auto first = m_notes.begin() + static_cast<std::ptrdiff_t>(sorted.front());
        m_notes.erase(std::remove(first, m_notes.end(), nullptr), m_notes.end());
    }
    return taken;
}

void CScore::ReserveNotes(std::size_t count)
{
    // Grown the way inserting grows it, so adding notes one command at a time stays cheap.
    const std::size_t needed = m_notes.size() + count;
    if (needed > m_notes.capacity())
        m_notes.reserve(std::max(needed, 2 * m_notes.capacity()));
}

void CScore::SortNotesForMove()
{
    m_tracker.Invalidate(0);
    std::stable_sort(m_notes.begin(), m_notes.end(), [](const auto& a, const auto& b) {
        const std::int64_t keyA = static_cast<std::int64_t>(a->clock) - a->length;
        const std::int64_t keyB = static_cast<std::int64_t>(b->clock) - b->length;
        if (keyA != keyB)
            return keyA < keyB;
        return a->panel < b->panel;
    });
}

ClockRange CScore::CopyRange(std::int32_t start, std::int32_t length) const
{
    ClockRange range;
    range.start = start;
    range.length = length;
    const std::int64_t end = static_cast<std::int64_t>(start) + length;
    for (const auto& note : m_notes)
        if (note->clock >= start && note->clock < end)
            range.notes.push_back(*note);
    return range;
}

std::string CScore::ProposedMotionPath(std::size_t player) const
{
    const CPlayer& dancer = *m_players.at(player);
    if (!dancer.motionPath().empty())
        return dancer.motionPath();
    std::string name = m_document->pathName().stem().string();
    name += "_";
    name += StyleName(m_style);
    name += "_" + m_difficulty;
    if (m_style == Style::COUPLE)
        name += "_" + std::to_string(player + 1) + "P";
    return name + ".vmd";
}

void CScore::UpdateLength(std::int32_t fromClock)
{
    if (!m_document->dancing().dancesCharts) {
        std::int32_t end = 0;
        for (const auto& note : m_notes)
            end = std::max(end, note->endClock());
        m_length = std::max(end, SongLengthClocks(*m_document));
        // The dancers were not told of this change: the next ones hand them every note.
        m_tracker.Invalidate(0);
        return;
    }
    // Every edit ends here: the dancers are handed the notes the edit may have changed,
    // and the notes before those are not visited again.
    NoteChange change = m_tracker.Update(m_notes, fromClock);
    m_length = std::max(m_tracker.lastEnd(), SongLengthClocks(*m_document));
    try {
        for (std::size_t i = 0; i < m_players.size(); ++i) {
            const bool last = i + 1 == m_players.size();
            // Moved only into the last dancer, after every other one had its copy.
            m_players[i]->Regenerate(
                fromClock, last ? std::move(change) : change); // NOLINT(bugprone-use-after-move)
        }
    } catch (...) {
        // A dancer that missed this change is handed every note the next time.
        m_tracker.Invalidate(0);
        throw;
    }
}

void CScore::StopPlayers()
{
    for (auto& player : m_players)
        player->StopWorker();
}

void CScore::WaitPlayers()
{
    for (auto& player : m_players)
        player->WaitWorker();
}

} // namespace zelvane
