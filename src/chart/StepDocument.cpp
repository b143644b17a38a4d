#include "chart/StepDocument.h"

#include "base/ChartLimits.h"
#include "chart/StoredPath.h"
#include "chart/ZlvmFile.h"
#include "model/ModelLoader.h"
#include "text/Errors.h"
#include "text/FileIo.h"
#include "text/StringTable.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <new>

namespace zelvane {
namespace {

// A song or model the document names must be a plain file: a device such as /dev/zero would
// be read until memory runs out, so it counts as missing and the user is asked for the file.
bool CanOpenForReading(const std::string& path)
{
    return IsReadablePlainFile(path);
}

std::string FileTitle(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// A song that cannot be measured for any reason is a song that cannot be decoded: the
// document goes on without its length rather than failing whole.
AudioMeasurement MeasureSong(IAudioMeasurer& audio, const std::string& path)
{
    AudioMeasurement failed;
    try {
        return audio.Measure(path);
    } catch (const std::bad_alloc&) {
        failed.failure = Reason(IDS_REASON_AUDIO_NO_MEMORY, {path});
    } catch (const CoreError& error) {
        failed.failure = error.reason()
            ? *error.reason()
            : Reason(IDS_REASON_AUDIO_UNDECODABLE, {path}, error.what());
    } catch (const std::exception& error) {
        failed.failure = Reason(IDS_REASON_AUDIO_UNDECODABLE, {path}, error.what());
    }
    return failed;
}

} // namespace

CStepDocument::CStepDocument(DocumentServices services)
    : m_services(std::move(services))
{
    if (!m_services.host)
        m_services.host = &m_defaultHost;
    if (!m_services.workerFailure)
        m_services.workerFailure = [](const Reason&) {};
    m_colors = m_services.host->ReadColorSettings();
}

CStepDocument::~CStepDocument()
{
    // Commands refer to scores; drop them first, then stop every dancer before the scores go.
    ClearHistory();
    m_scores.DeleteAll();
}

void CStepDocument::DeleteContents()
{
    m_scores.WaitAll();
    // The song of the last contents must not play on over the next; the views start over.
    m_services.host->StopPlayback();
    m_services.host->DocumentCleared();
    ClearHistory();
    m_scores.DeleteAll();
    m_description = SongDescription();
    m_tempo = CTempoMap(kDefaultBpm);
    m_audio = SongAudio();
    m_model = AttachedModel();
    m_motionOptions = MotionOptions();
    m_colors = m_services.host->ReadColorSettings();
}

void CStepDocument::NewDocument()
{
    DeleteContents();
    m_scores.Append(std::make_unique<CScore>(this, Style::SINGLE, "BASIC"));
    m_scores.SetCurrent(m_scores.front().get());
    m_pathName.clear();
    m_modified = false;
    UpdateAllViews(nullptr, UpdateHint::CurrentScore, m_scores.current());
}

void CStepDocument::OpenDocument(const std::filesystem::path& path)
{
    // Everything is read and checked before the document is touched, so a damaged file
    // leaves the user's document as it was.
    const ZlvmDocumentData data = ReadZlvm(ReadWholeFile(path, kMaxChartFileBytes));
    m_pathName = path;
    Load(data);
    m_modified = false;
    AttachFiles();
}

void CStepDocument::SaveDocument(const std::filesystem::path& path)
{
    WriteFileAtomically(path, WriteZlvm(CaptureZlvm(*this)));
    m_pathName = path;
    m_modified = false;
}

void CStepDocument::Load(const ZlvmDocumentData& data)
{
    if (!IsValidBpm(data.bpm))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    for (const Reason& breach : {ChartTempoBreach(data.bpm), ChartGapBreach(data.gap)})
        if (!breach.empty())
            throw ChartLimitError(breach);
    CTempoMap tempo(data.bpm);
    if (Reason refused = tempo.Add(data.tempoEvents); !refused.empty())
        throw ChartLimitError(refused);
    for (const ZlvmScoreRecord& record : data.scores) {
        const Reason breach = ChartLimitBreach(record.notes, tempo);
        if (!breach.empty())
            throw ChartLimitError(breach);
    }
    DeleteContents();
    m_description = {data.title, data.artist, data.gap};
    m_tempo = std::move(tempo);
    m_motionOptions.twist = data.twist;
    m_motionOptions.turnEnabled = data.turnEnabled;
    for (const ZlvmScoreRecord& record : data.scores) {
        auto score = std::make_unique<CScore>(this, record.style, record.difficulty);
        // A damaged file may name panels the score does not have; such notes could never
        // be drawn or danced, and are left out rather than trusted.
        for (const CNote& note : record.notes)
            if (score->HasPanel(note.panel))
                score->AppendNote(std::make_unique<CNote>(note));
        // A score without notes is not kept.
        if (score->notes().empty())
            continue;
        score->SetAviPath(record.aviPath);
        score->SetMeter(record.meter);
        for (std::size_t i = 0; i < score->players().size() && i < record.motionPaths.size(); ++i)
            score->players()[i]->SetMotionPath(record.motionPaths[i]);
        m_scores.Append(std::move(score));
    }
    if (m_scores.empty())
        m_scores.Append(std::make_unique<CScore>(this, Style::SINGLE, "BASIC"));
    m_scores.SetCurrent(m_scores.front().get());
    m_audio.path = ResolveStoredPath(m_pathName, data.audioPath);
    m_model.path = ResolveStoredPath(m_pathName, data.modelPath);
    m_colors = {data.backgroundColor, data.screenColor};
    UpdateAllViews(nullptr, UpdateHint::CurrentScore, m_scores.current());
}

void CStepDocument::AttachFiles()
{
    // The paths are copied: the questions may replace them.
    SetAudio(std::string(m_audio.path));
    SetModel(std::string(m_model.path));
    UpdateAllViews(nullptr, UpdateHint::Model);
}

void CStepDocument::AddView(IStepDocumentView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CStepDocument::RemoveView(IStepDocumentView* view)
{
    std::erase(m_views, view);
}

void CStepDocument::UpdateAllViews(IStepDocumentView* sender, UpdateHint hint, CScore* score)
{
    // A view may add or remove views while it updates; walk a copy.
    const std::vector<IStepDocumentView*> views = m_views;
    for (IStepDocumentView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, score);
}

bool IsValidBpm(float bpm)
{
    return std::isfinite(bpm) && bpm > 0.0f;
}

void CStepDocument::SetBpm(float bpm)
{
    if (!IsValidBpm(bpm))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    if (m_tempo.IsSingleTempo()) {
        m_tempo = CTempoMap(bpm);
        return;
    }
    if (Reason refused = m_tempo.Change(0, CTempoChange{0, bpm}); !refused.empty())
        throw ChartLimitError(refused);
}

void CStepDocument::SetTempoMap(CTempoMap tempo)
{
    if (!IsValidBpm(tempo.songBpm()))
        throw InvalidArgumentError(Reason(IDS_REASON_TEMPO_NOT_POSITIVE));
    m_tempo = std::move(tempo);
}

bool CStepDocument::AskAboutMissingFile(std::string& path, const std::string& message,
                                        std::uint32_t filterId, const std::string& directoryKey)
{
    const MissingFileAnswer answer
        = m_services.host->AnswerMissingFile({message, path, filterId, directoryKey});
    switch (answer.action) {
    case MissingFileAnswer::Action::Retry:
        path = answer.path;
        return !path.empty();
    case MissingFileAnswer::Action::Ignore:
        path.clear();
        return false;
    case MissingFileAnswer::Action::Keep:
        return false;
    }
    return false;
}

void CStepDocument::SetAudio(const std::string& path)
{
    // Whatever played is the last song's.
    m_services.host->StopPlayback();
    m_audio = {path, 0};
    while (!m_audio.path.empty()) {
        std::string message;
        if (!CanOpenForReading(m_audio.path)) {
            message = FormatString(IDS_FILE_NOT_FOUND, {FileTitle(m_audio.path)});
        } else if (!m_services.audio) {
            return; // nothing here can decode audio: keep the path, no length
        } else {
            const AudioMeasurement measured = MeasureSong(*m_services.audio, m_audio.path);
            if (measured.pending)
                return; // the length comes through SongMeasured
            if (measured.decoded) {
                m_audio.lengthMs = measured.durationMs;
                return;
            }
            message = JapaneseText(measured.failure);
        }
        if (!AskAboutMissingFile(m_audio.path, message, IDS_FILTER_AUDIO, ""))
            return;
    }
}

bool CStepDocument::SongMeasured(const std::string& path, std::int32_t durationMs)
{
    if (path.empty() || path != m_audio.path || durationMs < 0)
        return false;
    m_audio.lengthMs = durationMs;
    m_scores.UpdateAll();
    UpdateAllViews(nullptr, UpdateHint::Song);
    return true;
}

void CStepDocument::SetModel(const std::string& path)
{
    m_model.path = path;
    while (!m_model.path.empty() && !CanOpenForReading(m_model.path)) {
        const std::string message = FormatString(IDS_FILE_NOT_FOUND, {FileTitle(m_model.path)});
        if (!AskAboutMissingFile(m_model.path, message, IDS_FILTER_MODEL, "ModelDirectory"))
            break;
    }
    std::unique_ptr<CModelDocument> model;
    m_model.loadError.clear();
    WaitGuard wait(*m_services.host);
    // A file still missing has been put to the host already; only one that is there can
    // fail to load.
    if (!m_model.path.empty() && CanOpenForReading(m_model.path)) {
        // Whatever stops the model from loading (a damaged file, one too big for memory)
        // leaves the document without one, as a missing file does.
        try {
            model = LoadModelFile(m_model.path);
        } catch (const std::bad_alloc&) {
            m_model.loadError = "there is not enough memory to read it";
        } catch (const std::exception& error) {
            m_model.loadError = error.what();
        }
    }
    InstallModel(std::move(model));
}

void CStepDocument::ChangeModel(const std::string& path)
{
    WaitGuard wait(*m_services.host);
    // Read before anything changes, so a file that is no model leaves the dancer as it was.
    std::unique_ptr<CModelDocument> model = LoadModelFile(path);
    m_model.path = path;
    m_model.loadError.clear();
    InstallModel(std::move(model));
}

void CStepDocument::InstallModel(std::unique_ptr<CModelDocument> model)
{
    m_scores.WaitAll();
    m_model.document = std::move(model);
    m_model.measurements = MeasureModel(m_model.document.get());
    // A model sets the panels to its own size; the user may change it afterwards.
    m_motionOptions.panelSize = m_model.measurements.panelSize;
    m_scores.UpdateAll();
}

std::string MotionModelName(const AttachedModel& model)
{
    if (model.document)
        return model.document->name;
    return std::string(LoadString(IDS_DEFAULT_MODEL_NAME));
}

} // namespace zelvane
