#pragma once

#include "chart/StepDocument.h"
#include "cli/CliHost.h"
#include "media/FfmpegAudioMeasurer.h"

#include <filesystem>
#include <string>

namespace zelvane::cli {

// A chart read from a .dwi or .zlvm file for one command: the document with the tool's
// answers for the user and the measurer of its song. It is read with dancing off; a command
// that dances turns it on for the chart it wants. Throws CoreError with a clear message.
class CliChart {
public:
    explicit CliChart(const std::filesystem::path& path);

    CStepDocument& document() { return m_document; }
    // The DWI reader's error list; empty for documents.
    const std::string& readErrors() const { return m_readErrors; }
    // The error list on standard error, when there is one.
    void WarnAboutReadErrors() const;

private:
    std::filesystem::path m_path;
    CliHost m_host;
    FfmpegAudioMeasurer m_audio;
    CStepDocument m_document;
    std::string m_readErrors;
};

} // namespace zelvane::cli
