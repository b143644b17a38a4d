// Feeds arbitrary bytes to the DWI import as the contents of a chart file, then writes the
// document back out and reads that again: what the writer makes of any import must read
// back without a single error.
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "dwi/DwiWriter.h"
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
    // The reader and the writer are what is fuzzed here, not the dance.
    document.SetDancesCharts(false);
    DwiImportResult first;
    try {
        first = ImportDwiBytes(document, path, std::span(data, size));
    } catch (const FileFormatError&) {
        return 0; // a chart beyond the chart limits is refused whole
    }
    if (!first.imported || document.scores().empty())
        std::abort();

    const std::vector<std::uint8_t> written = DwiBytes(document, path);
    CStepDocument again;
    again.SetDancesCharts(false);
    DwiImportResult second;
    try {
        second = ImportDwiBytes(again, path, written);
    } catch (const FileFormatError&) {
        // The tempo is written with three decimals: a chart that ends right at the limit may
        // pass it at the rounded tempo.
        return 0;
    }
    // A tempo below 0.0005 prints as 0.000 with the three decimals the format keeps.
    if (document.bpm() >= 0.0005f && !second.errors.empty())
        std::abort();
    if (again.scores().size() != document.scores().size())
        std::abort();
    return 0;
}
