// Feeds arbitrary bytes to the DWI import as the contents of a chart file, then writes the
// document back out and reads that again: what the writer makes of any import must read
// back without a single error.
#include "chart/StepDocument.h"
#include "dwi/DwiImport.h"
#include "dwi/DwiWriter.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    // A folder that does not exist, so FILE values resolve to nothing on this machine.
    const std::filesystem::path path = "/nonexistent-zelvane-fuzz/chart.dwi";
    CStepDocument document;
    const DwiImportResult first = ImportDwiBytes(document, path, std::span(data, size));
    if (!first.imported || document.scores().empty())
        std::abort();

    const std::vector<std::uint8_t> written = DwiBytes(document, path);
    CStepDocument again;
    const DwiImportResult second = ImportDwiBytes(again, path, written);
    // A tempo below 0.0005 prints as 0.000 with the three decimals the format keeps.
    if (document.bpm() >= 0.0005f && !second.errors.empty())
        std::abort();
    if (again.scores().size() != document.scores().size())
        std::abort();
    return 0;
}
