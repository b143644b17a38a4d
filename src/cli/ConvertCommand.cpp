#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "cli/OutputPath.h"
#include "dwi/DwiWriter.h"
#include "stepmania/SmWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <iostream>

namespace zelvane::cli {

int RunConvert(const std::string& input, const std::string& output, bool verbose)
{
    RequireOutputApartFromInputs(output, {input});
    CliChart chart(input, {verbose, true});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();
    // The command line lets only charts through.
    const std::string extension = LowerExtension(output);
    if (extension == ".sm" || extension == ".ssc") {
        const SmWritten written = WriteSmText(document, output);
        WriteFileAtomically(output, AsBytes(written.text));
        for (const Reason& reason : written.leftOut)
            std::cerr << "zelvane-cli: warning: " << output << ": " << EnglishText(reason) << "\n";
    } else if (extension == ".dwi") {
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
