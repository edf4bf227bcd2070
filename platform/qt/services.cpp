#include "platform/qt/services.h"

#include "platform/pictures/rasterpicture.h"

namespace oravians {

SystemServices::SystemServices(const QString& contentFolder, const QString& worksheetFolder,
                               std::unique_ptr<SoundPlayer> sound, std::unique_ptr<Printer> printer)
    : sound(std::move(sound)), printer(std::move(printer)), files(contentFolder, worksheetFolder)
{
    pictures = std::make_unique<ContentPictures>(contentFolder);
}

SystemServices::~SystemServices() = default;

Services SystemServices::services()
{
    return Services{sound.get(), printer.get(), &messages, &screen, &timers, pictures.get(), &random, &measure,
                    &clipboard, &files, &fileDialogs};
}

} // namespace oravians
