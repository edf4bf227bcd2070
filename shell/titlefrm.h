#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class Titlefrm : public Window {
public:
    explicit Titlefrm(App& app) : Window(app, QStringLiteral("Titlefrm")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
