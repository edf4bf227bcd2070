#pragma once

#include "kernel/app.h"

namespace oravians {

// The page a page window holds: both versions' files as the program names
// them, and whether each could be loaded, so that a missing page is named
// to the teacher instead of showing blank or being blamed on the printer.
struct HeldPage {
    QString screenFile, printFile;
    PictureFault screenFault = PictureFault::None;
    PictureFault printFault = PictureFault::None;

    // Puts the screen version into screenImage and the print version into
    // printImage; a file that fails leaves its picture empty.
    static HeldPage load(App& app, Control& screenImage, Control& printImage, const QString& screenFile,
                         const QString& printFile);
};

// "The page wmf2\guide3.wmf could not be found." or "... could not be read.";
// empty when there is no fault.
QString pageProblem(const QString& file, PictureFault fault);

} // namespace oravians
