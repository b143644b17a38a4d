#pragma once

#include <cstdint>
#include <string>

namespace zelvane {

// A referenced file (song, model) that cannot be used, as the user is asked about it.
struct MissingFileRequest {
    std::string message;      // what went wrong, ready to show
    std::string path;         // the path that failed
    std::uint32_t filterId;   // string-table ID of the file-type filter for browsing
    std::string directoryKey; // remembered-directory setting for browsing, may be empty
};

struct MissingFileAnswer {
    enum class Action {
        Retry,  // try `path` instead (the user browsed to a file)
        Ignore, // go on without the file and forget its path
        Keep,   // go on without the file but keep the path (a batch run, another machine)
    };
    Action action = Action::Keep;
    std::string path;
};

struct ColorSettings {
    std::uint32_t background = 0xFFFFFF; // 0x00BBGGRR
    std::uint32_t screen = 0;
};

// What the document needs from the program around it: the user's answers and settings.
// The defaults suit a program without a user interface.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    virtual MissingFileAnswer AnswerMissingFile(const MissingFileRequest&) { return {}; }
    virtual ColorSettings ReadColorSettings() { return {}; }
    // Long work on the user's behalf (joining workers, loading a model) is bracketed by these.
    virtual void BeginWait() { }
    virtual void EndWait() { }
    // Whatever song plays must stop (a new song is attached, the document is emptied).
    // Asked whether or not one plays: the program knows, the document does not.
    virtual void StopPlayback() { }
    // The document was emptied, before it is filled anew (a new or read document): the views
    // start over, at its top and zoomed out.
    virtual void DocumentCleared() { }
};

// Keeps the host's wait cursor up for as long as it lives, however the work ends.
class WaitGuard {
public:
    explicit WaitGuard(IDocumentHost& host)
        : m_host(host)
    {
        m_host.BeginWait();
    }
    ~WaitGuard() { m_host.EndWait(); }
    WaitGuard(const WaitGuard&) = delete;
    WaitGuard& operator=(const WaitGuard&) = delete;

private:
    IDocumentHost& m_host;
};

} // namespace zelvane
