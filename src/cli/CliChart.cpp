#include "cli/CliChart.h"

#include "cli/DocumentLoading.h"

namespace zelvane::cli {

CliChart::CliChart(const std::filesystem::path& path)
    : m_path(path)
    , m_document(&m_host, &m_audio)
{
    m_document.SetDancesCharts(false);
    m_readErrors = LoadChart(m_document, path);
}

void CliChart::WarnAboutReadErrors() const
{
    if (!m_readErrors.empty())
        PrintReadErrors(m_path, m_readErrors);
}

} // namespace zelvane::cli
