#pragma once

#include "text/Reason.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace zelvane {

// Every failure the core reports is one of these, so the programs can catch them at the
// command boundary and show one clear message. Raised with a reason, what() is the reason in
// English and reason() lets the desktop program say it in Japanese; raised with a bare
// English text, there is no reason to translate and the desktop says only what kind of
// failure it was.
class CoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit CoreError(const Reason& reason)
        : std::runtime_error(EnglishText(reason))
        , m_reason(std::make_shared<const Reason>(reason))
    {
    }

    // Null when the error was raised with English text only.
    const Reason* reason() const noexcept { return m_reason.get(); }

private:
    // Shared, so copying the exception cannot throw.
    std::shared_ptr<const Reason> m_reason;
};

// The bytes do not follow the expected layout (wrong magic or version, impossible value).
class FileFormatError : public CoreError {
public:
    using CoreError::CoreError;
};

// The data ended before a field was complete.
class EndOfFileError : public FileFormatError {
public:
    using FileFormatError::FileFormatError;
};

// An index or value out of range: the operation ends, nothing is changed.
class InvalidArgumentError : public CoreError {
public:
    using CoreError::CoreError;
};

// An edit or a document would take a chart beyond its limits (at most two hours at its
// tempo, no negative clocks or lengths). Refused whole: nothing is changed.
class ChartLimitError : public InvalidArgumentError {
public:
    using InvalidArgumentError::InvalidArgumentError;
};

// The file system refused: a file could not be opened, read, written or renamed.
class FileIoError : public CoreError {
public:
    using CoreError::CoreError;
};

// Work on another thread failed (the dance of a chart); the message says why.
class WorkerFailedError : public CoreError {
public:
    using CoreError::CoreError;
};

} // namespace zelvane
