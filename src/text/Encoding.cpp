#include "text/Encoding.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace zelvane {
namespace {

// What to write for input that cannot be converted, and how much of it to skip.
enum class BadInput { ReplaceByte, ReplaceUtf16Unit, ReplaceUtf8Character };

// iconv descriptors carry state and are not safe to share between threads, so each thread
// keeps its own, opened on first use.
iconv_t Descriptor(const char* to, const char* from)
{
    struct Cache {
        std::map<std::pair<std::string, std::string>, iconv_t> descriptors;
        ~Cache()
        {
            for (auto& [key, cd] : descriptors)
                iconv_close(cd);
        }
    };
    thread_local Cache cache;
    auto key = std::make_pair(std::string(to), std::string(from));
    auto it = cache.descriptors.find(key);
    if (it == cache.descriptors.end()) {
        iconv_t cd = iconv_open(to, from);
        // iconv_open's documented failure value is (iconv_t)-1.
        if (cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
            throw CoreError(Reason(IDS_REASON_NO_TEXT_CONVERSION, {from, to}));
        it = cache.descriptors.emplace(key, cd).first;
    }
    iconv(it->second, nullptr, nullptr, nullptr, nullptr); // reset the shift state
    return it->second;
}

std::size_t Utf8SequenceLength(std::uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

std::vector<std::uint8_t> Convert(const char* to, const char* from,
                                  std::span<const std::uint8_t> input,
                                  std::span<const std::uint8_t> replacement, BadInput policy)
{
    iconv_t cd = Descriptor(to, from);
    std::vector<std::uint8_t> output(input.size() * 2 + 16);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(output.data() + used);
        std::size_t outLeft = output.size() - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        used = output.size() - outLeft;
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
        } else if (errno == EILSEQ) {
            output.resize(std::max(output.size(), used + replacement.size() + 16));
            std::copy(replacement.begin(), replacement.end(), output.begin() + used);
            used += replacement.size();
            std::size_t skip = 1;
            if (policy == BadInput::ReplaceUtf16Unit)
                skip = 2;
            else if (policy == BadInput::ReplaceUtf8Character)
                skip = Utf8SequenceLength(static_cast<std::uint8_t>(*in));
            skip = std::min(inLeft, skip);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            // EINVAL: the input ends inside a character; keep what came before it.
            break;
        }
    }
    output.resize(used);
    return output;
}

constexpr std::uint8_t kUtf8Replacement[] = {0xEF, 0xBF, 0xBD};
constexpr std::uint8_t kUtf16Replacement[] = {0xFD, 0xFF};
constexpr std::uint8_t kQuestionMark[] = {'?'};

std::string ToString(std::vector<std::uint8_t> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes)
{
    // Model files hold thousands of short names. Those made only of characters that stand
    // alone in UTF-16 are encoded here directly, which is many times faster than a trip
    // through iconv; anything else (surrogates, a byte order mark, the non-characters at
    // the end of the plane, an odd byte) goes to iconv, which says how such text reads.
    std::string utf8;
    if (bytes.size() % 2 == 0) {
        utf8.reserve(bytes.size() + bytes.size() / 2);
        bool plain = true;
        for (std::size_t i = 0; plain && i < bytes.size(); i += 2) {
            const unsigned unit = bytes[i] | static_cast<unsigned>(bytes[i + 1]) << 8;
            if (unit < 0x80) {
                utf8.push_back(static_cast<char>(unit));
            } else if (unit < 0x800) {
                utf8.push_back(static_cast<char>(0xC0 | unit >> 6));
                utf8.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
            } else if ((unit >= 0xD800 && unit < 0xE000) || unit == 0xFEFF || unit >= 0xFFFE) {
                plain = false;
            } else {
                utf8.push_back(static_cast<char>(0xE0 | unit >> 12));
                utf8.push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
                utf8.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
            }
        }
        if (plain)
            return utf8;
    }
    return ToString(
        Convert("UTF-8", "UTF-16LE", bytes, kUtf8Replacement, BadInput::ReplaceUtf16Unit));
}

std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view utf8)
{
    return Convert("UTF-16LE", "UTF-8", AsBytes(utf8), kUtf16Replacement, BadInput::ReplaceByte);
}

std::string Cp932ToUtf8(std::span<const std::uint8_t> bytes)
{
    return ToString(Convert("UTF-8", "CP932", bytes, kUtf8Replacement, BadInput::ReplaceByte));
}

std::vector<std::uint8_t> Utf8ToCp932(std::string_view utf8)
{
    return Convert("CP932", "UTF-8", AsBytes(utf8), kQuestionMark, BadInput::ReplaceUtf8Character);
}

std::string Cp932FieldToUtf8(std::span<const std::uint8_t> field)
{
    std::size_t end = 0;
    while (end < field.size() && field[end] != 0)
        ++end;
    return Cp932ToUtf8(field.first(end));
}

bool IsValidUtf8(std::span<const std::uint8_t> bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (bytes[i + k] & 0x3F);
        }
        static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < kSmallest[length] || codePoint > 0x10FFFF
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string Utf8OrCp932ToUtf8(std::span<const std::uint8_t> bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes.begin(), bytes.end());
    return Cp932ToUtf8(bytes);
}

} // namespace zelvane
