#include "platform/qt/services.h"

#include "platform/printer/qtprinter.h"
#include "platform/sound/pulsesound.h"

namespace oravians {

SystemServices::SystemServices(const QString& contentFolder, const QString& worksheetFolder)
    : SystemServices(contentFolder, worksheetFolder, std::make_unique<PulseSound>(contentFolder), makeSystemPrinter())
{
}

} // namespace oravians
