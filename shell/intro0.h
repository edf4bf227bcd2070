#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class intro0 : public Window {
public:
    explicit intro0(App& app) : Window(app, QStringLiteral("intro0")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
