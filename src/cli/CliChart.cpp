#include "cli/CliChart.h"

#include "cli/DocumentLoading.h"

#include <iostream>

namespace zelvane::cli {

CliChart::CliChart(const std::filesystem::path& path, const Options& options)
    : m_path(path)
    , m_options(options)
    , m_document({&m_host, &m_audio})
{
    m_document.SetDancing({false, m_document.dancing().feet});
    m_diagnostics = LoadChart(m_document, path, options.withDocumentModel);
    // A model that is there but cannot be read is no reason to stop: the chart does without
    // it, as it does without a missing one.
    if (!m_document.model().loadError.empty())
        std::cerr << "zelvane-cli: warning: cannot use the model \"" << m_document.model().path
                  << "\": " << m_document.model().loadError << "; going on without it\n";
}

void CliChart::WarnAboutReadErrors() const
{
    PrintReadErrors(m_path, m_diagnostics, m_options.verbose);
}

} // namespace zelvane::cli
