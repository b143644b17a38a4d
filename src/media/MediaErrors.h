#pragma once

#include "text/Errors.h"

namespace zelvane {

// FFmpeg refused to encode or mux: an encoder that would not start with the chosen settings,
// a frame it rejected. The reason says what failed; FFmpeg's own words follow it in English
// only.
class MediaError : public CoreError {
public:
    using CoreError::CoreError;
};

// The video file could not be created at all (a missing or read-only folder, a read-only
// file in the way). The desktop program answers this one with its own message, so it has a
// type of its own; it is a file-system failure like any other for everyone else.
class AviCreateError : public FileIoError {
public:
    using FileIoError::FileIoError;
    // The file system's refusal, with its reason and text, as this kind.
    explicit AviCreateError(const FileIoError& refusal)
        : FileIoError(refusal)
    {
    }
};

} // namespace zelvane
