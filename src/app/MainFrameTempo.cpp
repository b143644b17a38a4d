// The tempo map's commands: the Edit menu's entries at the cursor row and the score view's
// markers. Each asks for its one value in a small dialog and hands the edit to the
// document's history; an edit the charts cannot take is refused by the command itself.
#include "app/MainFrame.h"
#include "app/Prompter.h"
#include "app/TempoEventDialog.h"
#include "chart/commands/TempoEventCommand.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"
#include "text/Errors.h"

namespace zelvane {
namespace {

// A stop or a delay starts at half a second, long enough to see in the dance.
constexpr double kDefaultPauseMilliseconds = 500.0;

// The dialogs' titles by the kind of event, in the order of CTempoEvent's alternatives.
constexpr std::uint32_t kInsertTitles[]
    = {IDS_INSERT_TEMPO_CHANGE, IDS_INSERT_DELAY, IDS_INSERT_STOP, IDS_INSERT_WARP};
constexpr std::uint32_t kChangeTitles[]
    = {IDS_CHANGE_TEMPO_CHANGE, IDS_CHANGE_DELAY, IDS_CHANGE_STOP, IDS_CHANGE_WARP};

} // namespace

void CMainFrame::OnInsertTempoEvent(int commandId)
{
    const std::int32_t clock = m_scorePane->scoreView()->cursorTime();
    const CTempoMap& tempo = m_document.tempoMap();
    CTempoEvent event;
    if (commandId == ID_EDIT_INSERT_STOP) {
        event = CStop{clock, kDefaultPauseMilliseconds};
    } else if (commandId == ID_EDIT_INSERT_DELAY) {
        event = CDelay{clock, kDefaultPauseMilliseconds};
    } else {
        // A clock holds one tempo change: where there is one, it is edited instead.
        const auto& events = tempo.events();
        for (std::size_t i = 0; i < events.size(); ++i)
            if (std::holds_alternative<CTempoChange>(events[i]) && EventClock(events[i]) == clock)
                return OnEditTempoEvent(i);
        event = CTempoChange{clock, tempo.TempoAt(clock)};
    }
    CTempoEventDialog dialog(event, LoadQString(kInsertTitles[event.index()]), this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    m_document.Execute(CTempoEventCommand::Insert(&m_document, dialog.event()), nullptr);
}

void CMainFrame::OnEditTempoEvent(std::size_t index)
{
    const auto& events = m_document.tempoMap().events();
    if (index >= events.size())
        return;
    const CTempoEvent event = events[index];
    CTempoEventDialog dialog(event, LoadQString(kChangeTitles[event.index()]), this);
    if (RunModal(dialog) != QDialog::Accepted || dialog.event() == event)
        return;
    m_document.Execute(CTempoEventCommand::Change(&m_document, index, dialog.event()), nullptr);
}

void CMainFrame::OnDeleteTempoEvents()
{
    const std::vector<std::size_t> indices = m_scorePane->scoreView()->TempoEventsAtCursorRow();
    if (!indices.empty())
        m_document.Execute(CTempoEventCommand::Remove(&m_document, indices), nullptr);
}

} // namespace zelvane
