#pragma once

#include <string>
#include <vector>

namespace zelvane {

// One video encoder the background AVI can be written with.
struct AviCodec {
    std::string name;  // FFmpeg's encoder name, the value of AviWriterOptions::codec
    std::string label; // what a chooser shows, in English ("Ut Video (lossless)")
    bool lossless = false;
    bool supportsQuality = false; // AviWriterOptions::quality has an effect
    bool supportsBitRate = false; // AviWriterOptions::bitRateKbits has an effect
};

// The encoders this FFmpeg build offers for AVI: uncompressed BGR24 first (always there),
// then the lossless ones, then the lossy ones.
std::vector<AviCodec> AvailableAviCodecs();

// How the frames are compressed. Settings an encoder has no use for are ignored (a quality
// for a lossless encoder, a data rate for one that cannot aim at one).
struct AviWriterOptions {
    std::string codec = "rawvideo";
    int quality = -1;         // 0 (smallest) to 100 (best); -1 leaves the encoder's default
    int keyFrameInterval = 0; // a key frame at least every this many frames; 0: the default
    int bitRateKbits = 0;     // the data rate to aim at, in kilobits per second; 0: none
};

} // namespace zelvane
