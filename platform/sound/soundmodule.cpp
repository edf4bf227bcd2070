// The sound component as a module the program loads with its first sound.
#include "platform/sound/pulsesound.h"

extern "C" Q_DECL_EXPORT oravians::SoundPlayer* oravians_create_sound(const QString& contentFolder)
{
    return new oravians::PulseSound(contentFolder);
}
