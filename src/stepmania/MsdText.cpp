#include "stepmania/MsdText.h"

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

std::string_view MsdValue::parameter(std::size_t index) const
{
    return index + 1 < parameters.size() ? std::string_view(parameters[index + 1])
                                         : std::string_view();
}

std::vector<MsdValue> ParseMsd(std::string_view text)
{
    std::vector<MsdValue> values;
    bool inValue = false;
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i + 1 < text.size() && text[i + 1] != '\n')
                ++i;
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
        if (c == '#' && StartsLine(text, i)) {
            // The value before lacked its ';': it ends here, and this '#' starts the next.
            DropTrailingBlanks(parameters.back());
            values.push_back({{std::string()}, line});
        } else if (c == ':') {
            parameters.emplace_back();
        } else if (c == ';') {
            inValue = false;
        } else if (c == '\\' && i + 1 < text.size()) {
            ++i;
            if (text[i] == '\n')
                ++line;
            parameters.back() += text[i];
        } else {
            parameters.back() += c;
        }
    }
    if (inValue)
        DropTrailingBlanks(values.back().parameters.back());
    return values;
}

} // namespace zelvane::stepmania
