#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class Welldone : public Window {
public:
    explicit Welldone(App& app) : Window(app, QStringLiteral("Welldone")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
