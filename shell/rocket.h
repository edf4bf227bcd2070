#pragma once

#include <QString>

namespace oravians {

// The rocket animation's frame file: frames 1-9 are "rocket01" … "rocket09".
inline QString rocketFile(int frame)
{
    return (frame < 10 ? QStringLiteral("rocketsm\\rocket0") : QStringLiteral("rocketsm\\rocket"))
        + QString::number(frame) + QStringLiteral(".jpg");
}

// Advances the shared frame counter: 1 … 20, then 1 again.
inline int nextRocketFrame(int frame) { return frame + 1 == 21 ? 1 : frame + 1; }

} // namespace oravians
