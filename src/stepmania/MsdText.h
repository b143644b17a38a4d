#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane::stepmania {

// One `#TAG:value:value...;` of a StepMania file. The tag is the first parameter, as written.
struct MsdValue {
    std::vector<std::string> parameters;
    std::size_t line = 0; // where its '#' stands, from 1

    const std::string& tag() const { return parameters.front(); }
    // The parameter after the tag at `index` (0 is the first value), or empty.
    std::string_view parameter(std::size_t index) const;
};

// Splits the text of a .sm or .ssc file into its values as StepMania reads them: text
// outside a value is passed over; ':' separates parameters and ';' ends the value; "//"
// comments run to the line's end and are dropped, inside a value too; '\' takes the next
// character as it is. A value that lacks its ';' ends where a line starts with '#' (after
// blanks) or where the text does, its trailing blanks dropped.
std::vector<MsdValue> ParseMsd(std::string_view text);

// The words of StepMania files are ASCII: tags, steps types and difficulties compare in
// either case, and blanks around a value do not count.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

} // namespace zelvane::stepmania
