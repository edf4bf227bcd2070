#pragma once

#include "platform/clockrandom.h"
#include "platform/contentfiles.h"
#include "platform/desktop.h"
#include "platform/fontmeasure.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtfiledialogs.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtscreen.h"
#include "platform/qt/qttimers.h"

#include <memory>

namespace oravians {

// The real services a running program uses: sound through the sound server,
// the system's default printer, pictures and files from the content folder
// (teachers' worksheets from worksheetFolder when one is given).
struct SystemServices {
    // Sound and printer built in (tools and tests).
    explicit SystemServices(const QString& contentFolder, const QString& worksheetFolder = {});
    // Sound and printer as given: the program's load their modules when first
    // used (builtinservices.cpp holds the constructor above, so a program that
    // uses only this one links neither).
    SystemServices(const QString& contentFolder, const QString& worksheetFolder, std::unique_ptr<SoundPlayer> sound,
                   std::unique_ptr<Printer> printer);
    ~SystemServices();
    Services services();

    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<Printer> printer;
    std::unique_ptr<PictureLoader> pictures;
    QtMessages messages;
    QtScreen screen;
    QtTimers timers;
    ClockRandom random;
    FontMeasure measure;
    QtClipboard clipboard;
    QtFileDialogs fileDialogs;
    ContentFiles files;
};

} // namespace oravians
