#include "dwi/DwiWriter.h"

#include "chart/StepDocument.h"
#include "dwi/DwiAudioPath.h"
#include "dwi/DwiFormat.h"
#include "text/FileIo.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
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

} // namespace

std::vector<std::uint8_t> DwiBytes(const CStepDocument& document, const std::filesystem::path& path)
{
    std::string out;
    out += "#TITLE:" + ValueText(document.title()) + ";" + std::string(kLineEnd);
    out += "#ARTIST:" + ValueText(document.artist()) + ";" + std::string(kLineEnd);
    out += "#FILE:" + ValueText(dwi::DwiAudioPathText(document.audioPath(), path)) + ";"
        + std::string(kLineEnd);
    // fmt, not printf: the decimal point must not follow the user's locale.
    out += fmt::format("#BPM:{:.3f};", static_cast<double>(document.bpm())) + std::string(kLineEnd);
    out += fmt::format("#GAP:{};", document.gap()) + std::string(kLineEnd);
    for (const auto& score : document.scores())
        WriteChart(out, *score);
    return std::vector<std::uint8_t>(out.begin(), out.end());
}

void WriteDwi(const CStepDocument& document, const std::filesystem::path& path)
{
    WriteFileAtomically(path, DwiBytes(document, path));
}

} // namespace zelvane
