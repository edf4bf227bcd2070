#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// Not built yet.
class teacher : public Window {
public:
    explicit teacher(App& app) : Window(app, QStringLiteral("teacher")), app(app) {}
    App& app;
    void Form_Load() override { setupform(*this); }
};

} // namespace oravians
