#pragma once

#include "platform/desktop.h"

#include <QRectF>
#include <optional>
#include <vector>

namespace oravians {

// What an event changed on screen, found by comparing how the visible
// windows and their controls look with how they looked at the last call.
// It lets the host repaint a dragged label's old and new place instead of
// the whole desktop after every pointer move.
class ScreenChanges {
public:
    struct Area {
        const Window* window;
        QRectF clientTwips; // in the window's client area, a margin for strokes added
    };
    // The areas that changed since the last call, or nothing for "everything":
    // the first call, and whenever windows came, went, moved or restacked.
    std::optional<std::vector<Area>> since(const Desktop& desktop);

private:
    struct Look {
        const Control* control;
        ControlProps props;
        const Picture* picture;
        const Control* parent;
        int cursor, anchor;
        bool focused;
        QRectF area;
    };
    struct WindowLook {
        const Window* window;
        QString caption;
        Rgb back;
        QRectF frame;
        bool active;
        std::vector<Look> controls;
    };
    static std::vector<WindowLook> look(const Desktop& desktop);

    std::optional<std::vector<WindowLook>> last_;
};

} // namespace oravians
