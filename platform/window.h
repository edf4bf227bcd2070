#pragma once

#include "platform/control.h"
#include "platform/geometry.h"

#include <QString>
#include <vector>

namespace oravians {

class Desktop;

// One window: its own properties and its controls, in drawing order.
// Subclasses declare controls as members in design order and bind their
// handlers in the constructor; Form_Load runs when the window is first touched.
class Window {
public:
    Window(Desktop& desktop, QString name);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    Desktop& desktop() const { return desktop_; }
    const QString& name() const { return name_; }

    // Window properties (twips). Width and height are the outer size,
    // border and caption bar included.
    QString caption;
    Rgb back = kLightGrey;
    float left = 0, top = 0, width = 12000, height = 9000;
    bool borderless = false; // the full-screen backdrop
    float clientWidth() const { return borderless ? width : width - 2 * kBorderTwips; }
    float clientHeight() const { return borderless ? height : height - kCaptionTwips - 2 * kBorderTwips; }
    void setClientSize(float w, float h);

    // Drawing order, bottom first.
    const std::vector<Control*>& controls() const { return zorder_; }
    void bringToFront(Control& c);
    // The control with that name (and index), or null.
    Control* find(const QString& name, int index = -1) const;

    // The controls Tab visits, in order: first those whose design sets a
    // tabIndex, by that number, then the others in reading order (top to
    // bottom, then left to right; declaration order breaks ties). Only
    // focusable controls that are visible and enabled, inside visible,
    // enabled containers, take part.
    std::vector<Control*> tabOrder() const;
    // Whether a comes before b in that order (ties keep declaration order).
    static bool tabsBefore(const Control* a, const Control* b);

    // The reachable option buttons in the same container as c, in
    // declaration order: the group the arrow keys move in.
    std::vector<Control*> optionGroup(const Control& c) const;

    // Keyboard focus within this window (null: the window itself). A quiet
    // focus is the one a window gets by being shown; it shows only once the
    // keyboard is in use, so a pupil with a mouse sees nothing of it.
    Control* focus() const { return focus_; }
    void setFocus(Control* c, bool quiet = false);
    bool quietFocus() const { return quietFocus_; }

    // What Escape clicks: the design's cancel control if it can be reached,
    // or null when the window has no way back.
    virtual Control* cancelControl();

    // Unloads this window back to its design state; the next touch loads it afresh.
    void unload();

    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

    // Registration by Control and CtlArray; not for window code.
    void adopt(Control* c);
    void forget(Control* c);

private:
    Desktop& desktop_;
    QString name_;
    std::vector<Control*> zorder_;
    std::vector<Control*> declared_;
    Control* focus_ = nullptr;
    bool quietFocus_ = false;
};

} // namespace oravians
