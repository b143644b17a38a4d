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
    if (LowerExtension(output) == ".dwi")
        WriteDwi(document, output);
    else
        document.SaveDocument(output);
    return 0;
}

} // namespace zelvane::cli
