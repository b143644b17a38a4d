#include "cli/CliChart.h"

#include "cli/DocumentLoading.h"

namespace zelvane::cli {

CliChart::CliChart(const std::filesystem::path& path, const Options& options)
    : m_path(path)
    , m_options(options)
    , m_document(&m_host, &m_audio)
{
    m_document.SetDancesCharts(false);
    m_diagnostics = LoadChart(m_document, path, options.withDocumentModel);
}

void CliChart::WarnAboutReadErrors() const
{
    PrintReadErrors(m_path, m_diagnostics, m_options.verbose);
}

} // namespace zelvane::cli
