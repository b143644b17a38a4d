#pragma once

#include "chart/StepDocument.h"
#include "cli/CliAudioMeasurer.h"
#include "cli/CliHost.h"
#include "cli/DocumentLoading.h"

#include <filesystem>
#include <string>

namespace zelvane::cli {

// A chart read from a .dwi, .sm, .ssc or .zlvm file for one command: the document with the tool's
// answers for the user and the measurer of its song. It is read with dancing off; a command
// that dances turns it on for the chart it wants. A song or model the document names that
// is missing or cannot be read is warned about on standard error. Throws CoreError with a
// clear message.
class CliChart {
public:
    struct Options {
        bool verbose = false;          // warn about every tag passed over
        bool withDocumentModel = true; // false when the command is given a model of its own
    };
    CliChart(const std::filesystem::path& path, const Options& options);

    CStepDocument& document() { return m_document; }
    // What the chart reader could not take; nothing for documents.
    const ChartReadWarnings& diagnostics() const { return m_diagnostics; }
    // The diagnostics on standard error, as the options say.
    void WarnAboutReadErrors() const;

private:
    std::filesystem::path m_path;
    Options m_options;
    CliHost m_host;
    CliAudioMeasurer m_audio;
    CStepDocument m_document;
    ChartReadWarnings m_diagnostics;
};

} // namespace zelvane::cli
