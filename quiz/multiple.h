#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class multiple : public Window {
public:
    explicit multiple(App& app) : Window(app, QStringLiteral("multiple")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
