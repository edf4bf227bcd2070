#pragma once

#include "platform/services.h"

namespace oravians {

// Draws seeded from the clock on every draw, as the score window always did
// before choosing its sound.
class ClockRandom : public Randomness {
public:
    double draw() override;
};

} // namespace oravians
