#pragma once

#include "platform/picture.h"

#include <QString>
#include <vector>

namespace oravians {

// A picture's text as a reader takes it in: lines from top to bottom, the
// runs of one line from left to right. Runs that share a line are joined
// (with a space where the picture leaves a gap between them); lines end with
// a line break. Blank runs are left out.
QString readingText(std::vector<TextRun> runs);

} // namespace oravians
