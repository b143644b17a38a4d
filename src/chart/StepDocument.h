#pragma once

#include "base/Style.h"
#include "base/TempoMap.h"
#include "chart/AudioMeasurer.h"
#include "chart/DocumentHost.h"
#include "chart/DocumentView.h"
#include "chart/Score.h"
#include "chart/commands/Undoable.h"
#include "model/ModelDocument.h"
#include "model/ModelMeasurements.h"
#include "text/Reason.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

struct ZlvmDocumentData;

// The one document of the program: the song settings, the scores, the files that go with
// them, the motion options and the command history. Where the views stand in it (the
// cursor, the zoom) and whether the song plays is the views' own (CViewState).
class CStepDocument : public CUndoable {
public:
    static constexpr float kDefaultBpm = 120.0f;

    explicit CStepDocument(IDocumentHost* host = nullptr, IAudioMeasurer* audio = nullptr);
    ~CStepDocument() override;
    CStepDocument(const CStepDocument&) = delete;
    CStepDocument& operator=(const CStepDocument&) = delete;

    // --- The program around the document ---
    void SetHost(IDocumentHost* host);
    void SetAudioMeasurer(IAudioMeasurer* audio) { m_audio = audio; }
    IDocumentHost& host() { return *m_host; }
    // Told, on the worker's own thread, why the dance of a chart failed. Set it before any
    // score dances (it is read without a lock).
    using WorkerFailureHandler = std::function<void(const Reason& reason)>;
    void SetWorkerFailureHandler(WorkerFailureHandler handler)
    {
        m_workerFailureHandler = std::move(handler);
    }
    void ReportWorkerFailure(const Reason& reason) const
    {
        if (m_workerFailureHandler)
            m_workerFailureHandler(reason);
    }

    // --- Life cycle ---
    // Every field back to its default; scores, history and model are gone.
    void DeleteContents();
    // An empty document with one SINGLE "BASIC" score.
    void NewDocument();
    // Reads a document file (Load), then finds the files it names (AttachFiles). On failure
    // (FileIoError, FileFormatError) nothing changes.
    void OpenDocument(const std::filesystem::path& path);
    // Writes the document file through a temporary file; clears the modified flag.
    void SaveDocument(const std::filesystem::path& path);
    // Replaces the contents with what a document file held (the reader's result), and tells
    // the views. The song and the model are taken by their paths only: nothing is asked and
    // no other file is read, so the views only ever see a whole document. Throws
    // InvalidArgumentError, with nothing changed, for an invalid tempo, and ChartLimitError
    // for a chart, tempo or gap beyond the chart limits.
    void Load(const ZlvmDocumentData& data);
    // The step after Load: the song and the model the document names are looked for, a
    // missing one put to the host, the song measured and the model loaded; the views are
    // then told of the model.
    void AttachFiles();
    const std::filesystem::path& pathName() const { return m_pathName; }
    void SetPathName(std::filesystem::path path) { m_pathName = std::move(path); }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified) { m_modified = modified; }

    // --- Views ---
    void AddView(IStepDocumentView* view);
    void RemoveView(IStepDocumentView* view);
    void UpdateAllViews(IStepDocumentView* sender, UpdateHint hint, CScore* score = nullptr);

    // --- Song settings ---
    const std::string& title() const { return m_title; }
    const std::string& artist() const { return m_artist; }
    // The tempo at clock 0, the first of the tempo map.
    float bpm() const { return m_tempo.songBpm(); }
    // How clocks meet the song's time: the song's tempo, then its changes, stops, delays and
    // warps. Every conversion of the document and its dances goes through it.
    const CTempoMap& tempoMap() const { return m_tempo; }
    std::int32_t gap() const { return m_gap; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    void SetArtist(std::string artist) { m_artist = std::move(artist); }
    // A tempo must be a finite number above 0: InvalidArgumentError otherwise, nothing
    // changed, so no conversion ever divides by zero. It becomes the map's first tempo; with
    // other events in the map it must also keep the map's limits (ChartLimitError).
    void SetBpm(float bpm);
    // Replaces the whole map; its song's tempo is held to SetBpm's rule.
    void SetTempoMap(CTempoMap tempo);
    void SetGap(std::int32_t gap) { m_gap = gap; }
    static bool IsValidBpm(float bpm);

    // --- Audio and model ---
    const std::string& audioPath() const { return m_audioPath; }
    std::int32_t audioLength() const { return m_audioLength; }
    // Attaches a song; a missing or undecodable file (whatever the measurer throws) is put to
    // the host.
    void SetAudio(const std::string& path);
    // The length of the song at `path`, measured after SetAudio returned (the measurer
    // answered `pending`). Taken only while `path` is still the document's song; the scores'
    // lengths and dances follow, and the views are told as of a change of the song. Returns
    // whether it was taken.
    bool SongMeasured(const std::string& path, std::int32_t durationMs);
    const std::string& modelPath() const { return m_modelPath; }
    // Attaches a PMD model (a missing file is put to the host), measures it for the dance
    // and re-dances every score. A model that cannot be read, for whatever reason (damaged,
    // too big for memory), leaves none and says why in modelLoadError().
    void SetModel(const std::string& path);
    // The user's choice of model: read first, so a file that cannot be read or is no model
    // throws (FileIoError, FileFormatError, InvalidArgumentError) and leaves the model, its
    // path and the dances as they were.
    void ChangeModel(const std::string& path);
    const CModelDocument* model() const { return m_model.get(); }
    const std::string& modelLoadError() const { return m_modelLoadError; }
    // The name a motion file carries: the model's, or the default one without a model.
    std::string MotionModelName() const;

    // --- Motion options and model-derived parameters ---
    bool twist() const { return m_twist; }
    bool turnEnabled() const { return m_turnEnabled; }
    float panelSize() const { return m_motion.panelSize; }
    const ModelMeasurements& modelMeasurements() const { return m_motion; }
    void SetMotionOptions(float panelSize, bool twist, bool turnEnabled);
    // How the dancers' feet are given to the notes. The user's choice, not the document's:
    // it is neither read nor saved with it and outlives a new or opened document.
    FootAssignment footAssignment() const { return m_footAssignment; }
    void SetFootAssignment(FootAssignment feet) { m_footAssignment = feet; }

    // --- Scores ---
    const std::vector<std::unique_ptr<CScore>>& scores() const { return m_scores; }
    CScore* FindScore(Style style, const std::string& difficulty) const;
    CScore* FindOrCreateScore(Style style, const std::string& difficulty);
    // Deletes one score (stopping its dancers); the current score moves to the first.
    void DeleteScore(CScore* score);
    void DeleteAllScores();
    void UpdateAllScores();
    CScore* currentScore() const { return m_currentScore; }
    void SetCurrentScore(CScore* score) { m_currentScore = score; }
    void WaitAllPlayers();

    // --- Dancing and colours ---
    // Whether a change of the charts sets the dancers to work. A document read only to be
    // shown, converted or filmed (the command-line tool, the fuzzers) does without: turning
    // it on dances nothing by itself; each score dances from its next UpdateLength.
    bool dancesCharts() const { return m_dancesCharts; }
    void SetDancesCharts(bool dances) { m_dancesCharts = dances; }

    std::uint32_t backgroundColor() const { return m_backgroundColor; }
    std::uint32_t screenColor() const { return m_screenColor; }
    void SetBackgroundColor(std::uint32_t color) { m_backgroundColor = color; }
    void SetScreenColor(std::uint32_t color) { m_screenColor = color; }

    // --- Conversions through the document's tempo map and gap ---
    std::int32_t ClockToFrame(std::int32_t clock) const;
    std::int32_t FrameToClock(std::int32_t frame) const;
    std::int32_t FrameToAudioTime(std::int32_t frame) const;
    std::int32_t AudioTimeToFrame(std::int32_t milliseconds) const;
    std::int32_t AudioLengthClocks() const;

private:
    // Swaps the model in once the dancers' workers are done, and dances every chart anew.
    void InstallModel(std::unique_ptr<CModelDocument> model);
    // Asks the host about a file that cannot be used. True: try `path` again (the user
    // chose another file); false: go on without the file, `path` as the answer left it.
    bool AskAboutMissingFile(std::string& path, const std::string& message, std::uint32_t filterId,
                             const std::string& directoryKey);

    IDocumentHost m_defaultHost;
    IDocumentHost* m_host;
    IAudioMeasurer* m_audio;
    WorkerFailureHandler m_workerFailureHandler;
    std::vector<IStepDocumentView*> m_views;
    std::filesystem::path m_pathName;
    bool m_modified = false;

    std::string m_title;
    std::string m_artist;
    CTempoMap m_tempo{kDefaultBpm};
    std::int32_t m_gap = 0;
    std::string m_audioPath;
    std::int32_t m_audioLength = 0;
    std::string m_modelPath;
    std::unique_ptr<CModelDocument> m_model;
    std::string m_modelLoadError;
    bool m_twist = true;
    bool m_turnEnabled = false;
    FootAssignment m_footAssignment = FootAssignment::GREEDY;
    ModelMeasurements m_motion;
    std::vector<std::unique_ptr<CScore>> m_scores;
    CScore* m_currentScore = nullptr;
    bool m_dancesCharts = true;
    std::uint32_t m_backgroundColor = 0xFFFFFF;
    std::uint32_t m_screenColor = 0;
};

} // namespace zelvane
