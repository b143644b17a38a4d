#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "dwi/DwiWriter.h"
#include "text/Errors.h"

#include <iostream>

namespace zelvane::cli {

int RunConvert(const std::string& input, const std::string& output, bool verbose)
{
    const std::string to = LowerExtension(output);
    if (to != ".dwi" && to != ".zlvm")
        throw InvalidArgumentError("cannot write \"" + output + "\": expected .dwi or .zlvm");
    CliChart chart(input, {verbose, true});
    chart.WarnAboutReadErrors();
    CStepDocument& document = chart.document();
    if (to == ".dwi")
        WriteDwi(document, output);
    else
        document.SaveDocument(output);
    return 0;
}

} // namespace zelvane::cli
