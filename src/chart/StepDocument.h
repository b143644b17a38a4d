#pragma once

#include "base/Style.h"
#include "base/TempoMap.h"
#include "chart/DocumentParts.h"
#include "chart/DocumentView.h"
#include "chart/Score.h"
#include "chart/ScoreList.h"
#include "chart/commands/Undoable.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

struct ZlvmDocumentData;

// The one document of the program: the song, the scores, the files that go with them, the
// motion options and the command history. Where the views stand in it (the cursor, the zoom)
// and whether the song plays is the views' own (CViewState); how clocks meet the song's time
// is the tempo map's with the song's gap (base/TimeUnits.h).
class CStepDocument : public CUndoable {
public:
    static constexpr float kDefaultBpm = 120.0f;

    explicit CStepDocument(DocumentServices services = {});
    ~CStepDocument() override;
    CStepDocument(const CStepDocument&) = delete;
    CStepDocument& operator=(const CStepDocument&) = delete;

    // --- The program around the document ---
    // As handed in, with the defaults filled in: never a null host nor an empty handler.
    const DocumentServices& services() const { return m_services; }

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

    // --- The song ---
    const SongDescription& description() const { return m_description; }
    void SetDescription(SongDescription description) { m_description = std::move(description); }
    // How clocks meet the song's time: the song's tempo (the map's first, songBpm()), then
    // its changes, stops, delays and warps. Every conversion of the document and its dances
    // goes through it.
    const CTempoMap& tempoMap() const { return m_tempo; }
    // Replaces the whole map; its song's tempo is held to SetBpm's rule.
    void SetTempoMap(CTempoMap tempo);
    // A tempo must be a finite number above 0 (IsValidBpm): InvalidArgumentError otherwise,
    // nothing changed, so no conversion ever divides by zero. It becomes the map's first
    // tempo; with other events in the map it must also keep the map's limits
    // (ChartLimitError).
    void SetBpm(float bpm);

    // --- Song file and model ---
    const SongAudio& audio() const { return m_audio; }
    // Attaches a song; a missing or undecodable file (whatever the measurer throws) is put to
    // the host.
    void SetAudio(const std::string& path);
    // The length of the song at `path`, measured after SetAudio returned (the measurer
    // answered `pending`). Taken only while `path` is still the document's song; the scores'
    // lengths and dances follow, and the views are told as of a change of the song. Returns
    // whether it was taken.
    bool SongMeasured(const std::string& path, std::int32_t durationMs);
    const AttachedModel& model() const { return m_model; }
    // Attaches a PMD model (a missing file is put to the host), measures it for the dance
    // and re-dances every score. A model that cannot be read, for whatever reason (damaged,
    // too big for memory), leaves none and says why in model().loadError.
    void SetModel(const std::string& path);
    // The user's choice of model: read first, so a file that cannot be read or is no model
    // throws (FileIoError, FileFormatError, InvalidArgumentError) and leaves the model, its
    // path and the dances as they were.
    void ChangeModel(const std::string& path);

    // --- Dancing ---
    const MotionOptions& motionOptions() const { return m_motionOptions; }
    void SetMotionOptions(const MotionOptions& options) { m_motionOptions = options; }
    const DanceSettings& dancing() const { return m_dancing; }
    void SetDancing(const DanceSettings& dancing) { m_dancing = dancing; }

    // --- Scores ---
    const CScoreList& scores() const { return m_scores; }
    CScoreList& scores() { return m_scores; }

    // --- Colours of the 3D view (and the films made of it) ---
    const ColorSettings& colors() const { return m_colors; }
    void SetColors(const ColorSettings& colors) { m_colors = colors; }

private:
    // Swaps the model in once the dancers' workers are done, and dances every chart anew.
    void InstallModel(std::unique_ptr<CModelDocument> model);
    // Asks the host about a file that cannot be used. True: try `path` again (the user
    // chose another file); false: go on without the file, `path` as the answer left it.
    bool AskAboutMissingFile(std::string& path, const std::string& message, std::uint32_t filterId,
                             const std::string& directoryKey);

    IDocumentHost m_defaultHost;
    DocumentServices m_services;
    std::vector<IStepDocumentView*> m_views;
    std::filesystem::path m_pathName;
    bool m_modified = false;

    SongDescription m_description;
    CTempoMap m_tempo{kDefaultBpm};
    SongAudio m_audio;
    AttachedModel m_model;
    MotionOptions m_motionOptions;
    DanceSettings m_dancing;
    CScoreList m_scores{this};
    ColorSettings m_colors;
};

// Whether a tempo can be a song's: a finite number above 0.
bool IsValidBpm(float bpm);

// The name a motion file carries: the model's, or the default one without a model.
std::string MotionModelName(const AttachedModel& model);

} // namespace zelvane
