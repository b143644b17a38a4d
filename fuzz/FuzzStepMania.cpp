// Feeds arbitrary bytes to the StepMania import as the contents of a chart file, an .sm when
// the first byte is even and an .ssc when it is odd. The document does not dance: the reader,
// the timing and the chart limits are what is fuzzed here.
#include "chart/StepDocument.h"
#include "stepmania/SmImport.h"
#include "text/Errors.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    if (size == 0)
        return 0;
    // A folder that does not exist, so #MUSIC values resolve to nothing on this machine.
    const std::filesystem::path path = data[0] % 2 == 0 ? "/nonexistent-zelvane-fuzz/chart.sm"
                                                        : "/nonexistent-zelvane-fuzz/chart.ssc";
    CStepDocument document;
    document.SetDancing({.dancesCharts = false});
    try {
        CSmImport import(document, path, std::span(data + 1, size - 1));
        if (import.warnings().listed.size() > SmWarnings::kMaxListed)
            std::abort();
        import.Apply();
    } catch (const FileFormatError&) {
        return 0; // no StepMania file, or a chart beyond the chart limits, is refused whole
    }
    if (document.scores().empty())
        std::abort();
    return 0;
}
