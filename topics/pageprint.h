#pragma once

#include "shell/app.h"

namespace oravians {

// Prints the picture a page viewer holds for paper, its corner at
// (1000, 1000) twips and at its own size, on the default printer. Any
// failure, including a page whose picture could not be loaded, ends in the
// program's printing message box instead of a half-made job. Returns
// whether the page was sent.
bool printPagePicture(App& app, const Control& printPicture);

} // namespace oravians
