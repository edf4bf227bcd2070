#include "platform/clockrandom.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace oravians {

double ClockRandom::draw()
{
    std::mt19937 gen(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(gen);
}

} // namespace oravians
