#pragma once

#include <stdexcept>
#include <string>

namespace zelvane {

// Every failure the core reports is one of these, so the programs can catch them at the
// command boundary and show one clear message.
class CoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
