#include "platform/qt/modulesound.h"

#include "platform/qt/servicemodule.h"

namespace oravians {

ModuleSound::ModuleSound(QString contentFolder) : contentFolder_(std::move(contentFolder)) {}

ModuleSound::~ModuleSound() = default;

void ModuleSound::play(const QString& relativePath)
{
    if (!tried_) {
        tried_ = true;
        using Create = SoundPlayer* (*)(const QString&);
        if (const auto create = reinterpret_cast<Create>(loadServiceModule(QStringLiteral("oravians-sound.so"),
                                                                           "oravians_create_sound")))
            sound_.reset(create(contentFolder_));
    }
    if (sound_)
        sound_->play(relativePath);
}

} // namespace oravians
