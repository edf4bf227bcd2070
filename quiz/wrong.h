#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class Wrong : public Window {
public:
    explicit Wrong(App& app) : Window(app, QStringLiteral("Wrong")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
