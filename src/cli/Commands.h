#pragma once

#include "media/AviCodecs.h"
#include "motion/MotionInput.h"

#include <optional>
#include <string>

namespace zelvane::cli {

// Each command returns the exit status; bad input throws CoreError with one clear line.

// `verbose`: warn about every tag of a DWI passed over, also those that do not change the
// dance.
int RunInfo(const std::string& file, bool json, bool verbose);
int RunConvert(const std::string& input, const std::string& output, bool verbose);

struct MotionRequest {
    std::string input;
    std::string style;
    std::string difficulty;
    int player = 1;
    std::string model;
    std::optional<float> panelSize;
    bool noTwist = false;
    bool allowTurn = false;
    std::string feet = "greedy";
    std::string output;
    bool verbose = false;
};
int RunMotion(const MotionRequest& request);

// "greedy" or "optimal"; InvalidArgumentError for anything else.
FootAssignment ParseFootAssignment(const std::string& text);

struct StatsRequest {
    std::string input;
    std::string style;      // empty: every style
    std::string difficulty; // empty: every difficulty
    std::string feet = "greedy";
    bool json = false;
    bool verbose = false;
};
// How the feet of every dancer of the chosen charts go: steps, double steps, crossovers...
int RunStats(const StatsRequest& request);

struct PoseRequest {
    std::string model;
    std::string motion; // a .vmd, or empty when posing from a chart
    std::string chart;
    std::string style;
    std::string difficulty;
    int player = 1;
    int frame = 0;
    bool json = false;
    bool verbose = false;
};
int RunPose(const PoseRequest& request);

struct AviRequest {
    std::string input;
    std::string style;
    std::string difficulty;
    std::string screenColor; // RRGGBB, or empty for the document's
    AviWriterOptions options;
    std::string output;
    bool verbose = false;
};
int RunAvi(const AviRequest& request);
int RunListAviCodecs();

// The tempo and the first beat (the DWI gap) of a song file, found from its sound.
int RunTempo(const std::string& song, bool json);

} // namespace zelvane::cli
