#pragma once

// The shared test model and a short greeting motion made for it, which the model benchmarks
// pose; a benchmark without them says so instead of measuring nothing.
#include <benchmark/benchmark.h>
#include <filesystem>

namespace zelvane::bench {

inline const std::filesystem::path kSharedData(ZELVANE_SHARED_TESTDATA);
inline const std::filesystem::path kModelPath = kSharedData / "models/mei/mei.pmd";
inline const std::filesystem::path kMotionPath = kSharedData / "motions/mei_greeting.vmd";

inline bool HaveSharedFiles(benchmark::State& state)
{
    if (std::filesystem::exists(kModelPath) && std::filesystem::exists(kMotionPath))
        return true;
    state.SkipWithError("the shared test model or motion is missing");
    return false;
}

} // namespace zelvane::bench
