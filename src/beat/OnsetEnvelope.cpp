#include "beat/OnsetEnvelope.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/tx.h>
}

namespace zelvane {

namespace {

constexpr double kHopSeconds = 0.005;    // the envelope's frame spacing
constexpr double kWindowSeconds = 0.046; // long enough to tell a bass drum from a bass line
constexpr double kLowBandHz = 200.0;     // the top of the band that carries the bass drum
// The magnitudes are compressed as log(1 + gain * magnitude): loud and soft attacks then
// count alike, while a floor of faint noise (a magnitude well below 1 / gain) hardly counts.
constexpr float kCompressionGain = 1.0f;
// Half the span of the local average taken off the flux: longer than the gap between the
// attacks of a beat, shorter than a phrase.
constexpr double kLocalMeanHalfSeconds = 0.25;
// Where in its window a frame's flux is timed, as a fraction of the window from its end: the
// log-compressed flux of a sharp attack peaks when the attack is about this far into the
// window (measured on single clicks and drum hits).
constexpr double kAttackDepthInWindow = 0.25;

struct AvFree {
    void operator()(void* pointer) const { av_free(pointer); }
};

template<typename T> std::unique_ptr<T[], AvFree> AlignedArray(std::size_t count)
{
    auto* memory = static_cast<T*>(av_malloc(count * sizeof(T)));
    if (!memory)
        throw std::bad_alloc();
    return std::unique_ptr<T[], AvFree>(memory);
}

// FFmpeg's real-input FFT of one fixed size.
class RealFft {
public:
    explicit RealFft(int size)
    {
        const float scale = 1.0f;
        if (av_tx_init(&m_context, &m_transform, AV_TX_FLOAT_RDFT, 0, size, &scale, 0) < 0)
            throw std::bad_alloc();
    }
    ~RealFft() { av_tx_uninit(&m_context); }
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    // `output` holds size / 2 + 1 complex values (re, im); `input` may be overwritten.
    void Run(float* input, float* output) { m_transform(m_context, output, input, sizeof(float)); }

private:
    AVTXContext* m_context = nullptr;
    av_tx_fn m_transform = nullptr;
};

int WindowSize(int sampleRate)
{
    const double wanted = kWindowSeconds * sampleRate;
    int size = 256;
    while (size * 1.5 < wanted)
        size *= 2;
    return size;
}

// Takes off each value the average of the values within `half` frames of it, keeping only
// what rises above.
void RemoveLocalMean(std::vector<float>& values, std::size_t half)
{
    const std::size_t count = values.size();
    std::vector<double> sums(count + 1, 0.0);
    for (std::size_t i = 0; i < count; ++i)
        sums[i + 1] = sums[i] + values[i];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t from = i > half ? i - half : 0;
        const std::size_t to = std::min(count, i + half + 1);
        const double mean = (sums[to] - sums[from]) / static_cast<double>(to - from);
        values[i] = std::max(0.0f, static_cast<float>(values[i] - mean));
    }
}

} // namespace

OnsetEnvelope ComputeOnsetEnvelope(std::span<const float> samples, int sampleRate,
                                   const AnalysisProgress& progress)
{
    const int windowSize = WindowSize(sampleRate);
    const int hop = std::max(1, static_cast<int>(std::lround(kHopSeconds * sampleRate)));
    const int bins = windowSize / 2 + 1;
    const int lowBins
        = std::clamp(static_cast<int>(kLowBandHz * windowSize / sampleRate) + 1, 2, bins);

    OnsetEnvelope envelope;
    envelope.framesPerSecond = static_cast<double>(sampleRate) / hop;
    envelope.frameZeroSeconds = -kAttackDepthInWindow * windowSize / sampleRate;

    // Frame n is the window of samples that ends at sample n * hop.
    const std::size_t length = samples.size();
    const std::size_t frames = (length + windowSize) / hop + 1;
    envelope.full.assign(frames, 0.0f);
    envelope.low.assign(frames, 0.0f);

    std::vector<float> window(windowSize);
    for (int i = 0; i < windowSize; ++i)
        window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * (i + 0.5) / windowSize));

    RealFft fft(windowSize);
    auto input = AlignedArray<float>(windowSize);
    auto spectrum = AlignedArray<float>(2 * bins);
    // The transform leaves the imaginary part of the top bin (always 0) unwritten.
    std::fill(spectrum.get(), spectrum.get() + 2 * bins, 0.0f);
    std::vector<float> previous(bins, 0.0f);
    std::vector<float> current(bins, 0.0f);
    constexpr std::size_t kFramesPerReport = 2048;

    for (std::size_t frame = 0; frame < frames; ++frame) {
        if (frame % kFramesPerReport == 0)
            ReportProgress(progress, 0.0, 1.0, static_cast<double>(frame) / frames);
        const auto end = static_cast<std::int64_t>(frame) * hop;
        const std::int64_t start = end - windowSize;
        for (int i = 0; i < windowSize; ++i) {
            const std::int64_t at = start + i;
            input[i] = at >= 0 && at < static_cast<std::int64_t>(length)
                ? samples[static_cast<std::size_t>(at)] * window[i]
                : 0.0f;
        }
        fft.Run(input.get(), spectrum.get());
        float full = 0.0f;
        float low = 0.0f;
        for (int bin = 0; bin < bins; ++bin) {
            const float re = spectrum[2 * bin];
            const float im = spectrum[2 * bin + 1];
            current[bin] = std::log1p(kCompressionGain * std::sqrt(re * re + im * im));
            const float rise = std::max(0.0f, current[bin] - previous[bin]);
            full += rise;
            if (bin < lowBins)
                low += rise;
        }
        // Per frequency, so that the two bands compare.
        envelope.full[frame] = full / static_cast<float>(bins);
        envelope.low[frame] = low / static_cast<float>(lowBins);
        std::swap(previous, current);
    }

    const auto half = static_cast<std::size_t>(kLocalMeanHalfSeconds * envelope.framesPerSecond);
    RemoveLocalMean(envelope.full, half);
    RemoveLocalMean(envelope.low, half);
    ReportProgress(progress, 0.0, 1.0, 1.0);
    return envelope;
}

} // namespace zelvane
