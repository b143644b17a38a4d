// Feeds arbitrary bytes to the DWI import as the contents of a chart file. The document does
// not dance: the reader and the chart limits are what is fuzzed here.
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "text/Errors.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    // A folder that does not exist, so FILE values resolve to nothing on this machine.
    const std::filesystem::path path = "/nonexistent-zelvane-fuzz/chart.dwi";
    CStepDocument document;
    document.SetDancing({.dancesCharts = false});
    DwiDiagnostics diagnostics;
    try {
        diagnostics = ImportDwiBytes(document, path, std::span(data, size));
    } catch (const FileFormatError&) {
        return 0; // a chart beyond the chart limits is refused whole
    }
    if (document.scores().empty() || diagnostics.listed.size() > DwiDiagnostics::kMaxListed)
        std::abort();
    return 0;
}
