#include "chart/commands/TempoEventCommand.h"

#include "chart/StepDocument.h"
#include "chart/commands/TempoRetiming.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace zelvane {
namespace {

// The undo names by the kind of event, in the order of CTempoEvent's alternatives.
constexpr std::uint32_t kInsertNames[]
    = {IDS_INSERT_TEMPO_CHANGE, IDS_INSERT_DELAY, IDS_INSERT_STOP, IDS_INSERT_WARP};
constexpr std::uint32_t kChangeNames[]
    = {IDS_CHANGE_TEMPO_CHANGE, IDS_CHANGE_DELAY, IDS_CHANGE_STOP, IDS_CHANGE_WARP};

std::string Name(std::uint32_t id)
{
    return std::string(LoadString(id));
}

// The map's own refusal is the edit's.
void Require(const Reason& refused)
{
    if (!refused.empty())
        throw ChartLimitError(refused);
}

} // namespace

std::unique_ptr<CTempoEventCommand> CTempoEventCommand::Insert(CStepDocument* document,
                                                               const CTempoEvent& event)
{
    CTempoMap after = document->tempoMap();
    Require(after.Add(event));
    return std::make_unique<CTempoEventCommand>(document, Name(kInsertNames[event.index()]),
                                                std::move(after));
}

std::unique_ptr<CTempoEventCommand>
CTempoEventCommand::Change(CStepDocument* document, std::size_t index, const CTempoEvent& event)
{
    CTempoMap after = document->tempoMap();
    if (index >= after.events().size())
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_EVENT_INDEX_OUT_OF_RANGE));
    Require(after.Change(index, event));
    return std::make_unique<CTempoEventCommand>(document, Name(kChangeNames[event.index()]),
                                                std::move(after));
}

std::unique_ptr<CTempoEventCommand> CTempoEventCommand::Remove(CStepDocument* document,
                                                               std::span<const std::size_t> indices)
{
    CTempoMap after = document->tempoMap();
    // From the last index down, so the ones still to go keep their places.
    std::vector<std::size_t> order(indices.begin(), indices.end());
    std::sort(order.begin(), order.end(), std::greater<>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (std::size_t index : order) {
        if (index >= after.events().size())
            throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_EVENT_INDEX_OUT_OF_RANGE));
        Require(after.Remove(index));
    }
    return std::make_unique<CTempoEventCommand>(document, Name(IDS_DELETE_TEMPO_EVENTS),
                                                std::move(after));
}

CTempoEventCommand::CTempoEventCommand(CStepDocument* document, std::string name, CTempoMap after)
    : CDocumentCommand(document, std::move(name))
    , m_before(document->tempoMap())
    , m_after(std::move(after))
{
    if (!IsValidBpm(m_after.songBpm()))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    if (Reason breach = m_after.Breach(); !breach.empty())
        throw ChartLimitError(breach);
    CheckChartsThrough(*document, m_after);
}

void CTempoEventCommand::Apply(const CTempoMap& tempo, IStepDocumentView* sender)
{
    CStepDocument* doc = document();
    InstallTempoMap(*doc, tempo); // copied before anything changes
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(sender, UpdateHint::Song);
}

void CTempoEventCommand::Do(IStepDocumentView* sender)
{
    Apply(m_after, sender);
}

void CTempoEventCommand::Undo()
{
    Apply(m_before, nullptr);
}

} // namespace zelvane
