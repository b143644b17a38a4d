#include "cli/DocumentJson.h"

#include "chart/StepDocument.h"

#include <sstream>

namespace zelvane::cli {

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
    // A float widened to double prints with enough digits to give back the same float.
    return {{"title", document.title()},
            {"artist", document.artist()},
            {"bpm", static_cast<double>(document.bpm())},
            {"gap", document.gap()},
            {"audioPath", document.audioPath()},
            {"modelPath", document.modelPath()},
            {"twist", document.twist()},
            {"turnEnabled", document.turnEnabled()},
            {"backgroundColor", document.backgroundColor()},
            {"screenColor", document.screenColor()},
            {"scores", scores},
            {"errors", errors}};
}

std::string DocumentSummary(const CStepDocument& document, const std::vector<std::string>& errors)
{
    std::ostringstream out;
    out << "title:  " << document.title() << "\n"
        << "artist: " << document.artist() << "\n"
        << "bpm:    " << document.bpm() << "\n"
        << "gap:    " << document.gap() << " ms\n";
    if (!document.audioPath().empty())
        out << "audio:  " << document.audioPath() << " (" << document.audioLength() << " ms)\n";
    if (!document.modelPath().empty())
        out << "model:  " << document.modelPath() << "\n";
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
    return out.str();
}

} // namespace zelvane::cli
