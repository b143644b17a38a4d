#include "cli/DocumentJson.h"

#include "chart/StepDocument.h"

#include <sstream>
#include <variant>

namespace zelvane::cli {
namespace {

// A float widened to double prints with enough digits to give back the same float.
double Json(float value)
{
    return static_cast<double>(value);
}

// The map by kind, each list in clock order; the first change is the song's tempo at clock 0.
nlohmann::json TempoToJson(const CTempoMap& tempo)
{
    nlohmann::json changes = nlohmann::json::array();
    nlohmann::json stops = nlohmann::json::array();
    nlohmann::json delays = nlohmann::json::array();
    nlohmann::json warps = nlohmann::json::array();
    for (const CTempoEvent& event : tempo.events()) {
        if (const auto* change = std::get_if<CTempoChange>(&event))
            changes.push_back({{"clock", change->clock}, {"bpm", Json(change->bpm)}});
        else if (const auto* stop = std::get_if<CStop>(&event))
            stops.push_back({{"clock", stop->clock}, {"ms", stop->milliseconds}});
        else if (const auto* delay = std::get_if<CDelay>(&event))
            delays.push_back({{"clock", delay->clock}, {"ms", delay->milliseconds}});
        else if (const auto* warp = std::get_if<CWarp>(&event))
            warps.push_back({{"clock", warp->clock}, {"length", warp->length}});
    }
    return {{"changes", changes}, {"stops", stops}, {"delays", delays}, {"warps", warps}};
}

// One line for an event of the map, after the clock it acts at.
std::string EventText(const CTempoEvent& event)
{
    std::ostringstream out;
    out << "clock " << EventClock(event) << ": ";
    if (const auto* change = std::get_if<CTempoChange>(&event))
        out << "tempo " << change->bpm << " BPM";
    else if (const auto* stop = std::get_if<CStop>(&event))
        out << "stop " << stop->milliseconds << " ms";
    else if (const auto* delay = std::get_if<CDelay>(&event))
        out << "delay " << delay->milliseconds << " ms";
    else if (const auto* warp = std::get_if<CWarp>(&event))
        out << "warp " << warp->length << " clocks";
    return out.str();
}

} // namespace

nlohmann::json DocumentToJson(const CStepDocument& document, const std::vector<std::string>& errors)
{
    nlohmann::json scores = nlohmann::json::array();
    for (const auto& score : document.scores()) {
        nlohmann::json notes = nlohmann::json::array();
        for (const auto& note : score->notes())
            notes.push_back({note->clock, note->panel, note->length});
        nlohmann::json motionPaths = nlohmann::json::array();
        for (const auto& player : score->players())
            motionPaths.push_back(player->motionPath());
        scores.push_back({{"style", std::string(StyleName(score->style()))},
                          {"difficulty", score->difficulty()},
                          {"length", score->length()},
                          {"aviPath", score->aviPath()},
                          {"motionPaths", motionPaths},
                          {"notes", notes}});
    }
    return {{"title", document.description().title},
            {"artist", document.description().artist},
            {"bpm", Json(document.tempoMap().songBpm())},
            {"tempo", TempoToJson(document.tempoMap())},
            {"gap", document.description().gap},
            {"audioPath", document.audio().path},
            {"modelPath", document.model().path},
            {"twist", document.motionOptions().twist},
            {"turnEnabled", document.motionOptions().turnEnabled},
            {"backgroundColor", document.colors().background},
            {"screenColor", document.colors().screen},
            {"scores", scores},
            {"errors", errors}};
}

std::string DocumentSummary(const CStepDocument& document, const std::vector<std::string>& errors)
{
    std::ostringstream out;
    out << "title:  " << document.description().title << "\n"
        << "artist: " << document.description().artist << "\n"
        << "bpm:    " << document.tempoMap().songBpm() << "\n"
        << "gap:    " << document.description().gap << " ms\n";
    if (!document.audio().path.empty())
        out << "audio:  " << document.audio().path << " (" << document.audio().lengthMs << " ms)\n";
    if (!document.model().path.empty())
        out << "model:  " << document.model().path << "\n";
    out << "scores: " << document.scores().size() << "\n";
    for (const auto& score : document.scores()) {
        std::size_t freezes = 0;
        for (const auto& note : score->notes())
            freezes += note->length > 0 ? 1 : 0;
        out << "  " << StyleName(score->style()) << " " << score->difficulty() << ": "
            << score->notes().size() << " notes (" << freezes << " freezes), " << score->length()
            << " clocks\n";
    }
    if (!errors.empty()) {
        out << "errors:\n";
        for (const auto& line : errors)
            out << "  " << line << "\n";
    }
    // A song of one tempo has it on the bpm line; a map is listed event by event.
    const CTempoMap& tempo = document.tempoMap();
    if (!tempo.IsSingleTempo()) {
        out << "tempo map: " << tempo.events().size() << " events\n";
        for (const CTempoEvent& event : tempo.events())
            out << "  " << EventText(event) << "\n";
    }
    return out.str();
}

} // namespace zelvane::cli
