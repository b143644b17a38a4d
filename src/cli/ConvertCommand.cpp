#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "cli/OutputPath.h"
#include "dwi/DwiWriter.h"
#include "text/Errors.h"

#include <iostream>

namespace zelvane::cli {

int RunConvert(const std::string& input, const std::string& output, bool verbose)
{
    RequireOutputApartFromInputs(output, {input});
    CliChart chart(input, {verbose, true});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();
    // The command line lets only .dwi and .zlvm through.
    if (LowerExtension(output) == ".dwi") {
        const DwiExportOmissions omissions = WriteDwi(document, output);
        // Written all the same, so the command succeeds; the user learns what is missing.
        if (!omissions.empty())
            std::cerr << "zelvane-cli: warning: " << output
                      << ": a DWI file cannot hold warps or delays at clock 0; left out: "
                      << omissions.warps << (omissions.warps == 1 ? " warp, " : " warps, ")
                      << omissions.startDelays
                      << (omissions.startDelays == 1 ? " delay" : " delays")
                      << " at clock 0 (every note is written)\n";
    } else {
        document.SaveDocument(output);
    }
    return 0;
}

} // namespace zelvane::cli
