#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace zelvane {

// What the desktop program says about a failure: a Japanese message chosen by what failed,
// and the failure's own technical text (English, from the core or FFmpeg) for a detail line
// of its own. The user reads the message; the detail is there for a report.
struct ErrorText {
    QString message;
    QString detail;
};

// The string-table ID of the message for this kind of failure.
std::uint32_t ErrorMessageId(const std::exception& error);

ErrorText DescribeError(const std::exception& error);
// For a failure carried over from another thread; an empty pointer describes nothing.
ErrorText DescribeError(const std::exception_ptr& error);

} // namespace zelvane
