#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "cli/OutputPath.h"
#include "cli/ProgressBar.h"
#include "text/Errors.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace zelvane::cli {
namespace {

void RequireModel(CStepDocument& document, const std::string& path)
{
    document.SetModel(path);
    if (!document.model().document)
        throw FileFormatError("cannot use the model \"" + path + "\": "
                              + (document.model().loadError.empty() ? "the file is missing"
                                                                    : document.model().loadError));
}

} // namespace

int RunMotion(const MotionRequest& request)
{
    RequireOutputApartFromInputs(request.output, {request.input, request.model});
    const Style style = ParseStyle(request.style);
    // Only the chosen chart is danced, once its model and options are set.
    // A model given here is the only one read: the document's may be missing or broken.
    CliChart chart(request.input, {request.verbose, request.model.empty()});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();

    if (!request.model.empty())
        RequireModel(document, request.model);
    if (document.model().document)
        WarnAboutMissingDanceBones(*document.model().document, document.model().path);
    // A document's own options stand unless a flag says otherwise.
    float panelSize = document.motionOptions().panelSize;
    if (request.panelSize) {
        if (!std::isfinite(*request.panelSize) || *request.panelSize <= 0.0f)
            throw InvalidArgumentError("the panel size must be a number above 0");
        panelSize = *request.panelSize;
    }
    document.SetMotionOptions({panelSize, request.noTwist ? false : document.motionOptions().twist,
                               request.allowTurn ? true : document.motionOptions().turnEnabled});
    document.SetDancing({document.dancing().dancesCharts, ParseFootAssignment(request.feet)});

    CScore& score = RequireScore(document, style, request.difficulty);
    const std::size_t players = score.players().size();
    if (request.player < 1 || static_cast<std::size_t>(request.player) > players)
        throw InvalidArgumentError(players == 1 ? "this chart has one dancer: --player must be 1"
                                                : "--player must be 1 or 2");
    document.SetDancing({true, document.dancing().feet});
    score.UpdateLength(0);

    CPlayer& player = *score.players()[static_cast<std::size_t>(request.player - 1)];
    const std::int32_t lastFrame = document.tempoMap().ClockToFrame(score.length());
    ProgressBar bar("dancing");
    while (player.progress() != CMotionGenerator::kProgressIdle) {
        bar.Show(std::max(0, player.progress()), lastFrame);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    bar.Show(lastFrame, lastFrame);
    player.WriteMotion(request.output, MotionModelName(document.model()));
    return 0;
}

} // namespace zelvane::cli
