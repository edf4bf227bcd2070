#pragma once

#include "platform/services.h"

#include <memory>

namespace oravians {

// The sound component from its module (see servicemodule.h), loaded with the
// first sound. Without the module every sound is silent.
class ModuleSound : public SoundPlayer {
public:
    explicit ModuleSound(QString contentFolder);
    ~ModuleSound() override;
    void play(const QString& relativePath) override;

private:
    QString contentFolder_;
    bool tried_ = false;
    std::unique_ptr<SoundPlayer> sound_;
};

} // namespace oravians
