#pragma once

#include "app/AppDocumentHost.h"
#include "app/BackgroundSongMeasurer.h"
#include "app/Recovery.h"
#include "chart/DocumentView.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "playback/AudioPlayer.h"
#include "playback/PlaybackClock.h"
#include "playback/PlaybackTimeSource.h"
#include "playback/SongLoader.h"
#include "qtcommon/UiLanguage.h"

#include <QHash>
#include <QMainWindow>

#include <cstddef>
#include <exception>

class QAction;
class QLabel;
class QMenu;
class QSplitter;

namespace zelvane {

class CModelView;
class CScorePane;
class CScoreView;
class CWaitDialog;

// The program's window: menus, toolbar and status bar around a splitter with the score
// pane on the left and the 3D view on the right. It owns the one document and turns the
// user's commands into calls on it.
class CMainFrame : public QMainWindow, public IStepDocumentView {
    Q_OBJECT
public:
    static constexpr const char* kPlacementGroup = "Window";
    static constexpr const char* kAssistClapKey = "AssistClap";
    // Whether the score shows the song's waveform (1, the default) or not (0).
    static constexpr const char* kWaveformKey = "Waveform";

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CStepDocument& document() { return m_document; }
    // Where the views stand (the cursor, the zoom) and whether the song plays.
    CViewState& viewState() { return m_viewState; }
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    QMenu* menu(int index) const { return m_menus.value(index); }
    const QList<QAction*>& recentFileActions() const { return m_recentActions; }
    QSplitter* splitter() const { return m_splitter; }
    CScorePane* scorePane() const { return m_scorePane; }
    // The right pane: the 3D view.
    CModelView* modelView() const { return m_modelView; }
    QWidget* modelViewPlace() const;
    // The technical detail of the status bar's message, shown apart from it; empty when the
    // message has none.
    QString statusDetail() const;
    CPlaybackClock& playbackClock() { return m_clock; }
    CAudioPlayer& audioPlayer() { return m_player; }
    // Decodes the document's song in the background for its length and the player.
    CSongLoader& songLoader() { return m_songLoader; }
    // A view that moves with the song; views are told in the order they were added.
    void AddPlaybackFollower(IPlaybackFollower* follower) { m_clock.AddFollower(follower); }
    void RemovePlaybackFollower(IPlaybackFollower* follower) { m_clock.RemoveFollower(follower); }

    // Shows the window where and as it was last closed.
    void ShowWithSavedPlacement();
    // Opens a file by its extension: ".pmd" or ".pmx" is a model for the current document, ".dwi" a
    // chart to import, anything else a document. Returns whether it was taken.
    bool OpenFile(const QString& path);
    // Enables, checks and relabels every command from the document's state.
    void UpdateCommandStates();
    // Offers back the unsaved changes a crashed run left behind (復元), or drops them.
    void OfferRecovery();
    CRecovery& recovery() { return m_recovery; }

    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override;

    // The command table's rows run the window's commands and read its state.
    friend struct FrameCommandRows;

signals:
    // A background video has started; the dialog shows its progress until it ends.
    void backgroundVideoStarted(CWaitDialog* dialog);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    // View > Language: the languages, the present one checked.
    QMenu* CreateLanguageMenu();
    // Remembers the language chosen for the next start and says so.
    void ChooseLanguage(UiLanguage language);
    void CreateToolBar();
    void CreateStatusBar();
    void CreateClient();
    // Runs the command table's row of `commandId` if its rule allows it now.
    void Run(int commandId);
    CScoreView* scoreView() const;

    // --- Commands ---
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnAudio();
    void OnImportChart();
    void OnExportChart();
    void OnSongSettings();
    void OnModel();
    void OnMotionSettings();
    void OnCreateMotion();
    void OnBackgroundAvi();
    void OnColor(bool background);
    // The views are told of a zoom that `changed`.
    void OnZoom(bool changed);
    // The switches of the waveform strip and the assist clap, remembered for the next start.
    void OnWaveformSwitched();
    void OnAssistClapSwitched();
    // Says in the status bar why an edit was not made.
    void RefuseEdit(const std::exception_ptr& error);
    void OnAbout();
    void OnSwitchPane(bool forward);

    // --- The tempo map (at the score view's cursor row) ---
    void OnInsertTempoEvent(int commandId);
    void OnEditTempoEvent(std::size_t index);
    void OnDeleteTempoEvents();
    // Finds the song's tempo and first beat and, if the user applies them, makes them the
    // song's tempo and gap in one undoable edit.
    void OnDetectTempo();

    // --- Playback ---
    void CreatePlayback();
    void OnPlay(bool fromStart);
    void OnPlayingChanged(bool playing);
    void OnNoAudioOutput();
    // Lets go of a song the document no longer has: its load stops, the player drops it.
    void SyncAudioPlayer();
    // The document's new song starts decoding; playing waits for it.
    void StartSongLoad(const std::filesystem::path& path);
    void OnSongProgress(int percent);
    void OnSongLoaded(const std::filesystem::path& path, const DecodedSong& song);

    // --- Documents ---
    // Asks whether to save a modified document; false when the user cancels.
    bool SaveModified();
    bool SaveTo(const QString& path);
    bool OpenDocumentFile(const QString& path);
    void LoadModel(const QString& path);
    // A new or opened document is edited from its top, with the keyboard on the score.
    void StartEditing();
    // Imports a DWI, SM or SSC chart, by its extension, in place of every score.
    bool ImportChartFile(const QString& path);
    // The name the window shows for the document: its file's, the imported chart's while
    // it has no file, or 無題.
    QString DocumentName() const;
    // A warning, or with `severe` an error, with the technical detail on a line of its own.
    void ShowError(const QString& text, const QString& detail = QString(), bool severe = false);
    // What the user tried (`text`, may be empty), what failed by its kind, and the failure's
    // own words as the detail.
    void ShowError(const QString& text, const std::exception& error, bool severe = false);
    // A message in the status bar and, apart from it, its technical detail; both go when
    // the next message comes.
    void ShowStatus(const QString& message, const QString& detail = QString());
    // A message that stands in the status bar only for a while (the 3D view's controls, the
    // song's progress), and what it covered, which comes back when it goes.
    struct PassingStatus {
        QString shown;
        QString coveredMessage;
        QString coveredDetail;
    };
    // Shows `message` over what the bar says; a message that came since this one's last
    // showing is what it covers from now on.
    void ShowPassing(PassingStatus& passing, const QString& message);
    // Brings back what the passing message covered, if the bar still shows it: a message
    // that came meanwhile stays.
    void EndPassing(const PassingStatus& passing);
    void UpdateTitle();
    void AddRecentFile(const QString& path);
    void UpdateRecentFiles();
    void UpdateModelPlace();
    // The 3D view's mouse controls while the pointer is over it; what the status bar said
    // before comes back when it leaves.
    void ShowViewControls(bool inside);

    CAppDocumentHost m_host;
    CViewState m_viewState;
    CBackgroundSongMeasurer m_audio{
        [this](const std::filesystem::path& path) { StartSongLoad(path); }};
    CStepDocument m_document;
    CRecovery m_recovery{m_document};
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QSplitter* m_splitter = nullptr;
    CScorePane* m_scorePane = nullptr;
    CModelView* m_modelView = nullptr;
    QLabel* m_statusDetail = nullptr;
    // The last word on a model's missing pictures.
    QString m_texturesStatus;
    PassingStatus m_viewControlsStatus;
    bool m_splitterPlaced = false;
    bool m_writingVideo = false;
    QString m_importedName;
    CMonotonicTimeSource m_time;
    CAudioPlayer m_player;
    CSongLoader m_songLoader;
    CPlaybackClock m_clock{m_time};
    bool m_toldNoAudioOutput = false;
    // The song's progress, taken back when the song is ready; what it covered (a model's
    // missing pictures, say) is shown again then.
    PassingStatus m_songStatus;
};

} // namespace zelvane
