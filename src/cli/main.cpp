// zelvane-cli: the program's main jobs without a display, for batch work and for tests.

#include "cli/Commands.h"
#include "cli/InterruptCleanup.h"
#include "cli/OutputPath.h"
#include "cli/Usage.h"

#include "ZelvaneVersion.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace {

// What the user typed wrong, the command's synopsis below it; a first word that is no
// command is named, with the commands there are.
int ReportUsageError(const CLI::App& app, const CLI::ParseError& error, int argc, char** argv)
{
    using namespace zelvane::cli;
    std::string command;
    for (const CLI::App* subcommand :
         app.get_subcommands([](const CLI::App* sub) { return sub->parsed(); }))
        command = subcommand->get_name();
    if (command.empty() && argc > 1 && argv[1][0] != '-')
        std::cerr << "zelvane-cli: unknown command \"" << argv[1]
                  << "\"; the commands are: " << CommandNames() << "\n";
    else
        std::cerr << "zelvane-cli: " << error.what() << "\n";
    std::cerr << Usage(command);
    return 2;
}

int Run(int argc, char** argv)
{
    using namespace zelvane::cli;
    RemoveTemporaryFilesOnInterrupt();
    CLI::App app{"Zelvane on the command line: step charts, documents and dance motions"};
    app.require_subcommand(1);
    const std::string described = *zelvane::kGitDescription == '\0'
        ? std::string()
        : std::string(" (") + zelvane::kGitDescription + ")";
    app.set_version_flag("--version", std::string("zelvane-cli ") + zelvane::kVersion + described,
                         "print the version and exit");
    static constexpr const char* kVerboseHelp
        = "also name the chart tags passed over that do not change the dance";

    std::string infoFile;
    bool infoJson = false;
    auto* info
        = app.add_subcommand("info", "Show what a file holds (.dwi .sm .ssc .zlvm .pmd .pmx .vmd)");
    info->add_option("FILE", infoFile, "the file")->required();
    info->add_flag("--json", infoJson, "print JSON");
    bool infoVerbose = false;
    info->add_flag("--verbose", infoVerbose, kVerboseHelp);

    std::string convertIn, convertOut;
    auto* convert = app.add_subcommand(
        "convert", "Convert a chart between .dwi, .sm, .ssc and .zlvm, by extension");
    convert->add_option("IN", convertIn, "a .dwi, .sm, .ssc or .zlvm file")->required();
    convert->add_option("OUT", convertOut, "a .dwi, .sm, .ssc or .zlvm file")
        ->required()
        ->check(OutputExtension({".dwi", ".sm", ".ssc", ".zlvm"}));
    bool convertVerbose = false;
    convert->add_flag("--verbose", convertVerbose, kVerboseHelp);

    MotionRequest motion;
    float panelSize = 0.0f;
    auto* motionCommand
        = app.add_subcommand("motion", "Write the dance of a chart as a VMD motion");
    motionCommand->add_option("IN", motion.input, "a .dwi, .sm, .ssc or .zlvm file")->required();
    motionCommand->add_option("--style", motion.style, "SINGLE, DOUBLE or COUPLE")->required();
    motionCommand->add_option("--difficulty", motion.difficulty, "BASIC, ANOTHER, ...")->required();
    motionCommand->add_option("--player", motion.player, "1, or 2 for COUPLE")
        ->check(CLI::Range(1, 2));
    motionCommand->add_option("--model", motion.model,
                              "a PMD or PMX model to measure the dance for");
    auto* panelOption
        = motionCommand->add_option("--panel-size", panelSize, "side of one pad in model units");
    motionCommand->add_flag("--no-twist", motion.noTwist, "keep the upper body straight");
    motionCommand->add_flag("--allow-turn", motion.allowTurn, "let the dancer turn around");
    motionCommand
        ->add_option("--feet", motion.feet, "greedy (note by note, the default) or optimal")
        ->check(CLI::IsMember({"greedy", "optimal"}));
    motionCommand->add_option("-o,--output", motion.output, "the .vmd file to write")
        ->required()
        ->check(OutputExtension({".vmd"}));
    motionCommand->add_flag("--verbose", motion.verbose, kVerboseHelp);

    StatsRequest stats;
    auto* statsCommand = app.add_subcommand("stats", "Count how the feet of a chart's dancers go");
    statsCommand->add_option("IN", stats.input, "a .dwi, .sm, .ssc or .zlvm file")->required();
    statsCommand->add_option("--style", stats.style, "SINGLE, DOUBLE or COUPLE (default: all)");
    statsCommand->add_option("--difficulty", stats.difficulty,
                             "BASIC, ANOTHER, ... (default: all)");
    statsCommand->add_option("--feet", stats.feet, "greedy (the default) or optimal")
        ->check(CLI::IsMember({"greedy", "optimal"}));
    statsCommand->add_flag("--json", stats.json, "print JSON");
    statsCommand->add_flag("--verbose", stats.verbose, kVerboseHelp);

    PoseRequest pose;
    auto* poseCommand = app.add_subcommand(
        "pose", "Print every bone's position of a model posed by a motion or a chart's dance");
    poseCommand->add_option("MODEL", pose.model, "a .pmd or .pmx file")->required();
    poseCommand->add_option("MOTION", pose.motion, "a .vmd file");
    poseCommand->add_option("--chart", pose.chart, "a .dwi, .sm, .ssc or .zlvm file to dance");
    poseCommand->add_option("--style", pose.style, "SINGLE, DOUBLE or COUPLE");
    poseCommand->add_option("--difficulty", pose.difficulty, "BASIC, ANOTHER, ...");
    poseCommand->add_option("--player", pose.player, "1, or 2 for COUPLE")->check(CLI::Range(1, 2));
    poseCommand->add_option("--frame", pose.frame, "the frame (1/30 s)")->required();
    poseCommand->add_flag("--json", pose.json, "print JSON");
    poseCommand->add_flag("--verbose", pose.verbose, kVerboseHelp);

    std::string tempoSong;
    bool tempoJson = false;
    auto* tempoCommand = app.add_subcommand(
        "tempo", "Find a song's tempo and first beat (the DWI gap) from its sound");
    tempoCommand->add_option("SONG", tempoSong, "an audio file (.mp3, .wav, .ogg, ...)")
        ->required();
    tempoCommand->add_flag("--json", tempoJson, "print JSON");

#ifdef ZELVANE_CLI_VIDEO
    AviRequest avi;
    bool listCodecs = false;
    auto* aviCommand
        = app.add_subcommand("avi", "Write the chart screen as a background AVI video");
    aviCommand->add_option("IN", avi.input, "a .dwi, .sm, .ssc or .zlvm file");
    aviCommand->add_option("--style", avi.style, "SINGLE, DOUBLE or COUPLE");
    aviCommand->add_option("--difficulty", avi.difficulty, "BASIC, ANOTHER, ...");
    aviCommand->add_option("--codec", avi.options.codec, "an encoder of --list-codecs")
        ->default_str("rawvideo");
    aviCommand->add_option("--quality", avi.options.quality, "0 (smallest) to 100 (best)")
        ->check(CLI::Range(0, 100));
    aviCommand
        ->add_option("--keyframes", avi.options.keyFrameInterval,
                     "a key frame at least every N frames")
        ->check(CLI::Range(1, 100000));
    aviCommand->add_option("--bitrate", avi.options.bitRateKbits, "data rate in kbit/s")
        ->check(CLI::Range(1, 1000000));
    aviCommand->add_option("--screen-color", avi.screenColor,
                           "screen colour RRGGBB (default: "
                           "the document's, black for DWI)");
    aviCommand->add_option("-o,--output", avi.output, "the .avi file to write")
        ->check(OutputExtension({".avi"}));
    aviCommand->add_flag("--list-codecs", listCodecs, "list the encoders this build offers");
    aviCommand->add_flag("--verbose", avi.verbose, kVerboseHelp);
#endif

    try {
        app.parse(argc, argv);
#ifdef ZELVANE_CLI_VIDEO
        if (aviCommand->parsed() && !listCodecs
            && (avi.input.empty() || avi.style.empty() || avi.difficulty.empty()
                || avi.output.empty()))
            throw CLI::ValidationError("avi", "IN, --style, --difficulty and -o are required");
#endif
    } catch (const CLI::ParseError& error) {
        // Help is a success; anything else the user typed wrong is a usage error.
        if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(error);
        return ReportUsageError(app, error, argc, argv);
    }

    try {
        if (info->parsed())
            return RunInfo(infoFile, infoJson, infoVerbose);
        if (convert->parsed())
            return RunConvert(convertIn, convertOut, convertVerbose);
        if (motionCommand->parsed()) {
            if (panelOption->count() > 0)
                motion.panelSize = panelSize;
            return RunMotion(motion);
        }
#ifdef ZELVANE_CLI_VIDEO
        if (aviCommand->parsed())
            return listCodecs ? RunListAviCodecs() : RunAvi(avi);
#endif
        if (statsCommand->parsed())
            return RunStats(stats);
        if (tempoCommand->parsed())
            return RunTempo(tempoSong, tempoJson);
        if (poseCommand->parsed()) {
            if (!pose.chart.empty() && (pose.style.empty() || pose.difficulty.empty()))
                throw std::invalid_argument("--chart needs --style and --difficulty");
            return RunPose(pose);
        }
    } catch (const std::exception& error) {
        std::cerr << "zelvane-cli: error: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Setting the commands up allocates too; whatever fails there or after is said in one
    // line rather than ending the program without a word.
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "zelvane-cli: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "zelvane-cli: an unexpected error\n";
    }
    return 1;
}
