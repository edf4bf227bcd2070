#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class quellmore : public Window {
public:
    explicit quellmore(App& app) : Window(app, QStringLiteral("quellmore")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
