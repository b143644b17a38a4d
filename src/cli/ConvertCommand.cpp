#include "chart/StepDocument.h"
#include "cli/CliHost.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "dwi/DwiWriter.h"
#include "media/FfmpegAudioMeasurer.h"
#include "text/Errors.h"

#include <iostream>

namespace zelvane::cli {

int RunConvert(const std::string& input, const std::string& output)
{
    const std::string to = LowerExtension(output);
    if (to != ".dwi" && to != ".zlvm")
        throw InvalidArgumentError("cannot write \"" + output + "\": expected .dwi or .zlvm");
    CliHost host;
    FfmpegAudioMeasurer audio;
    CStepDocument document(&host, &audio);
    // Read to be shown, converted or filmed: nobody dances.
    document.SetDancesCharts(false);
    const std::string errors = LoadChart(document, input);
    if (!errors.empty())
        PrintReadErrors(input, errors);
    if (to == ".dwi")
        WriteDwi(document, output);
    else
        document.SaveDocument(output);
    return 0;
}

} // namespace zelvane::cli
