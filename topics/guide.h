#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class guide : public Window {
public:
    explicit guide(App& app) : Window(app, QStringLiteral("guide")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
