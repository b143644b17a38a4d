#include "motion/OptimalFeet.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zelvane {
namespace {

constexpr float kUnreachable = std::numeric_limits<float>::infinity();
constexpr float kFramesPerSecond = 30.0f;

bool HasStatuses(const CStepFrame& frame)
{
    return std::any_of(frame.statuses.begin(), frame.statuses.end(),
                       [](CStepFrame::NOTE_STATUS s) { return s != CStepFrame::NONE; });
}

bool StartsNotes(const CStepFrame& frame)
{
    return std::any_of(frame.statuses.begin(), frame.statuses.end(), [](CStepFrame::NOTE_STATUS s) {
        return s == CStepFrame::TAP || s == CStepFrame::FREEZE_START;
    });
}

} // namespace

void COptimalFeet::Clear()
{
    m_layers.clear();
}

const COptimalFeet::Entry& COptimalFeet::EntryOf(const Layer& layer, std::uint16_t stance) const
{
    const auto begin = m_entries.begin() + static_cast<std::ptrdiff_t>(layer.first);
    const auto end = begin + static_cast<std::ptrdiff_t>(layer.count);
    return *std::lower_bound(begin, end, stance,
                             [](const Entry& e, std::uint16_t s) { return e.stance < s; });
}

void COptimalFeet::Start(const CStepFrame& initial)
{
    m_bestCost.assign(static_cast<std::size_t>(m_model->stanceCount()), kUnreachable);
    m_bestBack.assign(m_bestCost.size(), 0);
    Layer layer;
    layer.frameIndex = 0;
    layer.frame = initial.frame;
    layer.notesFrame = initial.frame;
    layer.chosen = static_cast<std::uint16_t>(m_model->StanceOf(initial, CStanceModel::kLastBoth));
    layer.count = 1;
    m_entries.assign(1, Entry{layer.chosen, 0, 0.0f});
    m_layers.assign(1, layer);
}

void COptimalFeet::Extend(const CStepFrame& frame, std::size_t frameIndex)
{
    const CStanceModel& model = *m_model;
    const Layer previous = m_layers.back();
    const CStanceModel::FrameNotes notes = CStanceModel::NotesOf(frame);
    const CStanceModel::GapCosts gap = CStanceModel::CostsAfter(
        static_cast<float>(frame.frame - previous.notesFrame) / kFramesPerSecond);

    std::array<CStanceModel::Move, CStanceModel::kOptions> moves;
    // The moves depend on the layout only (the stance but the foot that moved last), whose
    // stances are neighbours in the entries; that foot adds its own cost. Layouts, options
    // and stances in ascending order with strict improvement: ties go to the first.
    const std::size_t end = previous.first + previous.count;
    for (std::size_t i = previous.first; i < end;) {
        const int layout = m_entries[i].stance / 3;
        std::size_t next = i + 1;
        while (next < end && m_entries[next].stance / 3 == layout)
            ++next;
        const int count = model.Moves(notes, layout, gap, moves);
        for (int option = 0; option < count; ++option) {
            const CStanceModel::Move& move = moves[static_cast<std::size_t>(option)];
            for (std::size_t k = i; k < next; ++k) {
                const Entry& from = m_entries[k];
                const int last = from.stance % 3;
                const float total
                    = from.cost + move.cost + (last == move.lastMoved ? move.again : 0.0f);
                const auto to = static_cast<std::size_t>(CStanceModel::StanceAfter(move, last));
                if (m_bestCost[to] == kUnreachable)
                    m_reached.push_back(static_cast<std::uint16_t>(to));
                if (total < m_bestCost[to]) {
                    m_bestCost[to] = total;
                    m_bestBack[to]
                        = static_cast<std::uint16_t>(from.stance * CStanceModel::kOptions + option);
                }
            }
        }
        i = next;
    }

    Layer layer;
    layer.frameIndex = frameIndex;
    layer.frame = frame.frame;
    layer.notesFrame = StartsNotes(frame) ? frame.frame : previous.notesFrame;
    layer.first = m_entries.size();
    layer.count = m_reached.size();
    std::sort(m_reached.begin(), m_reached.end());
    for (const std::uint16_t stance : m_reached) {
        m_entries.push_back(Entry{stance, m_bestBack[stance], m_bestCost[stance]});
        m_bestCost[stance] = kUnreachable;
    }
    m_reached.clear();
    m_layers.push_back(layer);
}

std::optional<std::size_t> COptimalFeet::Assign(std::vector<CStepFrame*>& frames, std::size_t last,
                                                const MotionParameters& parameters,
                                                const std::function<bool()>& stopped)
{
    if (frames.empty())
        return std::size_t{0};
    // The kept layers are those of kept frames; a new chart or a new dancer starts over. A
    // new tempo map keeps the frames before its first change, and the layers with them.
    if (last == 0 || m_layers.empty() || !m_model || !SameDancer(parameters, m_parameters)) {
        m_parameters = parameters;
        m_model.emplace(parameters);
        Start(*frames.front());
        last = 0;
    }
    while (m_layers.back().frameIndex > last)
        m_layers.pop_back();
    m_entries.resize(m_layers.back().first + m_layers.back().count);
    const std::size_t keptLayers = m_layers.size();

    for (std::size_t j = last + 1; j < frames.size(); ++j) {
        if (stopped && stopped())
            return std::nullopt;
        if (HasStatuses(*frames[j]))
            Extend(*frames[j], j);
    }

    // Back from the cheapest end, lowest stance on a tie, until the path meets the kept
    // path: before that point every layer, and so the path, is what it was.
    const Layer& endLayer = m_layers.back();
    const auto endBegin = m_entries.begin() + static_cast<std::ptrdiff_t>(endLayer.first);
    std::uint16_t stance
        = std::min_element(endBegin, endBegin + static_cast<std::ptrdiff_t>(endLayer.count),
                           [](const Entry& a, const Entry& b) { return a.cost < b.cost; })
              ->stance;
    std::size_t firstChanged = m_layers.size();
    for (std::size_t i = m_layers.size() - 1; i > 0; --i) {
        Layer& layer = m_layers[i];
        if (i < keptLayers && layer.chosen == stance)
            break;
        layer.chosen = stance;
        firstChanged = i;
        stance = static_cast<std::uint16_t>(EntryOf(layer, stance).back / CStanceModel::kOptions);
    }

    // Frames from the first changed one on are placed again; the frame before it keeps its
    // feet but faces by its own stance again, to be limited against its new successor.
    std::size_t firstPlaced = last + 1;
    if (firstChanged < m_layers.size())
        firstPlaced = std::min(firstPlaced, m_layers[firstChanged].frameIndex);
    Place(frames, firstPlaced);
    const std::size_t rewritten = std::max<std::size_t>(firstPlaced - 1, 1);
    if (rewritten < firstPlaced && rewritten < frames.size()) {
        CStepFrame& kept = *frames[rewritten];
        kept.PlaceFeet(CStepFrame::FOOT(kept.left), CStepFrame::FOOT(kept.right));
    }
    return std::min(rewritten, frames.size());
}

void COptimalFeet::Place(std::vector<CStepFrame*>& frames, std::size_t firstFrame) const
{
    // The first layer at or after the first frame placed.
    auto layer
        = std::lower_bound(m_layers.begin(), m_layers.end(), firstFrame,
                           [](const Layer& l, std::size_t index) { return l.frameIndex < index; });
    std::array<CStanceModel::Move, CStanceModel::kOptions> moves;
    for (std::size_t j = std::max<std::size_t>(firstFrame, 1); j < frames.size(); ++j) {
        CStepFrame& frame = *frames[j];
        const CStepFrame& previous = *frames[j - 1];
        frame.leadLeft = previous.leadLeft;
        if (layer != m_layers.end() && layer->frameIndex == j) {
            const Layer& before = *(layer - 1);
            const std::uint16_t back = EntryOf(*layer, layer->chosen).back;
            const int from = back / CStanceModel::kOptions;
            const int option = back % CStanceModel::kOptions;
            const CStanceModel::GapCosts gap = CStanceModel::CostsAfter(
                static_cast<float>(frame.frame - before.notesFrame) / kFramesPerSecond);
            m_model->Moves(CStanceModel::NotesOf(frame), from / 3, gap, moves);
            const CStanceModel::Move& move = moves[static_cast<std::size_t>(option)];
            frame.PlaceFeet(move.left, move.right);
            ++layer;
        } else {
            CStepFrame::FOOT left = previous.left;
            CStepFrame::FOOT right = previous.right;
            left.stepped = false;
            right.stepped = false;
            frame.PlaceFeet(left, right);
        }
    }
}

} // namespace zelvane
