#include "platform/sound/sounddecode.h"

#include <QFile>
#include <sndfile.h>

namespace oravians {

std::optional<DecodedSound> decodeSound(const QString& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!f)
        return std::nullopt;
    DecodedSound d;
    d.rate = info.samplerate;
    d.channels = info.channels;
    const bool plausible = info.frames > 0 && info.channels >= 1 && info.channels <= 8 && info.samplerate >= 4000 &&
                           info.samplerate <= 192000 && info.frames <= sf_count_t(info.samplerate) * 600;
    if (plausible) {
        d.samples.resize(size_t(info.frames) * size_t(info.channels));
        const sf_count_t got = sf_readf_short(f, d.samples.data(), info.frames);
        d.samples.resize(size_t(got > 0 ? got : 0) * size_t(info.channels));
    }
    sf_close(f);
    if (d.samples.empty())
        return std::nullopt;
    return d;
}

} // namespace oravians
