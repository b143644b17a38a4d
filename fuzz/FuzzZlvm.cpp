// Feeds arbitrary bytes to the document reader alone: it must fail with a core error or give
// records that write back and read again to the same charts. Loading into a document (which
// opens the song and model the file names) is left to the tests.

#include "chart/ZlvmFile.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    ZlvmDocumentData parsed;
    try {
        parsed = ReadZlvm({data, size});
    } catch (const CoreError&) {
        return 0;
    }
    const ZlvmDocumentData again = ReadZlvm(WriteZlvm(parsed));
    if (again.scores.size() != parsed.scores.size())
        std::abort();
    for (std::size_t i = 0; i < parsed.scores.size(); ++i)
        if (again.scores[i].notes.size() != parsed.scores[i].notes.size())
            std::abort();
    return 0;
}
