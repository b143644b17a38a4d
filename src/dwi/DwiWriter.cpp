#include "dwi/DwiWriter.h"

#include "chart/StepDocument.h"
#include "dwi/DwiAudioPath.h"
#include "dwi/DwiFormat.h"
#include "text/FileIo.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
#include <map>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

namespace zelvane {
namespace {

using Measure = std::array<std::uint8_t, dwi::kClocksPerMeasure>;

// One clock of one pad: bits 0-3 an arrow on panel 0-3, bits 4-7 a freeze starting there.
struct PadEvent {
    std::int32_t clock;
    std::uint8_t bits;
};

constexpr std::string_view kLineEnd = "\r\n";

// A value ends at its terminator; one inside the text would cut it short and spill the rest
// into the chart, so it is written as its full-width look-alike.
std::string Escape(std::string_view text, char terminator, std::string_view replacement)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == terminator)
            escaped += replacement;
        else
            escaped += c;
    }
    return escaped;
}

std::string ValueText(std::string_view text)
{
    return Escape(text, ';', "\xEF\xBC\x9B"); // U+FF1B
}

// Events of the notes on panels [firstPanel, firstPanel + 4), in clock order. Notes before
// clock 0 (only a damaged document has them) cannot be written and are left out.
std::vector<PadEvent> PadEvents(const CScore& score, std::int32_t firstPanel)
{
    std::vector<PadEvent> events;
    for (const auto& note : score.notes()) {
        const std::int32_t panel = note->panel - firstPanel;
        if (panel < 0 || panel >= dwi::kPanelsPerPad || note->clock < 0)
            continue;
        const auto arrow = static_cast<std::uint8_t>(1u << panel);
        if (note->length > 0) {
            events.push_back({note->clock, static_cast<std::uint8_t>(arrow | arrow << 4)});
            events.push_back({note->endClock(), arrow});
        } else {
            events.push_back({note->clock, arrow});
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const PadEvent& a, const PadEvent& b) { return a.clock < b.clock; });
    return events;
}

// Enough measures for the score's length and for every note: a note at the very end of the
// length gets one more measure rather than falling outside them.
std::int64_t MeasureCount(const CScore& score)
{
    std::int64_t measures = (std::max<std::int64_t>(score.length(), 0) + 191) / 192;
    for (const auto& note : score.notes()) {
        if (note->clock < 0 || !score.HasPanel(note->panel))
            continue;
        const std::int64_t last = note->length > 0 ? note->endClock() : note->clock;
        measures = std::max(measures, last / dwi::kClocksPerMeasure + 1);
    }
    return measures;
}

// The coarsest step that lands on every arrow of the measure.
const dwi::StepSize& ChooseStep(const Measure& measure)
{
    std::int32_t g = 24;
    for (std::int32_t j = 0; j < dwi::kClocksPerMeasure; ++j) {
        const std::int32_t h = j % 24;
        if (measure[static_cast<std::size_t>(j)] != 0 && h != 0)
            g = std::gcd(g, h);
    }
    switch (g) {
    case 24:
        return dwi::kStepSizes[0];
    case 12:
        return dwi::kStepSizes[1];
    case 8:
    case 16:
        return dwi::kStepSizes[2];
    case 3:
    case 6:
        return dwi::kStepSizes[3];
    default:
        return dwi::kStepSizes[4];
    }
}

void WriteMeasure(std::string& out, const Measure& measure)
{
    const dwi::StepSize& step = ChooseStep(measure);
    out += step.opening;
    for (std::int32_t j = 0; j < dwi::kClocksPerMeasure; j += step.clocks) {
        const std::uint8_t bits = measure[static_cast<std::size_t>(j)];
        out += dwi::kArrowTexts[bits & 0x0F];
        if (bits & 0xF0) {
            out += '!';
            out += dwi::kArrowTexts[bits >> 4];
        }
    }
    out += step.closing;
    out += kLineEnd;
}

void WriteChart(std::string& out, const CScore& score)
{
    out += '#';
    out += StyleName(score.style());
    out += ':';
    out += Escape(score.difficulty(), ':', "\xEF\xBC\x9A"); // U+FF1A
    out += "::";
    out += kLineEnd;

    const std::int64_t measures = MeasureCount(score);
    const std::int32_t blocks = score.panelCount() / dwi::kPanelsPerPad;
    for (std::int32_t block = 0; block < blocks; ++block) {
        const std::vector<PadEvent> events = PadEvents(score, block * dwi::kPanelsPerPad);
        std::size_t next = 0;
        for (std::int64_t m = 0; m < measures; ++m) {
            Measure measure{};
            const std::int64_t start = m * dwi::kClocksPerMeasure;
            for (; next < events.size() && events[next].clock < start + dwi::kClocksPerMeasure;
                 ++next)
                measure[static_cast<std::size_t>(events[next].clock - start)] |= events[next].bits;
            WriteMeasure(out, measure);
        }
        if (block + 1 < blocks)
            out += ':';
    }
    // The line ends here so that the next chart's "#" starts a line of its own: a reader
    // passes over the rest of the line after a chart.
    out += ';';
    out += kLineEnd;
}

// A clock as the sixteenth notes a tempo tag counts: whole when it is a multiple of 12, else
// with three decimals at most, which read back as the same clock (each is within 0.0005 of a
// sixteenth, 0.006 of a clock), trailing zeros left out.
std::string SixteenthsText(std::int32_t clock)
{
    constexpr std::int32_t kClocksPerSixteenth = 12;
    const std::int32_t whole = clock / kClocksPerSixteenth;
    const std::int32_t rest = clock % kClocksPerSixteenth;
    if (rest == 0)
        return fmt::format("{}", whole);
    // Never a tie, and never 1000: rest x 1000 / 12 is at most 916.67.
    std::string fraction = fmt::format("{:03}", (rest * 1000 + kClocksPerSixteenth / 2) / 12);
    while (fraction.back() == '0')
        fraction.pop_back();
    return fmt::format("{}.{}", whole, fraction);
}

std::string MillisecondsText(double milliseconds)
{
    return fmt::format("{:.3f}", milliseconds);
}

// #CHANGEBPM and #FREEZE for the map's events after the song's tempo, each tag only when it
// has entries. A delay pauses before the notes at its clock, a stop after them: a stop one
// clock earlier lands the notes at the same time, so that is how a delay is written. Two
// pauses at one clock are one freeze, since a reader keeps the last freeze at a clock.
void WriteTempoTags(std::string& out, const CTempoMap& tempo)
{
    std::string changes;
    std::map<std::int32_t, double> freezes;
    for (std::size_t i = 1; i < tempo.events().size(); ++i) {
        const CTempoEvent& event = tempo.events()[i];
        if (const auto* change = std::get_if<CTempoChange>(&event)) {
            changes += fmt::format("{}{}={:.3f}", changes.empty() ? "" : ",",
                                   SixteenthsText(change->clock), static_cast<double>(change->bpm));
        } else if (const auto* stop = std::get_if<CStop>(&event)) {
            freezes[stop->clock] += stop->milliseconds;
        } else if (const auto* delay = std::get_if<CDelay>(&event); delay && delay->clock > 0) {
            freezes[delay->clock - 1] += delay->milliseconds;
        }
    }
    if (!changes.empty())
        out += "#CHANGEBPM:" + changes + ";" + std::string(kLineEnd);
    if (freezes.empty())
        return;
    out += "#FREEZE:";
    for (auto it = freezes.begin(); it != freezes.end(); ++it)
        out += fmt::format("{}{}={}", it == freezes.begin() ? "" : ",", SixteenthsText(it->first),
                           MillisecondsText(it->second));
    out += ";";
    out += kLineEnd;
}

} // namespace

DwiExportOmissions DwiOmissions(const CTempoMap& tempo)
{
    DwiExportOmissions omissions;
    for (const CTempoEvent& event : tempo.events()) {
        if (std::holds_alternative<CWarp>(event))
            ++omissions.warps;
        else if (const auto* delay = std::get_if<CDelay>(&event); delay && delay->clock == 0)
            ++omissions.startDelays;
    }
    return omissions;
}

std::vector<std::uint8_t> DwiBytes(const CStepDocument& document, const std::filesystem::path& path)
{
    std::string out;
    out += "#TITLE:" + ValueText(document.description().title) + ";" + std::string(kLineEnd);
    out += "#ARTIST:" + ValueText(document.description().artist) + ";" + std::string(kLineEnd);
    out += "#FILE:" + ValueText(dwi::DwiAudioPathText(document.audio().path, path)) + ";"
        + std::string(kLineEnd);
    // fmt, not printf: the decimal point must not follow the user's locale.
    out += fmt::format("#BPM:{:.3f};", static_cast<double>(document.tempoMap().songBpm()))
        + std::string(kLineEnd);
    out += fmt::format("#GAP:{};", document.description().gap) + std::string(kLineEnd);
    WriteTempoTags(out, document.tempoMap());
    for (const auto& score : document.scores())
        WriteChart(out, *score);
    return std::vector<std::uint8_t>(out.begin(), out.end());
}

DwiExportOmissions WriteDwi(const CStepDocument& document, const std::filesystem::path& path)
{
    WriteFileAtomically(path, DwiBytes(document, path));
    return DwiOmissions(document.tempoMap());
}

} // namespace zelvane
