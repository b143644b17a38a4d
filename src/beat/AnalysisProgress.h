#pragma once

#include <functional>
#include <stdexcept>

namespace zelvane {

// Told how far an analysis has come (0 to 1) now and then; returning false stops it, and the
// analysis then throws AnalysisCancelled from the thread it runs on.
using AnalysisProgress = std::function<bool(double fraction)>;

// The user stopped the analysis; nothing it would have found is kept.
class AnalysisCancelled : public std::runtime_error {
public:
    AnalysisCancelled()
        : std::runtime_error("the analysis was stopped")
    {
    }
};

// Passes `fraction` of the whole, scaled into [start, start + share], to `progress`.
inline void ReportProgress(const AnalysisProgress& progress, double start, double share,
                           double fraction)
{
    if (progress && !progress(start + share * fraction))
        throw AnalysisCancelled();
}

} // namespace zelvane
