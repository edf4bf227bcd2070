#include "platform/qt/services.h"

#include "platform/pictures/rasterpicture.h"
#include "platform/printer/qtprinter.h"
#include "platform/sound/pulsesound.h"

namespace oravians {

SystemServices::SystemServices(const QString& contentFolder, const QString& worksheetFolder)
    : files(contentFolder, worksheetFolder)
{
    sound = std::make_unique<PulseSound>(contentFolder);
    printer = makeSystemPrinter();
    pictures = std::make_unique<ContentPictures>(contentFolder);
}

SystemServices::~SystemServices() = default;

Services SystemServices::services()
{
    return Services{sound.get(), printer.get(), &messages, &screen, &timers, pictures.get(), &random, &measure,
                    &clipboard, &files, &fileDialogs};
}

} // namespace oravians
