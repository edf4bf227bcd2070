#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class inventions : public Window {
public:
    explicit inventions(App& app) : Window(app, QStringLiteral("inventions")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
