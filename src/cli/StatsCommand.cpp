#include "chart/Player.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "motion/StepStatistics.h"
#include "text/Errors.h"

#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

namespace zelvane::cli {
namespace {

std::string DancerName(const CScore& score, const CPlayer& player)
{
    std::string name = std::string(StyleName(score.style())) + " " + score.difficulty();
    if (score.players().size() > 1)
        name += player.firstPanel() == 0 ? " 1P" : " 2P";
    return name;
}

nlohmann::json StatisticsToJson(const StepStatistics& s)
{
    return {{"notes", s.notes},
            {"steps", s.steps},
            {"jumps", s.jumps},
            {"droppedNotes", s.droppedNotes},
            {"doubleSteps", s.doubleSteps},
            {"fastDoubleSteps", s.fastDoubleSteps},
            {"jacks", s.jacks},
            {"footswitches", s.footswitches},
            {"crossoversEntered", s.crossoversEntered},
            {"crossedSteps", s.crossedSteps},
            {"spins", s.spins},
            {"travel", s.travel}};
}

} // namespace

FootAssignment ParseFootAssignment(const std::string& text)
{
    if (text == "greedy")
        return FootAssignment::GREEDY;
    if (text == "optimal")
        return FootAssignment::OPTIMAL;
    throw InvalidArgumentError("--feet must be greedy or optimal, not \"" + text + "\"");
}

int RunStats(const StatsRequest& request)
{
    CliChart chart(request.input, {request.verbose, true});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();
    document.SetDancing({document.dancing().dancesCharts, ParseFootAssignment(request.feet)});

    std::vector<CScore*> scores;
    const bool anyStyle = request.style.empty();
    const Style style = anyStyle ? Style::SINGLE : ParseStyle(request.style);
    for (const auto& score : document.scores()) {
        if ((anyStyle || score->style() == style)
            && (request.difficulty.empty() || score->difficulty() == request.difficulty))
            scores.push_back(score.get());
    }
    if (scores.empty()) {
        if (!anyStyle && !request.difficulty.empty())
            RequireScore(document, style, request.difficulty); // names the charts there are
        throw InvalidArgumentError("no chart of \"" + request.input
                                   + "\" matches --style and --difficulty");
    }

    // Every dancer of the chosen charts dances at once, each on its own worker.
    document.SetDancing({true, document.dancing().feet});
    for (CScore* score : scores)
        score->UpdateLength(0);

    nlohmann::json dancers = nlohmann::json::array();
    for (CScore* score : scores) {
        for (const auto& player : score->players()) {
            player->WaitWorker();
            if (!player->failure().empty())
                throw WorkerFailedError(player->failure());
            const StepStatistics stats = MeasureSteps(player->generator().stepFrames(),
                                                      player->generator().parameters().panelSize);
            const std::string name = DancerName(*score, *player);
            if (request.json) {
                nlohmann::json entry = StatisticsToJson(stats);
                entry["dancer"] = name;
                dancers.push_back(std::move(entry));
                continue;
            }
            std::cout << name << ": notes " << stats.notes << ", steps " << stats.steps
                      << ", jumps " << stats.jumps << ", dropped " << stats.droppedNotes
                      << ", double steps " << stats.doubleSteps << " (fast "
                      << stats.fastDoubleSteps << "), jacks " << stats.jacks << ", footswitches "
                      << stats.footswitches << ", crossovers " << stats.crossoversEntered
                      << ", crossed steps " << stats.crossedSteps << ", spins " << stats.spins
                      << ", travel " << std::fixed << std::setprecision(1) << stats.travel
                      << std::defaultfloat << "\n";
        }
    }
    if (request.json)
        std::cout << nlohmann::json{{"feet", request.feet}, {"dancers", dancers}}.dump() << "\n";
    return 0;
}

} // namespace zelvane::cli
