#pragma once

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

class Reason;

// An errno value given to a reason: each language says it in its own words.
struct SystemError {
    int code = 0;
};

// One value of a reason's fields: a text that reads the same in every language (a path, a
// name, a number), an errno, or another reason that says what lay beneath.
class ReasonArgument {
public:
    enum class Kind : std::uint8_t { Text, SystemError, Reason };

    ReasonArgument(std::string text);
    ReasonArgument(const char* text);
    ReasonArgument(const std::filesystem::path& path);
    template<std::integral Number>
    ReasonArgument(Number number)
        : m_text(std::to_string(number))
    {
    }
    ReasonArgument(SystemError error);
    ReasonArgument(const Reason& nested);

    Kind kind() const { return m_kind; }
    const std::string& text() const { return m_text; }
    int systemError() const { return m_systemError; }
    const Reason& nested() const { return *m_nested; }

private:
    Kind m_kind = Kind::Text;
    std::string m_text;
    int m_systemError = 0;
    std::shared_ptr<const Reason> m_nested;
};

// Why something failed, in a form every language of the program can say: a string-table
// entry of the reasons' block and the values of its fields. The Japanese text is the table's
// entry, the English one its twin in ReasonTexts.cpp; both take the same fields in the same
// order, so a failure names its reason once and each program says it in its own language.
//
// `foreignDetail` holds words of a library (FFmpeg's) or of an exception the program does not
// know. Only English, the language they are written in, shows them, after a colon; the other
// languages leave them out rather than mix two languages in one sentence.
class Reason {
public:
    Reason() = default;
    Reason(std::uint32_t id, std::initializer_list<ReasonArgument> arguments = {},
           std::string foreignDetail = {});

    // 0 for no reason at all.
    std::uint32_t id() const { return m_id; }
    bool empty() const { return m_id == 0; }
    const std::vector<ReasonArgument>& arguments() const { return m_arguments; }
    const std::string& foreignDetail() const { return m_foreignDetail; }

private:
    std::uint32_t m_id = 0;
    std::vector<ReasonArgument> m_arguments;
    std::string m_foreignDetail;
};

// The reason in English (the command-line tool's words), with strerror's text for an errno.
std::string EnglishText(const Reason& reason);
// The reason in Japanese (the desktop program's words), from the string table.
std::string JapaneseText(const Reason& reason);

} // namespace zelvane
