#include "beat/SongTempo.h"

#include "media/AudioDecoder.h"

#include <vector>

namespace zelvane {

namespace {

// The drums' attacks and the bass are all below this rate's limit of 11 kHz, and half the
// usual rate halves the work.
constexpr int kAnalysisRate = 22050;
constexpr double kDecodeShare = 0.3; // of the progress, reported when the decode is done

} // namespace

std::optional<TempoEstimate> DetectSongTempo(const std::filesystem::path& path,
                                             const AnalysisProgress& progress)
{
    ReportProgress(progress, 0.0, kDecodeShare, 0.0);
    std::vector<float> samples;
    {
        AudioDecoder decoder(path);
        const PcmAudio pcm = decoder.DecodePcm(kAnalysisRate, 1);
        samples.reserve(pcm.samples.size());
        for (const std::int16_t sample : pcm.samples)
            samples.push_back(static_cast<float>(sample) / 32768.0f);
    }
    ReportProgress(progress, 0.0, kDecodeShare, 1.0);
    return DetectTempo(samples, kAnalysisRate, [&](double fraction) {
        return !progress || progress(kDecodeShare + (1.0 - kDecodeShare) * fraction);
    });
}

} // namespace zelvane
