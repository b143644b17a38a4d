// Feeds arbitrary bytes to the document reader and loads whatever it accepts.

#include "chart/StepDocument.h"
#include "chart/ZlvmFile.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const zelvane::ZlvmDocumentData parsed = zelvane::ReadZlvm({data, size});
        zelvane::CStepDocument document;
        // The reader and the document are what is fuzzed here, not the dance.
        document.SetDancesCharts(false);
        document.Load(parsed);
        // What was read must write back and read again to the same scores.
        const auto bytes = zelvane::WriteZlvm(zelvane::CaptureZlvm(document));
        zelvane::ReadZlvm(bytes);
    } catch (const zelvane::CoreError&) {
    }
    return 0;
}
