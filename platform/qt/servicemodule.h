#pragma once

#include <QLibrary>
#include <QString>

namespace oravians {

// The program's sound and printer live in modules of their own beside it
// ("modules/oravians-sound.so", "modules/oravians-printer.so"), loaded when
// first used, so that starting the program loads none of the sound server's,
// the decoders' or the print system's libraries.
//
// The factory a module exports, resolved from the module named `file` in the
// program's modules folder; null when the module cannot be loaded (written
// to the log once). The module stays loaded for the rest of the run.
QFunctionPointer loadServiceModule(const QString& file, const char* factory);

} // namespace oravians
