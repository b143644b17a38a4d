// The tempo map's commands: the Edit menu's entries at the cursor row and the score view's
// markers. Each asks for its one value in a small dialog and hands the edit to the
// document's history; an edit the charts cannot take is refused by the command itself.
// Tempo detection sets the song's tempo and gap from what the song itself sounds like.
#include "app/MainFrame.h"
#include "app/Prompter.h"
#include "app/TempoDetectDialog.h"
#include "app/TempoEventDialog.h"
#include "chart/commands/SongPropertyCommand.h"
#include "chart/commands/TempoEventCommand.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"
#include "text/Errors.h"

#include <QMessageBox>
#include <QPushButton>

#include <cmath>

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

void CMainFrame::OnDetectTempo()
{
    if (m_document.audio().path.empty())
        return;
    CTempoDetectDialog dialog(m_document.audio().path, this);
    if (RunModal(dialog) != QDialog::Accepted || !dialog.estimate())
        return;
    // A chart writes its tempo to the thousandth and its gap in whole milliseconds.
    SongProperties values{m_document.description().title, m_document.description().artist,
                          static_cast<float>(std::round(dialog.estimate()->bpm * 1000.0) / 1000.0),
                          static_cast<std::int32_t>(std::lround(dialog.estimate()->firstBeatMs))};

    // One tempo was found for the whole song: the map's later events may no longer fit it.
    OtherTempoEvents others = OtherTempoEvents::Keep;
    if (!m_document.tempoMap().IsSingleTempo()) {
        QMessageBox box(QMessageBox::Question, LoadQString(IDS_APP_TITLE),
                        LoadQString(IDS_DETECT_TEMPO_REPLACE_MAP), QMessageBox::NoButton, this);
        QPushButton* replace
            = box.addButton(LoadQString(IDS_BUTTON_REPLACE), QMessageBox::AcceptRole);
        QPushButton* keep = box.addButton(LoadQString(IDS_BUTTON_KEEP), QMessageBox::AcceptRole);
        box.addButton(LoadQString(IDS_BUTTON_CANCEL), QMessageBox::RejectRole);
        box.setDefaultButton(replace);
        RunModal(box);
        if (box.clickedButton() == replace)
            others = OtherTempoEvents::Remove;
        else if (box.clickedButton() != keep)
            return;
    }
    try {
        m_document.Execute(
            std::make_unique<CSongPropertyCommand>(&m_document, values, others,
                                                   std::string(LoadString(IDS_DETECT_TEMPO))),
            nullptr);
    } catch (const CoreError& error) {
        ShowError(LoadQString(IDS_CANNOT_CHANGE_SONG), error);
    }
}

} // namespace zelvane
