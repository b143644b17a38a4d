#pragma once

#include <cstdint>
#include <string>

namespace zelvane::cli {

// A one-line bar on standard error while long work runs; silent when standard error is not
// a terminal, so logs and pipes stay clean.
class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar();
    void Show(std::int64_t done, std::int64_t total);

private:
    std::string m_label;
    bool m_enabled;
    int m_lastPercent = -1;
};

} // namespace zelvane::cli
