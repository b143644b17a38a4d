// Feeds arbitrary bytes to both clipboard readers, as they come from another program
// through the system clipboard: they must fail with a core error or give no more notes than
// the bytes hold. Whether the notes fit the chart is the paste command's to say.
#include "chart/ClipboardFormat.h"
#include "chart/NoteRecord.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void RequireWithin(const std::vector<zelvane::CNote>& notes, std::size_t size)
{
    if (notes.size() > size / zelvane::kNoteRecordSize)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zelvane;
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        RequireWithin(ReadNoteList(bytes), size);
    } catch (const CoreError&) {
    }
    try {
        // Pasted at a row further on, as the editor does.
        RequireWithin(ReadClockRange(bytes, 192).notes, size);
    } catch (const CoreError&) {
    }
    return 0;
}
