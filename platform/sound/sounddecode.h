#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace oravians {

// A sound file decoded to interleaved 16-bit samples.
struct DecodedSound {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
    double seconds() const { return rate && channels ? double(samples.size()) / channels / rate : 0; }
};

// Decodes any file libsndfile reads (wave files above all). Nothing for a
// missing, unreadable or implausible file (no sound, absurd rate or channel
// count, longer than ten minutes).
std::optional<DecodedSound> decodeSound(const QString& path);

} // namespace oravians
