#include "chart/StepDocument.h"

#include "base/ChartLimits.h"
#include "base/TimeUnits.h"
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

CStepDocument::CStepDocument(IDocumentHost* host, IAudioMeasurer* audio)
    : m_host(host ? host : &m_defaultHost)
    , m_audio(audio)
{
    const ColorSettings colors = m_host->ReadColorSettings();
    m_backgroundColor = colors.background;
    m_screenColor = colors.screen;
}

CStepDocument::~CStepDocument()
{
    // Commands refer to scores; drop them first, then stop every dancer before the scores go.
    ClearHistory();
    DeleteAllScores();
}

void CStepDocument::SetHost(IDocumentHost* host)
{
    m_host = host ? host : &m_defaultHost;
}

void CStepDocument::DeleteContents()
{
    WaitAllPlayers();
    // The song of the last contents must not play on over the next; the views start over.
    m_host->StopPlayback();
    m_host->DocumentCleared();
    ClearHistory();
    DeleteAllScores();
    m_title.clear();
    m_artist.clear();
    m_tempo = CTempoMap(kDefaultBpm);
    m_gap = 0;
    m_audioPath.clear();
    m_audioLength = 0;
    m_modelPath.clear();
    m_model.reset();
    m_modelLoadError.clear();
    m_twist = true;
    m_turnEnabled = false;
    m_motion = ModelMeasurements();
    const ColorSettings colors = m_host->ReadColorSettings();
    m_backgroundColor = colors.background;
    m_screenColor = colors.screen;
}

void CStepDocument::NewDocument()
{
    DeleteContents();
    m_scores.push_back(std::make_unique<CScore>(this, Style::SINGLE, "BASIC"));
    m_currentScore = m_scores.front().get();
    m_pathName.clear();
    m_modified = false;
    UpdateAllViews(nullptr, UpdateHint::CurrentScore, m_currentScore);
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
    m_title = data.title;
    m_artist = data.artist;
    m_tempo = std::move(tempo);
    m_gap = data.gap;
    m_twist = data.twist;
    m_turnEnabled = data.turnEnabled;
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
        m_scores.push_back(std::move(score));
    }
    if (m_scores.empty())
        m_scores.push_back(std::make_unique<CScore>(this, Style::SINGLE, "BASIC"));
    m_currentScore = m_scores.front().get();
    m_audioPath = ResolveStoredPath(m_pathName, data.audioPath);
    m_modelPath = ResolveStoredPath(m_pathName, data.modelPath);
    m_backgroundColor = data.backgroundColor;
    m_screenColor = data.screenColor;
    UpdateAllViews(nullptr, UpdateHint::CurrentScore, m_currentScore);
}

void CStepDocument::AttachFiles()
{
    // The paths are copied: the questions may replace them.
    SetAudio(std::string(m_audioPath));
    SetModel(std::string(m_modelPath));
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

bool CStepDocument::IsValidBpm(float bpm)
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
        = m_host->AnswerMissingFile({message, path, filterId, directoryKey});
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
    m_host->StopPlayback();
    m_audioPath = path;
    m_audioLength = 0;
    while (!m_audioPath.empty()) {
        std::string message;
        if (!CanOpenForReading(m_audioPath)) {
            message = FormatString(IDS_FILE_NOT_FOUND, {FileTitle(m_audioPath)});
        } else if (!m_audio) {
            return; // nothing here can decode audio: keep the path, no length
        } else {
            const AudioMeasurement measured = MeasureSong(*m_audio, m_audioPath);
            if (measured.pending)
                return; // the length comes through SongMeasured
            if (measured.decoded) {
                m_audioLength = measured.durationMs;
                return;
            }
            message = JapaneseText(measured.failure);
        }
        if (!AskAboutMissingFile(m_audioPath, message, IDS_FILTER_AUDIO, ""))
            return;
    }
}

bool CStepDocument::SongMeasured(const std::string& path, std::int32_t durationMs)
{
    if (path.empty() || path != m_audioPath || durationMs < 0)
        return false;
    m_audioLength = durationMs;
    UpdateAllScores();
    UpdateAllViews(nullptr, UpdateHint::Song);
    return true;
}

void CStepDocument::SetModel(const std::string& path)
{
    m_modelPath = path;
    while (!m_modelPath.empty() && !CanOpenForReading(m_modelPath)) {
        const std::string message = FormatString(IDS_FILE_NOT_FOUND, {FileTitle(m_modelPath)});
        if (!AskAboutMissingFile(m_modelPath, message, IDS_FILTER_MODEL, "ModelDirectory"))
            break;
    }
    std::unique_ptr<CModelDocument> model;
    m_modelLoadError.clear();
    WaitGuard wait(*m_host);
    // A file still missing has been put to the host already; only one that is there can
    // fail to load.
    if (!m_modelPath.empty() && CanOpenForReading(m_modelPath)) {
        // Whatever stops the model from loading (a damaged file, one too big for memory)
        // leaves the document without one, as a missing file does.
        try {
            model = LoadModelFile(m_modelPath);
        } catch (const std::bad_alloc&) {
            m_modelLoadError = "there is not enough memory to read it";
        } catch (const std::exception& error) {
            m_modelLoadError = error.what();
        }
    }
    InstallModel(std::move(model));
}

void CStepDocument::ChangeModel(const std::string& path)
{
    WaitGuard wait(*m_host);
    // Read before anything changes, so a file that is no model leaves the dancer as it was.
    std::unique_ptr<CModelDocument> model = LoadModelFile(path);
    m_modelPath = path;
    m_modelLoadError.clear();
    InstallModel(std::move(model));
}

void CStepDocument::InstallModel(std::unique_ptr<CModelDocument> model)
{
    WaitAllPlayers();
    m_model = std::move(model);
    m_motion = MeasureModel(m_model.get());
    UpdateAllScores();
}

std::string CStepDocument::MotionModelName() const
{
    if (m_model)
        return m_model->name;
    return std::string(LoadString(IDS_DEFAULT_MODEL_NAME));
}

void CStepDocument::SetMotionOptions(float panelSize, bool twist, bool turnEnabled)
{
    m_motion.panelSize = panelSize;
    m_twist = twist;
    m_turnEnabled = turnEnabled;
}

CScore* CStepDocument::FindScore(Style style, const std::string& difficulty) const
{
    for (const auto& score : m_scores)
        if (score->style() == style && score->difficulty() == difficulty)
            return score.get();
    return nullptr;
}

CScore* CStepDocument::FindOrCreateScore(Style style, const std::string& difficulty)
{
    if (CScore* score = FindScore(style, difficulty))
        return score;
    m_scores.push_back(std::make_unique<CScore>(this, style, difficulty));
    return m_scores.back().get();
}

void CStepDocument::DeleteScore(CScore* score)
{
    auto it = std::find_if(m_scores.begin(), m_scores.end(),
                           [score](const auto& owned) { return owned.get() == score; });
    if (it == m_scores.end())
        throw InvalidArgumentError(Reason(IDS_REASON_SCORE_NOT_IN_DOCUMENT));
    (*it)->StopPlayers();
    m_scores.erase(it);
    if (m_currentScore == score)
        m_currentScore = m_scores.empty() ? nullptr : m_scores.front().get();
}

void CStepDocument::DeleteAllScores()
{
    for (auto& score : m_scores)
        score->StopPlayers();
    m_scores.clear();
    m_currentScore = nullptr;
}

void CStepDocument::UpdateAllScores()
{
    for (auto& score : m_scores)
        score->UpdateLength(0);
}

void CStepDocument::WaitAllPlayers()
{
    for (auto& score : m_scores)
        score->WaitPlayers();
}

std::int32_t CStepDocument::ClockToFrame(std::int32_t clock) const
{
    return m_tempo.ClockToFrame(clock);
}

std::int32_t CStepDocument::FrameToClock(std::int32_t frame) const
{
    return m_tempo.FrameToClock(frame);
}

std::int32_t CStepDocument::FrameToAudioTime(std::int32_t frame) const
{
    return zelvane::FrameToAudioTime(frame, m_gap);
}

std::int32_t CStepDocument::AudioTimeToFrame(std::int32_t milliseconds) const
{
    return zelvane::AudioTimeToFrame(milliseconds, m_gap);
}

std::int32_t CStepDocument::AudioLengthClocks() const
{
    return m_tempo.AudioLengthClocks(m_audioLength, m_gap);
}

} // namespace zelvane
