#pragma once

#include "platform/geometry.h"
#include "platform/picture.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace oravians {

class Window;

enum class Kind { Label, Image, PictureBox, Frame, OptionButton, CheckBox, TextBox, CommandButton, Line, Timer };

// Everything a control of any kind can carry, as plain data. A window
// declares its controls with designated initializers in the order of its
// design table; fields must be named in the order they are declared here.
struct ControlProps {
    Kind kind = Kind::Label;
    QString name;
    int index = -1; // element index inside a control array; -1 for a single control
    QString caption; // labels, frames, options, tick boxes, buttons; a text box's text
    float left = 0, top = 0, width = 0, height = 0; // twips, relative to the container
    Rgb fore = kBlack;
    Rgb back = kLightGrey;
    bool opaque = true;  // back colour shows; false lets what lies beneath show through
    bool border = false; // single-line border
    Align align = Align::Left;
    FontSpec font{};
    bool visible = true;
    bool enabled = true;
    bool stretch = false;   // images: stretch the picture to the control
    int maxLength = 0;      // text boxes: 0 = no typing limit
    int interval = 0;       // timers: milliseconds
    float x2 = 0, y2 = 0;   // lines: the end point (left, top is the start)
    int lineWidth = 1;      // lines: pixels
    int value = 0;          // options: 1 = selected; tick boxes: 0 clear, 1 ticked
    QString container;      // name of the frame or picture box it sits in; empty = the window
    int tabIndex = -1;      // place in the Tab order; -1 = after those that set one, in declaration order
    bool takesTab = false;  // focused, it receives Tab as a KeyPress (9) instead of passing the focus on
    bool tabStop = false;   // labels: take the keyboard focus and a place in the Tab order, as buttons do
    QString spokenName;     // what a screen reader calls it while it has no caption
    bool cancel = false;    // the window's way back: Escape clicks it
};

// One control: its design data, its run-time state and its event handlers.
class Control : public ControlProps {
public:
    Control(Window* window, ControlProps props);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Window& window() const { return *window_; }
    bool isTimer() const { return kind == Kind::Timer; }

    PicturePtr picture; // images and picture boxes
    // Puts a picture in; an image that does not stretch takes the picture's own size.
    void setPicture(PicturePtr p);
    Control* parent = nullptr; // resolved container, or null for the window
    // Text boxes: the caret and the other end of the selection, as positions
    // between the caption's characters; no selection when they are equal.
    int cursor = 0;
    int anchor = 0;
    int selStart() const;
    int selLength() const;
    QString selectedText() const;
    // Puts the caret at pos; with extend the selection runs from the anchor
    // to it, otherwise the anchor follows. Positions are kept in the caption.
    void placeCaret(int pos, bool extend = false);
    // Replaces the selection with text, caret after it.
    void replaceSelection(const QString& text);
    // Text boxes, the buttons and tab-stop labels take the keyboard focus;
    // other kinds never do.
    bool focusable() const;
    // Visible and enabled, and so is every container it sits in.
    bool reachable() const;

    // Timers: changing these tells the timer service.
    void setEnabled(bool on);
    void setInterval(int ms);

    // Handlers receive the element index (-1 for single controls).
    std::function<void(int index)> onClick;
    std::function<void(int index)> onDblClick;
    std::function<void(int index, int button, int shift, float x, float y)> onMouseMove;
    std::function<void(int index, int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int index, int button, int shift, float x, float y)> onMouseUp;
    std::function<void(int index, int& key)> onKeyPress;
    // A key that is not a character (Desktop::keyDown's codes), before the
    // desktop's own use of it; setting keyCode to 0 keeps it from that.
    std::function<void(int index, int& keyCode, int shift)> onKeyDown;
    std::function<void(int index)> onTimer;

    // Rectangle in window client coordinates (containers added).
    float absLeft() const;
    float absTop() const;

private:
    Window* window_;
};

// A single control declared as a window member: `Ctl Label1{this, {...}};`
using Ctl = Control;

// A control array: elements share one name and one set of handlers and may
// have gaps in their indices. Declared as a window member, its elements take
// their place in the drawing order where the array is declared.
class CtlArray {
public:
    CtlArray(Window* window, std::vector<ControlProps> elements);

    Control& operator[](int index) const;
    bool exists(int index) const { return elements_.count(index) != 0; }
    std::vector<int> indices() const;
    const std::map<int, std::unique_ptr<Control>>& elements() const { return elements_; }

    // Creates element `index` as a copy of element 0's design data and
    // handlers, drawn above every existing control. Returns it.
    Control& load(int index);

    void setOnClick(std::function<void(int)> f);
    void setOnDblClick(std::function<void(int)> f);
    void setOnMouseMove(std::function<void(int, int, int, float, float)> f);
    void setOnMouseDown(std::function<void(int, int, int, float, float)> f);
    void setOnMouseUp(std::function<void(int, int, int, float, float)> f);
    void setOnKeyPress(std::function<void(int, int&)> f);
    void setOnKeyDown(std::function<void(int, int&, int)> f);
    void setOnTimer(std::function<void(int)> f);

private:
    Window* window_;
    std::map<int, std::unique_ptr<Control>> elements_;
};

} // namespace oravians
