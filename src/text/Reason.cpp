#include "text/Reason.h"

#include "text/ReasonTexts.h"
#include "text/StringTable.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace zelvane {
namespace {

enum class Language { English, Japanese };

struct SystemErrorText {
    int code;
    std::uint32_t id;
};

constexpr SystemErrorText kSystemErrors[] = {
    {ENOENT, IDS_SYSTEM_ERROR_ENOENT},
    {EACCES, IDS_SYSTEM_ERROR_EACCES},
    {EPERM, IDS_SYSTEM_ERROR_EPERM},
    {ENOSPC, IDS_SYSTEM_ERROR_ENOSPC},
    {EDQUOT, IDS_SYSTEM_ERROR_EDQUOT},
    {EROFS, IDS_SYSTEM_ERROR_EROFS},
    {EISDIR, IDS_SYSTEM_ERROR_EISDIR},
    {ENOTDIR, IDS_SYSTEM_ERROR_ENOTDIR},
    {EEXIST, IDS_SYSTEM_ERROR_EEXIST},
    {EIO, IDS_SYSTEM_ERROR_EIO},
    {EMFILE, IDS_SYSTEM_ERROR_EMFILE},
    {ENFILE, IDS_SYSTEM_ERROR_ENFILE},
    {ENAMETOOLONG, IDS_SYSTEM_ERROR_ENAMETOOLONG},
    {ELOOP, IDS_SYSTEM_ERROR_ELOOP},
    {EFBIG, IDS_SYSTEM_ERROR_EFBIG},
    {EBUSY, IDS_SYSTEM_ERROR_EBUSY},
    {ENOMEM, IDS_SYSTEM_ERROR_ENOMEM},
};

std::string SystemErrorInJapanese(int code)
{
    for (const SystemErrorText& known : kSystemErrors) {
        if (known.code == code)
            return std::string(LoadString(known.id));
    }
    // An error the table does not know is given by its number: strerror's English would
    // be the only foreign words in the sentence.
    const std::string number = std::to_string(code);
    return FormatString(IDS_SYSTEM_ERROR_OTHER, {number});
}

std::string Say(const Reason& reason, Language language);

std::string SayArgument(const ReasonArgument& argument, Language language)
{
    switch (argument.kind()) {
    case ReasonArgument::Kind::SystemError:
        return language == Language::English ? std::string(std::strerror(argument.systemError()))
                                             : SystemErrorInJapanese(argument.systemError());
    case ReasonArgument::Kind::Reason:
        return Say(argument.nested(), language);
    case ReasonArgument::Kind::Text:
        break;
    }
    return argument.text();
}

std::string Say(const Reason& reason, Language language)
{
    std::vector<std::string> values;
    values.reserve(reason.arguments().size());
    for (const ReasonArgument& argument : reason.arguments())
        values.push_back(SayArgument(argument, language));
    const std::vector<std::string_view> fields(values.begin(), values.end());
    if (language == Language::Japanese)
        return FormatText(LoadString(reason.id()), fields);
    std::string text = FormatText(EnglishReasonFormat(reason.id()), fields);
    if (!reason.foreignDetail().empty())
        text += ": " + reason.foreignDetail();
    return text;
}

} // namespace

ReasonArgument::ReasonArgument(std::string text)
    : m_text(std::move(text))
{
}

ReasonArgument::ReasonArgument(const char* text)
    : m_text(text)
{
}

ReasonArgument::ReasonArgument(const std::filesystem::path& path)
    : m_text(path.string())
{
}

ReasonArgument::ReasonArgument(SystemError error)
    : m_kind(Kind::SystemError)
    , m_systemError(error.code)
{
}

ReasonArgument::ReasonArgument(const Reason& nested)
    : m_kind(Kind::Reason)
    , m_nested(std::make_shared<const Reason>(nested))
{
}

Reason::Reason(std::uint32_t id, std::initializer_list<ReasonArgument> arguments,
               std::string foreignDetail)
    : m_id(id)
    , m_arguments(arguments)
    , m_foreignDetail(std::move(foreignDetail))
{
}

std::string EnglishText(const Reason& reason)
{
    return Say(reason, Language::English);
}

std::string JapaneseText(const Reason& reason)
{
    return Say(reason, Language::Japanese);
}

} // namespace zelvane
