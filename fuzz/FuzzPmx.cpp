// Feeds arbitrary bytes to the PMX reader: it must read them or refuse them with a file-format
// or invalid-argument error, and never read out of bounds or allocate for counts the data
// cannot hold.
#include "model/PmxReader.h"
#include "text/Errors.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        (void)zelvane::ReadPmxFile(std::span(data, size));
    } catch (const zelvane::FileFormatError&) {
    } catch (const zelvane::InvalidArgumentError&) {
    }
    return 0;
}
