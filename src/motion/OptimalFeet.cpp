#include "motion/OptimalFeet.h"

#include "motion/StanceModel.h"

#include <algorithm>
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

void COptimalFeet::Start(const CStepFrame& initial)
{
    const CStanceModel model(m_parameters);
    Layer layer;
    layer.frameIndex = 0;
    layer.frame = initial.frame;
    layer.notesFrame = initial.frame;
    layer.cost.assign(static_cast<std::size_t>(model.stanceCount()), kUnreachable);
    layer.back.assign(layer.cost.size(), 0);
    layer.chosen = static_cast<std::uint16_t>(model.StanceOf(initial, CStanceModel::kLastBoth));
    layer.cost[layer.chosen] = 0.0f;
    m_layers.clear();
    m_layers.push_back(std::move(layer));
}

void COptimalFeet::Extend(const CStepFrame& frame, std::size_t frameIndex)
{
    const CStanceModel model(m_parameters);
    const Layer& previous = m_layers.back();
    const CStanceModel::FrameNotes notes = CStanceModel::NotesOf(frame);
    const float gapSeconds
        = static_cast<float>(frame.frame - previous.notesFrame) / kFramesPerSecond;

    Layer layer;
    layer.frameIndex = frameIndex;
    layer.frame = frame.frame;
    layer.notesFrame = StartsNotes(frame) ? frame.frame : previous.notesFrame;
    layer.cost.assign(previous.cost.size(), kUnreachable);
    layer.back.assign(previous.cost.size(), 0);
    CStanceModel::Outcome outcome;
    // Stances and options in ascending order with strict improvement: ties go to the lowest.
    for (std::size_t from = 0; from < previous.cost.size(); ++from) {
        const float base = previous.cost[from];
        if (base == kUnreachable)
            continue;
        for (int option = 0; option < CStanceModel::kOptions; ++option) {
            if (!model.Step(notes, static_cast<int>(from), option, gapSeconds, outcome))
                continue;
            const float total = base + outcome.cost;
            const auto to = static_cast<std::size_t>(outcome.stance);
            if (total < layer.cost[to]) {
                layer.cost[to] = total;
                layer.back[to] = static_cast<std::uint16_t>(from * CStanceModel::kOptions
                                                            + static_cast<std::size_t>(option));
            }
        }
    }
    m_layers.push_back(std::move(layer));
}

std::optional<std::size_t> COptimalFeet::Assign(std::vector<std::unique_ptr<CStepFrame>>& frames,
                                                std::size_t last,
                                                const MotionParameters& parameters,
                                                const std::function<bool()>& stopped)
{
    if (frames.empty())
        return std::size_t{0};
    // The kept layers are those of kept frames; a new chart or new parameters start over.
    if (last == 0 || m_layers.empty() || !(parameters == m_parameters)) {
        m_parameters = parameters;
        Start(*frames.front());
        last = 0;
    }
    while (m_layers.back().frameIndex > last)
        m_layers.pop_back();
    const std::size_t keptLayers = m_layers.size();

    for (std::size_t j = last + 1; j < frames.size(); ++j) {
        if (stopped && stopped())
            return std::nullopt;
        if (HasStatuses(*frames[j]))
            Extend(*frames[j], j);
    }

    // Back from the cheapest end, lowest stance on a tie, until the path meets the kept
    // path: before that point every layer, and so the path, is what it was.
    const std::vector<float>& endCost = m_layers.back().cost;
    std::size_t stance = static_cast<std::size_t>(std::min_element(endCost.begin(), endCost.end())
                                                  - endCost.begin());
    std::size_t firstChanged = m_layers.size();
    for (std::size_t i = m_layers.size() - 1; i > 0; --i) {
        Layer& layer = m_layers[i];
        if (i < keptLayers && layer.chosen == stance)
            break;
        layer.chosen = static_cast<std::uint16_t>(stance);
        firstChanged = i;
        stance = layer.back[stance] / CStanceModel::kOptions;
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

void COptimalFeet::Place(std::vector<std::unique_ptr<CStepFrame>>& frames,
                         std::size_t firstFrame) const
{
    const CStanceModel model(m_parameters);
    // The first layer at or after the first frame placed.
    auto layer
        = std::lower_bound(m_layers.begin(), m_layers.end(), firstFrame,
                           [](const Layer& l, std::size_t index) { return l.frameIndex < index; });
    CStanceModel::Outcome outcome;
    for (std::size_t j = std::max<std::size_t>(firstFrame, 1); j < frames.size(); ++j) {
        CStepFrame& frame = *frames[j];
        const CStepFrame& previous = *frames[j - 1];
        frame.leadLeft = previous.leadLeft;
        if (layer != m_layers.end() && layer->frameIndex == j) {
            const Layer& before = *(layer - 1);
            const int from = layer->back[layer->chosen] / CStanceModel::kOptions;
            const int option = layer->back[layer->chosen] % CStanceModel::kOptions;
            const float gapSeconds
                = static_cast<float>(frame.frame - before.notesFrame) / kFramesPerSecond;
            model.Step(CStanceModel::NotesOf(frame), from, option, gapSeconds, outcome);
            frame.PlaceFeet(outcome.left, outcome.right);
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
