#pragma once

// Font names as designs and metafiles give them, mapped to installed
// families: one mapping for the screen, pages and paper alike.

#include <QString>
#include <QStringList>

namespace oravians {

// The family actually installed for a font name that pages and design tables
// use: Tahoma comes from Wine's fonts (the host registers them at start), the
// Windows core fonts from the metric-compatible Liberation families.
QString installedFamily(const QString& requested);

// Families tried, in order, for letters the installed family lacks (a
// pupil's name in Chinese or Arabic), in the same style as the requested
// font: serif fallbacks for Times New Roman, sans-serif for the rest. Fonts
// that are not installed are skipped; the system's own fallback comes last.
QStringList fallbackFamilies(const QString& requested);

// Registers Wine's Tahoma (regular and bold) with the application's font
// database, if the files are there. Safe to call more than once.
void registerBundledFonts();

// Adds the Tahoma-compatible fonts shipped beside the program (or the
// system's copy) to the application's font database.
void addProgramFonts(const QString& contentFolder);
// The same, whether or not they were added before: after the database has
// been emptied of application fonts.
void addProgramFontsAgain(const QString& contentFolder);

} // namespace oravians
