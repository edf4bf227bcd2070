#pragma once

#include "kernel/app.h"
#include "platform/control.h"

#include <QPointF>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace oravians {

// The drag-and-drop engine every activity window runs on. Drag label i
// (Label2) belongs on target box i (Label1); start frame i (Label4) marks
// where it began; Label3 holds "Exit", "Start Again" and "Check Score".
// Which label sits where is read from the labels' positions whenever it is
// needed, so the engine keeps no record of placements. A window declares
// the four arrays and owns one engine made after them; the engine binds
// their handlers itself.
//
// Keyboard users get the same activity without a pointer: Tab visits the
// drag labels and the buttons, Space picks the focused label up (its
// colours swap while it is carried), the arrow keys or Tab carry it from box
// to frame, Space drops it there exactly as a pointer drop at that place would,
// Escape puts it back where it was picked up.
class DragEngine {
public:
    struct Arrays {
        CtlArray& labels;  // Label2
        CtlArray& targets; // Label1, whose design captions are the answers
        CtlArray& frames;  // Label4
        CtlArray& buttons; // Label3
    };
    // The window's desktop is the program's App.
    DragEngine(Window& window, Arrays arrays, int n);

    int count() const { return n_; }

    // The window's Form_Load calls these in order, its own steps between or after.
    // The window set-up, then `outof`.
    void loadSetup();
    // Target boxes hidden, start frames sized as their labels.
    void loadFrames();
    // Answers onto the labels; boxes emptied, transparent, shown; frames
    // where their labels start.
    void loadCaptions();

    // Replaces the one-point-per-label-on-its-own-box rule of "Check Score".
    std::function<int()> scoreRule;
    // Label i's top-left corner is exactly target box j's.
    bool rests(int label, int target) const;

    // The drop test and snap of label k where it lies now.
    void drop(int k);

    // The window forwards its background's MouseMove here: buttons dim.
    void formMouseMove();

    void Label2_MouseMove(int index, int button, int shift, float x, float y);
    void Label2_MouseUp(int index, int button, int shift, float x, float y);
    void Label3_Click(int index);

    // The label a keyboard user carries, if any.
    std::optional<int> carried() const;

private:
    struct Carry {
        int label;
        QPointF from;     // where it was picked up
        std::size_t zone; // index into zones()
        Rgb fore, back;
    };
    // Target box 0, start frame 0, target box 1, ...: the drop test's order.
    std::vector<Control*> zones() const;
    void pickUp(int label);
    void carryTo(std::size_t zone);
    void putDown();
    void putBack();
    void labelKeyDown(int index, int& keyCode, int shift);
    // The nearest zone whose centre lies in the arrow's direction, or the current one.
    std::size_t zoneToward(int keyCode) const;

    App& app_;
    Window& window_;
    Arrays a_;
    int n_;
    std::optional<Carry> carry_;
};

// Design data of the engine's controls.
ControlProps dragLabel(int index, float left, float top, float width, float height, FontSpec font);
ControlProps targetBox(int index, const QString& answer, float left, float top, float width, float height,
                       FontSpec font);
ControlProps startFrame(int index);
// "Exit", "Start Again", "Check Score", one of them.
ControlProps activityButton(int index);

// Puts the named controls in this drawing order, back to front, above any
// not named: a window whose design interleaves the elements of its arrays.
void drawInOrder(Window& w, std::initializer_list<std::pair<const char*, int>> order);

} // namespace oravians
