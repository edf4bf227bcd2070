#pragma once

#include "platform/services.h"
#include "platform/window.h"

#include <QPointF>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace oravians {

// The services a desktop runs on; the program gets real ones, tests fakes.
struct Services {
    SoundPlayer* sound = nullptr;
    Printer* printer = nullptr;
    MessageBoxes* messages = nullptr;
    Screen* screen = nullptr;
    TimerService* timers = nullptr;
    PictureLoader* pictures = nullptr;
    Randomness* random = nullptr;
    TextMeasure* measure = nullptr;
    Clipboard* clipboard = nullptr; // none: cut and copy keep nothing, paste adds nothing
    Files* files = nullptr;
    FileDialogs* fileDialogs = nullptr;
};

// Keys that are not characters, as the host hands them to Desktop::keyDown
// (kKeyReturn and kKeyBackspace are in geometry.h), and the shift state's bits.
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyA = 65;
inline constexpr int kKeyC = 67;
inline constexpr int kKeyV = 86;
inline constexpr int kKeyX = 88;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// A text box's text starts this far inside its left edge (3 pixels).
inline constexpr float kTextBoxPadTwips = 3 * kTwipsPerPixel;

// Keeps the loaded windows, the order in which shown windows stack, and
// delivers user events to handlers the way a pupil's actions would reach
// them: option buttons select, tick boxes toggle, text boxes take typing.
// A window unloaded while one of its handlers runs is destroyed only once
// the event has been handled.
class Desktop {
public:
    explicit Desktop(Services services);
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    virtual ~Desktop();

    SoundPlayer& sound() const { return *services_.sound; }
    Printer& printer() const { return *services_.printer; }
    MessageBoxes& messages() const { return *services_.messages; }
    Screen& screen() const { return *services_.screen; }
    TimerService& timers() const { return *services_.timers; }
    PictureLoader& pictures() const { return *services_.pictures; }
    Randomness& random() const { return *services_.random; }
    TextMeasure& measure() const { return *services_.measure; }
    Files& files() const { return *services_.files; }
    FileDialogs& fileDialogs() const { return *services_.fileDialogs; }

    // Shown windows, bottom first. Loaded windows that were never shown are
    // not in it.
    const std::vector<Window*>& stack() const { return stack_; }
    Window* top() const { return stack_.empty() ? nullptr : stack_.back(); }
    bool isShown(const Window& w) const;
    // The windows a user can see: those above the topmost borderless backdrop.
    std::vector<Window*> visibleWindows() const;
    const std::vector<Window*>& loadedWindows() const { return loaded_; }

    // Shows a window modeless, on top of the others. A window without a
    // focus gets its first Tab stop as a quiet focus.
    void show(Window& w);

    // Ends the program: every window is unloaded at once.
    void endProgram();
    bool ended() const { return ended_; }
    std::function<void()> onEnd;     // the host quits its event loop
    std::function<void()> onChange;  // the host repaints: after every event, and on stacking or focus changes

    // The pointer's button pressed and released over a window's client area
    // (twips), as the host sees it; `ms` is the press's time on the
    // platform's event clock. The press raises MouseDown, the release MouseUp
    // and, for the left button released over the control pressed, Click. The
    // second left press on the same control within the screen's double-click
    // time and distance raises DblClick instead, and its release no Click:
    // a double click is never two clicks.
    void pointerPress(Window& w, Control* c, int button, int shift, QPointF clientTwips, std::int64_t ms);
    void pointerRelease(Control& c, int button, int shift, QPointF clientTwips);

    // User events. Each runs the handler, then destroys windows unloaded
    // meanwhile. Coordinates are twips relative to the control or window.
    void click(Control& c);
    void dblClick(Control& c);
    void mouseDown(Control& c, int button, int shift, float x, float y);
    void mouseUp(Control& c, int button, int shift, float x, float y);
    void mouseMove(Control& c, int button, int shift, float x, float y);
    void formMouseMove(Window& w, int button, int shift, float x, float y);
    // Characters go to the focused control of the top window: its KeyPress
    // handler sees each first (and may change or cancel it by setting 0);
    // then a text box takes it, replacing the selection, within its typing
    // limit. 13 is Enter, 8 Backspace. Enter or a space on a command button
    // clicks it instead, as a space does a tick box or an option button; on
    // a tab-stop label either clicks it once the label's own KeyPress has
    // let the key through.
    void keyPress(int key);
    void type(const QString& text);
    // Keys that are not characters, with the shift state (kShiftMask,
    // kCtrlMask, kAltMask). The focused control's KeyDown handler sees each
    // first and may keep it (setting it to 0). Enter and Backspace go on to
    // keyPress. Tab and Shift+Tab move the focus along the window's
    // tabOrder(), unless the focused control takesTab: then its KeyPress
    // sees 9; the Tab that first shows a quiet focus leaves it where it is.
    // In a focused text box: Left, Right, Home, End move the caret (with
    // Shift they select), Delete removes the selection or the next
    // character; Ctrl+A selects all, Ctrl+C (Ctrl+Insert) copies, Ctrl+X
    // (Shift+Delete) cuts, Ctrl+V (Shift+Insert) pastes the clipboard's text
    // without line breaks, cut to the room the typing limit leaves. On an option button the arrow keys
    // click the next (Right, Down) or previous (Left, Up) option of its
    // group, as a pupil's click would choose it. Escape clicks the top
    // window's cancelControl(), if it has one.
    void keyDown(int keyCode, int shift);

    // Whether the focus is to be drawn on c: the keyboard has been used
    // since the last pointer press, or (not for labels, which a click never
    // focuses) c was focused by a click or by the window's own code.
    bool showsFocus(const Control& c) const;
    bool keyboardInUse() const { return keyboardInUse_; }
    // The width in twips of a text in a font, for putting the caret where a
    // text box is clicked. The host provides it; without it a click leaves
    // the caret where it was.
    std::function<float(const FontSpec& font, const QString& text)> measureText;
    void tick(Control& timer);

    // Destroys unloaded windows now, when no event is being handled.
    void settle();

    // Focus: makes c the focused control of its window; a text box gets its
    // caret at the end.
    void setFocus(Control& c);

    // Unloads a loaded window: it leaves the screen at once and is destroyed
    // once the event being handled is done (the program's form registry
    // owns the windows).
    virtual void unload(Window& w) = 0;

    // Bookkeeping for the form registry; not for window code.
    void windowLoaded(Window* w);
    void windowUnloading(Window* w, std::unique_ptr<Window> owned);

protected:
    // Unloads every loaded window.
    virtual void unloadAll() = 0;

private:
    struct Dispatch;
    void flush();
    void moveFocus(Window& w, bool forward);
    void chooseOption(Window& w, Control& from, bool forward);
    void useKeyboard(bool on);
    void editKey(Control& box, int keyCode, int shift);
    void insertText(Control& box, QString text);
    int caretAt(const Control& box, float x) const;
    // Runs one handler; whatever it throws is logged with the window's and
    // handler's names ("Welldone.Label3_Click(0)") and goes no further.
    static void guarded(const Window& w, const Control* c, const char* event,
                        const std::function<void()>& handler);

    Services services_;
    std::vector<Window*> stack_;
    std::vector<Window*> loaded_;
    std::vector<std::unique_ptr<Window>> graveyard_;
    int depth_ = 0;
    bool ended_ = false;
    // The last left press, for telling a double click; the control is only
    // compared, never used.
    struct Press {
        const Control* control;
        QPointF screenTwips;
        std::int64_t ms;
        bool secondOfDouble;
    };
    std::optional<Press> lastPress_;
    bool pressIsDouble_ = false; // the button held down made a double click
    bool keyboardInUse_ = false;
};

} // namespace oravians
