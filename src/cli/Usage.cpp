#include "cli/Usage.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zelvane::cli {
namespace {

struct Synopsis {
    std::string_view command;
    std::string_view text; // what follows "zelvane-cli "
};

constexpr std::string_view kIndent = "                   ";

constexpr std::array kSynopses = {
    Synopsis{"info", "info FILE [--json] [--verbose]"},
    Synopsis{"convert", "convert IN OUT [--verbose]   (.dwi .sm .ssc .zlvm, by extension)"},
    Synopsis{"motion",
             "motion IN --style S --difficulty D [--player 1|2] [--model MODEL]\n"
             "[--panel-size X] [--no-twist] [--allow-turn] [--feet greedy|optimal]\n"
             "[--verbose] -o OUT.vmd"},
    Synopsis{"stats",
             "stats IN [--style S] [--difficulty D] [--feet greedy|optimal] [--json]\n"
             "[--verbose]"},
    Synopsis{"pose",
             "pose MODEL (MOTION.vmd | --chart FILE --style S --difficulty D\n"
             "[--player 1|2]) --frame F [--json] [--verbose]"},
    Synopsis{"tempo", "tempo SONG [--json]"},
#ifdef ZELVANE_CLI_VIDEO
    Synopsis{"avi",
             "avi IN --style S --difficulty D [--codec NAME] [--quality 0-100]\n"
             "[--keyframes N] [--bitrate KBITS] [--screen-color RRGGBB] [--verbose]\n"
             "-o OUT.avi\n"
             "avi --list-codecs"},
#endif
};

// A line that starts with the command begins a synopsis ("avi --list-codecs" is one of its
// own); the others continue the one before, indented under it.
std::string Format(const Synopsis& synopsis)
{
    const std::string start = std::string(synopsis.command) + " ";
    std::string out;
    std::string_view rest = synopsis.text;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        out += line.starts_with(start) ? "usage: zelvane-cli " : kIndent;
        out += line;
        out += '\n';
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return out;
}

} // namespace

std::string CommandNames()
{
    std::string names;
    for (const Synopsis& synopsis : kSynopses)
        names += (names.empty() ? "" : ", ") + std::string(synopsis.command);
    return names;
}

std::string Usage(const std::string& command)
{
    std::string all;
    for (const Synopsis& synopsis : kSynopses) {
        if (synopsis.command == command)
            return Format(synopsis);
        all += Format(synopsis);
    }
    return all;
}

} // namespace zelvane::cli
