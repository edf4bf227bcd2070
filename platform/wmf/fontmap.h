#pragma once

#include <QString>

namespace oravians {

// The family actually installed for a font name that pages and design tables
// use: Tahoma comes from Wine's fonts (the host registers them at start), the
// Windows core fonts from the metric-compatible Liberation families.
QString installedFamily(const QString& requested);

// Registers Wine's Tahoma (regular and bold) with the application's font
// database, if the files are there. Safe to call more than once.
void registerBundledFonts();

} // namespace oravians
