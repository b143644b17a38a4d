#include "avi/BackgroundVideoExport.h"
#include "chart/BackgroundVideo.h"
#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "cli/OutputPath.h"
#include "cli/ProgressBar.h"
#include "media/AviCodecs.h"
#include "text/Errors.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace zelvane::cli {
namespace {

// "RRGGBB" as people write colours, to the 0x00BBGGRR the document keeps.
std::uint32_t ParseScreenColor(const std::string& text)
{
    const bool hex = text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
                         return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                     });
    if (!hex)
        throw InvalidArgumentError("--screen-color wants six hexadecimal digits RRGGBB, not \""
                                   + text + "\"");
    const auto rgb = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

void RequireCodec(const std::string& name)
{
    const std::vector<AviCodec> codecs = AvailableAviCodecs();
    if (std::any_of(codecs.begin(), codecs.end(),
                    [&name](const AviCodec& codec) { return codec.name == name; }))
        return;
    std::string names;
    for (const AviCodec& codec : codecs)
        names += (names.empty() ? "" : ", ") + codec.name;
    throw InvalidArgumentError("unknown codec \"" + name + "\"; available: " + names);
}

} // namespace

int RunListAviCodecs()
{
    for (const AviCodec& codec : AvailableAviCodecs())
        std::cout << codec.name << "\t" << codec.label << "\n";
    return 0;
}

int RunAvi(const AviRequest& request)
{
    RequireOutputApartFromInputs(request.output, {request.input});
    RequireCodec(request.options.codec);
    const Style style = ParseStyle(request.style);
    CliChart chart(request.input, {request.verbose, true});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();
    CScore& score = RequireScore(document, style, request.difficulty);
    // A chart whose notes all lie at clock 0 has no length but is not empty: its video runs
    // from the song's start to the frame after clock 0.
    if (score.notes().empty())
        throw InvalidArgumentError("the " + request.style + " " + request.difficulty
                                   + " chart is empty: there is nothing to show");
    if (!request.screenColor.empty())
        document.SetColors({document.colors().background, ParseScreenColor(request.screenColor)});

    ProgressBar bar("writing video");
    const VideoFrameRange range = BackgroundVideoFrames(score);
    WriteBackgroundVideo(score, range, request.output, request.options,
                         [&bar](std::int64_t written, std::int64_t total) {
                             bar.Show(written, total);
                             return true;
                         });
    bar.Show(range.count(), range.count());
    return 0;
}

} // namespace zelvane::cli
