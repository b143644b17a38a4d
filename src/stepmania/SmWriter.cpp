#include "stepmania/SmWriter.h"

#include "base/TimeUnits.h"
#include "chart/StepDocument.h"
#include "dwi/DwiAudioPath.h"
#include "stepmania/MsdText.h"
#include "text/StringTable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fmt/format.h>
#include <map>

namespace zelvane {
namespace {

using stepmania::AsciiLower;
using stepmania::AsciiUpper;

constexpr std::array<std::int32_t, 10> kRowCounts{4, 8, 12, 16, 24, 32, 48, 64, 96, 192};

std::string StepsType(Style style)
{
    switch (style) {
    case Style::SINGLE:
        return "dance-single";
    case Style::DOUBLE:
        return "dance-double";
    case Style::COUPLE:
        return "dance-couple";
    }
    return "dance-single";
}

// A clock as beats: three decimals are finer than half a clock, so the clock reads back.
std::string Beat(std::int32_t clock)
{
    return fmt::format("{:.3f}", static_cast<double>(clock) / kClocksPerBeat);
}

// Three decimals when they give the same float back, else as many as it takes.
std::string Tempo(float bpm)
{
    std::string text = fmt::format("{:.3f}", bpm);
    float back = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), back);
    return back == bpm ? text : fmt::format("{}", bpm);
}

// Milliseconds as seconds, exact to the microsecond the reader keeps.
std::string Seconds(double milliseconds)
{
    return fmt::format("{}", milliseconds / 1000.0);
}

// Text that must not end a value or start a parameter is escaped.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == ';' || c == ':' || c == '\\' || c == '#')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The rows of one measure, a character per column.
std::string MeasureText(const std::map<std::int32_t, std::string>& rows, std::int32_t columns)
{
    std::int32_t count = kRowCounts.back();
    for (const std::int32_t candidate : kRowCounts) {
        const bool holds = std::all_of(rows.begin(), rows.end(), [&](const auto& row) {
            return row.first * candidate % kClocksPerMeasure == 0;
        });
        if (holds) {
            count = candidate;
            break;
        }
    }
    std::string text;
    const std::string empty(static_cast<std::size_t>(columns), '0');
    for (std::int32_t row = 0; row < count; ++row) {
        const auto found = rows.find(row * kClocksPerMeasure / count);
        text += found == rows.end() ? empty : found->second;
        text += '\n';
    }
    return text;
}

std::string NoteData(const CScore& score)
{
    const std::int32_t columns = score.panelCount();
    // measure -> offset in the measure -> the row's characters
    std::map<std::int64_t, std::map<std::int32_t, std::string>> measures;
    const auto mark = [&](std::int64_t clock, std::int32_t panel, char c) {
        std::string& row = measures[clock / kClocksPerMeasure]
                                   [static_cast<std::int32_t>(clock % kClocksPerMeasure)];
        if (row.empty())
            row.assign(static_cast<std::size_t>(columns), '0');
        // A freeze's tail keeps its place over a step on its panel at that clock: without
        // it the freeze would read back as a tap.
        char& cell = row[static_cast<std::size_t>(panel)];
        if (cell != '3')
            cell = c;
    };
    for (const auto& note : score.notes()) {
        if (note->panel < 0 || note->panel >= columns)
            continue;
        mark(note->clock, note->panel, note->length > 0 ? '2' : '1');
        if (note->length > 0)
            mark(std::int64_t{note->clock} + note->length, note->panel, '3');
    }
    const std::int64_t last = measures.empty() ? 0 : measures.rbegin()->first;
    std::string text;
    for (std::int64_t m = 0; m <= last; ++m) {
        if (m > 0)
            text += ",\n";
        const auto found = measures.find(m);
        text += MeasureText(found == measures.end() ? std::map<std::int32_t, std::string>{}
                                                    : found->second,
                            columns);
    }
    return text;
}

struct TimingLists {
    std::string bpms, stops, delays, warps;
    bool hasWarps = false;
};

TimingLists Timing(const CTempoMap& tempo)
{
    TimingLists lists;
    const auto append = [](std::string& list, const std::string& entry) {
        list += (list.empty() ? "" : ",\n") + entry;
    };
    for (const CTempoEvent& event : tempo.events()) {
        const std::string beat = Beat(EventClock(event));
        if (const auto* change = std::get_if<CTempoChange>(&event))
            append(lists.bpms, beat + "=" + Tempo(change->bpm));
        else if (const auto* stop = std::get_if<CStop>(&event))
            append(lists.stops, beat + "=" + Seconds(stop->milliseconds));
        else if (const auto* delay = std::get_if<CDelay>(&event))
            append(lists.delays, beat + "=" + Seconds(delay->milliseconds));
        else if (const auto* warp = std::get_if<CWarp>(&event)) {
            append(lists.warps, beat + "=" + Beat(warp->length));
            lists.hasWarps = true;
        }
    }
    return lists;
}

} // namespace

std::string DifficultyToStepMania(const std::string& difficulty)
{
    static const std::map<std::string, std::string> kNames{
        {"BEGINNER", "Beginner"}, {"BASIC", "Easy"},        {"ANOTHER", "Medium"},
        {"MANIAC", "Hard"},       {"SMANIAC", "Challenge"},
    };
    const auto found = kNames.find(AsciiUpper(difficulty));
    return found == kNames.end() ? "Edit" : found->second;
}

SmWritten WriteSmText(const CStepDocument& document, const std::filesystem::path& path)
{
    const bool ssc = AsciiLower(path.extension().string()) == ".ssc";
    SmWritten written;
    std::string& out = written.text;
    const auto tag = [&](std::string_view name, const std::string& value) {
        out += fmt::format("#{}:{};\n", name, value);
    };
    if (ssc)
        tag("VERSION", "0.83");
    tag("TITLE", Escaped(document.description().title));
    tag("ARTIST", Escaped(document.description().artist));
    tag("MUSIC", Escaped(dwi::DwiAudioPathText(document.audio().path, path)));
    tag("OFFSET", fmt::format("{:.3f}", -static_cast<double>(document.description().gap) / 1000.0));
    const TimingLists timing = Timing(document.tempoMap());
    tag("BPMS", timing.bpms);
    tag("STOPS", timing.stops);
    tag("DELAYS", timing.delays);
    if (ssc)
        tag("WARPS", timing.warps);
    else if (timing.hasWarps)
        written.leftOut.push_back(Reason(IDS_REASON_SM_WARPS_LEFT_OUT));

    for (const auto& score : document.scores()) {
        if (score->notes().empty())
            continue;
        const std::string difficulty = DifficultyToStepMania(score->difficulty());
        // An Edit keeps the program's name of the chart as its description.
        const std::string description = difficulty == "Edit" ? score->difficulty() : "";
        const std::string type = StepsType(score->style());
        out += fmt::format("\n//--------------- {} - {} ----------------\n", type, description);
        if (ssc) {
            tag("NOTEDATA", "");
            tag("STEPSTYPE", type);
            tag("DESCRIPTION", Escaped(description));
            tag("DIFFICULTY", difficulty);
            tag("METER", std::to_string(score->meter()));
            out += "#NOTES:\n" + NoteData(*score) + ";\n";
        } else {
            out += fmt::format("#NOTES:\n     {}:\n     {}:\n     {}:\n     {}:\n     "
                               "0.000,0.000,0.000,0.000,0.000:\n",
                               type, Escaped(description), difficulty, score->meter());
            out += NoteData(*score) + ";\n";
        }
    }
    return written;
}

} // namespace zelvane
