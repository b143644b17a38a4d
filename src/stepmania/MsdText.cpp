#include "stepmania/MsdText.h"

#include <array>

namespace zelvane::stepmania {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether only blanks stand between the start of the line and `position`.
bool StartsLine(std::string_view text, std::size_t position)
{
    for (std::size_t i = position; i > 0; --i) {
        const char c = text[i - 1];
        if (c == '\n')
            return true;
        if (!IsBlank(c))
            return false;
    }
    return true;
}

void DropTrailingBlanks(std::string& text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
}

} // namespace

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view MsdValue::parameter(std::size_t index) const
{
    return index + 1 < parameters.size() ? std::string_view(parameters[index + 1])
                                         : std::string_view();
}

std::vector<MsdValue> ParseMsd(std::string_view text)
{
    // The characters that may mean something; the runs between them are copied whole, so a
    // chart of megabytes costs a few passes over its bytes.
    static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (const unsigned char c : std::string_view(":;\\/#\n"))
            special[c] = true;
        return special;
    }();
    std::vector<MsdValue> values;
    bool inValue = false;
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t run = i;
        while (run < text.size() && !kSpecial[static_cast<unsigned char>(text[run])])
            ++run;
        if (inValue)
            values.back().parameters.back().append(text.substr(i, run - i));
        if (run == text.size())
            break;
        i = run;
        const char c = text[i++];
        if (c == '/' && i < text.size() && text[i] == '/') {
            const std::size_t end = text.find('\n', i);
            i = end == std::string_view::npos ? text.size() : end;
            continue;
        }
        if (c == '\n')
            ++line;
        if (!inValue) {
            if (c == '#') {
                values.push_back({{std::string()}, line});
                inValue = true;
            }
            continue;
        }
        std::vector<std::string>& parameters = values.back().parameters;
        if (c == '#' && StartsLine(text, i - 1)) {
            // The value before lacked its ';': it ends here, and this '#' starts the next.
            DropTrailingBlanks(parameters.back());
            values.push_back({{std::string()}, line});
        } else if (c == ':') {
            parameters.emplace_back();
        } else if (c == ';') {
            inValue = false;
        } else if (c == '\\' && i < text.size()) {
            if (text[i] == '\n')
                ++line;
            parameters.back() += text[i++];
        } else {
            parameters.back() += c;
        }
    }
    if (inValue)
        DropTrailingBlanks(values.back().parameters.back());
    return values;
}

} // namespace zelvane::stepmania
