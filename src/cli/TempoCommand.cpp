#include "beat/SongTempo.h"
#include "cli/Commands.h"
#include "cli/ProgressBar.h"
#include "text/Errors.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>

namespace zelvane::cli {

namespace {

// As precise as a chart takes them: DWI and StepMania write tempos to the thousandth.
double Rounded(double value, double step)
{
    return std::round(value / step) * step;
}

} // namespace

int RunTempo(const std::string& song, bool json)
{
    std::optional<TempoEstimate> estimate;
    {
        ProgressBar bar("finding the beat");
        constexpr int kSteps = 1000;
        estimate = DetectSongTempo(song, [&](double fraction) {
            bar.Show(std::lround(fraction * kSteps), kSteps);
            return true;
        });
    }
    if (!estimate) {
        throw InvalidArgumentError("\"" + song
                                   + "\" has no beat to find: it is silent, too short or holds "
                                     "too few clear attacks");
    }
    const double bpm = Rounded(estimate->bpm, 0.001);
    const double offsetMs = Rounded(estimate->firstBeatMs, 0.1);
    const double confidence = Rounded(estimate->confidence, 0.01);
    if (json) {
        const nlohmann::json out
            = {{"bpm", bpm}, {"offsetMs", offsetMs}, {"confidence", confidence}};
        std::cout << out.dump() << "\n";
        return 0;
    }
    char text[160];
    std::snprintf(text, sizeof text, "bpm:        %.3f\noffsetMs:   %.1f\nconfidence: %.2f\n", bpm,
                  offsetMs, confidence);
    std::cout << text;
    return 0;
}

} // namespace zelvane::cli
