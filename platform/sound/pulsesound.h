#pragma once

#include "platform/services.h"

#include <memory>
#include <thread>

namespace oravians {

// The sound component over the sound server's asynchronous API. play() hands
// the request to one worker thread (started by the first play()) and returns
// at once; the worker resolves the path, decodes the file (cached) and feeds
// it to one playback stream that runs without a break while connected:
// between sounds it carries silence. A stream that never starts, stops or
// flushes gives the server no reason to rewind or re-buffer, and those are
// what cut the first milliseconds off a sound. A missing file, a file it
// cannot decode, or no sound server at all is silent; an unplayable file is
// written to the log.
class PulseSound : public SoundPlayer {
public:
    struct Options {
        // After a failed connection, clicks within this time stay silent
        // rather than each paying for a new attempt.
        int retryAfterFailureMs = 5000;
        // An idle connection is closed after this long, so the server can
        // put the sound card to sleep.
        int closeWhenIdleMs = 10000;
    };

    // Sounds are found below contentFolder.
    explicit PulseSound(QString contentFolder);
    PulseSound(QString contentFolder, Options options);
    ~PulseSound() override;

    // A new request while a sound is playing stops that sound and plays the
    // new one from its first sample: clicks must answer the hand, not queue
    // up behind a three-second fanfare. What the server already holds of the
    // old sound (well under a tenth of a second) still plays.
    void play(const QString& relativePath) override;

    // For tools and tests: waits until nothing is queued or playing.
    bool waitUntilIdle(int timeoutMs);
    // Connection attempts so far, and sounds played through to their end.
    int connectionAttempts() const;
    int soundsCompleted() const;

    struct Shared;

private:
    QString root_;
    std::shared_ptr<Shared> d_;
    std::thread worker_;
};

} // namespace oravians
