#pragma once

#include "platform/window.h"
#include "kernel/app.h"

namespace oravians {

// The sound component: one play operation, nothing read back.
class SndDevil {
public:
    explicit SndDevil(App& app) : app_(app) {}
    void play(const QString& relativePath) { app_.sound().play(relativePath); }

private:
    App& app_;
};

// The full-screen backdrop every other window stands on.
class Grey : public Window {
public:
    explicit Grey(App& app) : Window(app, QStringLiteral("Grey")), SndDevil1(app) { borderless = true; }

    SndDevil SndDevil1;

    void Form_Load() override
    {
        back = Rgb{48, 133, 214};
        left = 0;
        top = 0;
        width = desktop().screen().widthTwips();
        height = desktop().screen().heightTwips();
    }
};

} // namespace oravians
