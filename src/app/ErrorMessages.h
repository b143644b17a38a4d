#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace zelvane {

// What the desktop program says about a failure, all of it in Japanese: a message chosen by
// the kind of failure, and the failure's reason for a detail line of its own (empty when the
// failure carries no reason the program can say).
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
