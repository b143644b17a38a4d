#include "stepmania/SmFile.h"

#include "stepmania/MsdText.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>
#include <charconv>

namespace zelvane::stepmania {
namespace {

std::string Trim(std::string_view text)
{
    return std::string(TrimBlanks(text));
}

std::int32_t ParseMeter(std::string_view text)
{
    const std::string trimmed = Trim(text);
    std::int32_t meter = 0;
    const auto [end, error]
        = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), meter);
    return error == std::errc() ? meter : 0;
}

// A timing tag of the song or of a chart; false for any other tag.
bool ReadTimingTag(const std::string& tag, const MsdValue& value, SmTimingTags& timing)
{
    std::optional<std::string>* field = nullptr;
    if (tag == "OFFSET")
        field = &timing.offset;
    else if (tag == "BPMS")
        field = &timing.bpms;
    else if (tag == "STOPS" || tag == "FREEZES")
        field = &timing.stops;
    else if (tag == "DELAYS")
        field = &timing.delays;
    else if (tag == "WARPS")
        field = &timing.warps;
    if (!field)
        return false;
    *field = std::string(value.parameter(0));
    return true;
}

// .sm's one-value chart: type, description, difficulty, meter, radar values, notes.
SmChartText SmChart(const MsdValue& value)
{
    SmChartText chart;
    chart.stepsType = Trim(value.parameter(0));
    chart.description = Trim(value.parameter(1));
    chart.difficulty = Trim(value.parameter(2));
    chart.meter = ParseMeter(value.parameter(3));
    chart.noteData = std::string(value.parameter(5));
    chart.line = value.line;
    return chart;
}

bool IsStepManiaTag(const std::string& tag)
{
    static const std::string_view kTags[] = {"TITLE", "ARTIST", "MUSIC",    "OFFSET",  "BPMS",
                                             "STOPS", "NOTES",  "NOTEDATA", "VERSION", "SUBTITLE"};
    return std::find(std::begin(kTags), std::end(kTags), tag) != std::end(kTags);
}

} // namespace

SmFileText ReadSmFile(std::span<const std::uint8_t> bytes, bool ssc)
{
    if (std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end())
        throw FileFormatError(Reason(IDS_REASON_SM_NOT_TEXT));
    const std::string text = Utf8OrCp932ToUtf8(bytes);
    SmFileText file;
    SmChartText* chart = nullptr; // the .ssc chart whose tags come now
    bool knownTag = false;
    for (const MsdValue& value : ParseMsd(text)) {
        const std::string tag = AsciiUpper(TrimBlanks(value.tag()));
        knownTag = knownTag || IsStepManiaTag(tag);
        if (tag == "NOTEDATA" && ssc) {
            file.charts.emplace_back();
            chart = &file.charts.back();
            chart->line = value.line;
        } else if (tag == "NOTES" && (!ssc || !chart)) {
            file.charts.push_back(SmChart(value));
        } else if (chart) {
            if (tag == "STEPSTYPE")
                chart->stepsType = Trim(value.parameter(0));
            else if (tag == "DESCRIPTION")
                chart->description = Trim(value.parameter(0));
            else if (tag == "DIFFICULTY")
                chart->difficulty = Trim(value.parameter(0));
            else if (tag == "METER")
                chart->meter = ParseMeter(value.parameter(0));
            else if (tag == "NOTES" || tag == "NOTES2")
                chart->noteData = std::string(value.parameter(0));
            else
                ReadTimingTag(tag, value, chart->ownTiming);
        } else if (tag == "TITLE") {
            file.title = Trim(value.parameter(0));
        } else if (tag == "ARTIST") {
            file.artist = Trim(value.parameter(0));
        } else if (tag == "MUSIC") {
            file.music = Trim(value.parameter(0));
        } else {
            ReadTimingTag(tag, value, file.timing);
        }
    }
    if (!knownTag)
        throw FileFormatError(Reason(IDS_REASON_SM_NO_TAG));
    return file;
}

} // namespace zelvane::stepmania
