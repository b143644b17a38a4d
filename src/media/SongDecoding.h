#pragma once

#include "media/AmplitudePyramid.h"
#include "media/AudioDecoder.h"
#include "text/Reason.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace zelvane {

// The rate and channel count the samples are wanted in.
struct SongFormat {
    int sampleRate = 0;
    int channels = 0;
};

// Picks the output format once the song's own rate and channel count are known.
using SongFormatChooser = std::function<SongFormat(int songRate, int songChannels)>;

// A song decoded once for everything that needs it: its exact length for the document and
// its samples for the player (and whatever else reads the samples later). The samples are
// shared and never change, so any thread may read them.
struct DecodedSong {
    bool decoded = false;
    std::int32_t durationMs = 0; // exact: from the number of decoded samples
    std::shared_ptr<const PcmAudio> pcm;
    // The samples' envelope for drawing: made while decoding, or by the decode job from `pcm`
    // when its decode did not.
    std::shared_ptr<const AmplitudePyramid> envelope;
    Reason failure; // why not, when `decoded` is false
};

// Decodes the song at `path` in the format `choose` picks, telling `progress` as it goes,
// and makes its envelope on the way.
// Never throws for a song that cannot be used: the failure comes back with its reason.
// Throws DecodeCancelled when `progress` returns false.
DecodedSong DecodeSong(const std::filesystem::path& path, const SongFormatChooser& choose,
                       const AudioDecoder::ProgressHandler& progress = {});

// The song's exact length alone, without converting or keeping its samples (`pcm` stays
// null): for a program without a player. Never throws.
DecodedSong MeasureSong(const std::filesystem::path& path);

// Why a song could not be used, for the exception being handled (call inside a catch). A
// failure without a reason of its own is a song that cannot be decoded.
Reason SongFailureReason(const std::filesystem::path& path);

// A duration in milliseconds as the document keeps it; an empty reason when it fits.
Reason SongTooLongReason(const std::filesystem::path& path, std::int64_t durationMs);

} // namespace zelvane
