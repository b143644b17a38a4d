#include "cli/ProgressBar.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace zelvane::cli {

ProgressBar::ProgressBar(std::string label)
    : m_label(std::move(label))
    , m_enabled(::isatty(STDERR_FILENO) != 0)
{
}

ProgressBar::~ProgressBar()
{
    if (m_enabled && m_lastPercent >= 0)
        std::fputc('\n', stderr);
}

void ProgressBar::Show(std::int64_t done, std::int64_t total)
{
    if (!m_enabled || total <= 0)
        return;
    const int percent = static_cast<int>(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", m_label.c_str(), filled,
                 "########################################", kWidth - filled, "", percent);
    std::fflush(stderr);
}

} // namespace zelvane::cli
