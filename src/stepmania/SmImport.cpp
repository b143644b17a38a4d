#include "stepmania/SmImport.h"

#include "base/ChartLimits.h"
#include "dwi/DwiAudioPath.h"
#include "stepmania/MsdText.h"
#include "stepmania/SmFile.h"
#include "stepmania/SmNoteData.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace zelvane {
namespace {

using namespace stepmania;

std::int32_t Saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::optional<Style> StyleFromStepsType(std::string_view type)
{
    const std::string lower = AsciiLower(type);
    if (lower == "dance-single")
        return Style::SINGLE;
    if (lower == "dance-double")
        return Style::DOUBLE;
    if (lower == "dance-couple")
        return Style::COUPLE;
    return std::nullopt;
}

// How a chart is named in a message: its style, difficulty and, when it has one, its
// description.
std::string ChartName(const SmChartText& chart)
{
    std::string name = chart.stepsType + " " + chart.difficulty;
    if (!chart.description.empty())
        name += " (" + chart.description + ")";
    return name;
}

} // namespace

void SmWarnings::Add(Reason reason)
{
    if (listed.size() < kMaxListed)
        listed.push_back(std::move(reason));
    else
        ++unlisted;
}

std::string DifficultyFromStepMania(std::string_view difficulty)
{
    static const std::map<std::string, std::string> kNames{
        {"beginner", "BEGINNER"}, {"easy", "BASIC"},        {"medium", "ANOTHER"},
        {"hard", "MANIAC"},       {"challenge", "SMANIAC"}, {"edit", "EDIT"},
    };
    const auto found = kNames.find(AsciiLower(difficulty));
    return found == kNames.end() ? std::string() : found->second;
}

CSmImport::CSmImport(CStepDocument& document, std::filesystem::path path,
                     std::span<const std::uint8_t> bytes)
    : m_document(document)
    , m_path(std::move(path))
{
    const bool ssc = AsciiLower(m_path.extension().string()) == ".ssc";
    const std::string file = m_path.filename().string();
    const auto refuse = [&](const Reason& why) {
        throw FileFormatError(Reason(IDS_REASON_IMPORT_REFUSED, {file, why}));
    };
    SmFileText text;
    std::vector<Reason> passedOver;
    try {
        WaitGuard wait(*document.services().host);
        text = ReadSmFile(bytes, ssc);
        m_timing = ReadTiming(text.timing, !ssc, passedOver);
    } catch (const FileFormatError& error) {
        refuse(error.reason() ? *error.reason() : Reason(IDS_REASON_SM_NO_TAG));
    }
    for (Reason& reason : passedOver)
        m_warnings.Add(std::move(reason));
    if (Reason breach = ChartGapBreach(m_timing.gap); !breach.empty())
        refuse(breach);
    m_title = text.title;
    m_artist = text.artist;
    if (!text.music.empty())
        m_audioPath = dwi::ResolveDwiAudioPath(m_path, text.music);

    const CTempoMap& tempo = m_timing.tempo;
    const std::int32_t maxClock = MaxChartClock(tempo);
    std::set<std::string> otherTypes;
    std::set<std::pair<Style, std::string>> taken;
    for (const SmChartText& chart : text.charts) {
        const std::optional<Style> style = StyleFromStepsType(chart.stepsType);
        if (!style) {
            otherTypes.insert(chart.stepsType);
            continue;
        }
        if (!chart.ownTiming.empty()) {
            // The tempo map belongs to the song: a chart that keeps time of its own cannot
            // share it and is left out, unless its timing says what the song's does.
            std::vector<Reason> ignored;
            bool same = false;
            try {
                same = ReadTiming(text.timing.OverriddenBy(chart.ownTiming), !ssc, ignored)
                    == m_timing;
            } catch (const FileFormatError&) {
            }
            if (!same) {
                m_warnings.Add(Reason(IDS_REASON_SM_OWN_TIMING, {ChartName(chart)}));
                continue;
            }
        }
        std::string difficulty = DifficultyFromStepMania(chart.difficulty);
        if (difficulty.empty())
            difficulty = "EDIT";
        // A second chart of one style and difficulty (Edit charts above all) takes its own
        // name: an Edit chart its description, the others a number.
        if (taken.contains({*style, difficulty})) {
            const std::string described = AsciiUpper(chart.description);
            if (difficulty == "EDIT" && !described.empty()
                && !taken.contains({*style, described})) {
                difficulty = described;
            } else {
                std::string numbered;
                for (int n = 2; numbered.empty() || taken.contains({*style, numbered}); ++n)
                    numbered = difficulty + " " + std::to_string(n);
                difficulty = numbered;
            }
        }
        taken.insert({*style, difficulty});

        const SmNoteData data
            = ParseNoteData(chart.noteData, StylePanelCount(*style), maxClock, kMaxChartNotes);
        const auto refuseChart = [&](const Reason& breach) {
            refuse(
                Reason(IDS_REASON_IN_CHART, {std::string(StyleName(*style)), difficulty, breach}));
        };
        if (Reason breach = ChartNoteCountBreach(data.notes.size()); !breach.empty())
            refuseChart(breach);
        Chart read{*style, difficulty, chart.meter, {}};
        std::int64_t warped = 0;
        std::set<std::pair<std::int64_t, std::int32_t>> placed;
        for (const SmNote& note : data.notes) {
            const CNote kept{Saturated(note.clock), note.column, Saturated(note.length)};
            if (Reason breach = ChartLimitBreach(kept, tempo, maxClock); !breach.empty())
                refuseChart(breach);
            if (tempo.IsInsideWarp(kept.clock)) {
                ++warped;
                continue;
            }
            // Two notes on one panel at one clock are one step.
            if (placed.insert({note.clock, note.column}).second)
                read.notes.push_back(kept);
        }
        if (const std::int64_t leftOut = data.leftOut.total(); leftOut > 0)
            m_warnings.Add(Reason(IDS_REASON_SM_NOTES_LEFT_OUT,
                                  {std::string(StyleName(*style)), difficulty, leftOut}));
        if (warped > 0)
            m_warnings.Add(Reason(IDS_REASON_SM_NOTES_IN_WARPS,
                                  {std::string(StyleName(*style)), difficulty, warped}));
        m_charts.push_back(std::move(read));
    }
    if (!otherTypes.empty()) {
        std::string names;
        for (const std::string& type : otherTypes)
            names += (names.empty() ? "" : ", ") + type;
        m_warnings.Add(Reason(IDS_REASON_SM_OTHER_TYPES, {names}));
    }
}

void CSmImport::Apply()
{
    CStepDocument& document = m_document;
    // Commands in the history refer to the scores that are about to go.
    document.ClearHistory();
    document.scores().DeleteAll();
    document.SetDescription({m_title, m_artist, m_timing.gap});
    document.SetTempoMap(m_timing.tempo);
    for (Chart& chart : m_charts) {
        if (chart.notes.empty())
            continue;
        std::stable_sort(chart.notes.begin(), chart.notes.end(),
                         [](const CNote& a, const CNote& b) { return a.clock < b.clock; });
        NoteArray notes;
        notes.reserve(chart.notes.size());
        for (const CNote& note : chart.notes)
            notes.push_back(std::make_unique<CNote>(note));
        CScore* score = document.scores().FindOrCreate(chart.style, chart.difficulty);
        score->AppendNotes(std::move(notes));
        score->SetMeter(chart.meter);
    }
    // The document always keeps one score.
    if (document.scores().empty())
        document.scores().FindOrCreate(Style::SINGLE, "BASIC");
    CScore* first = document.scores().front().get();
    document.scores().SetCurrent(first);
    document.UpdateAllViews(nullptr, UpdateHint::CurrentScore, first);
    // The song is attached once the views know the new charts: a missing one is asked about
    // with the document whole.
    if (m_audioPath)
        document.SetAudio(*m_audioPath);
    document.SetModifiedFlag(true);
    document.scores().UpdateAll();
}

} // namespace zelvane
