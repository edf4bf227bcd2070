#include "platform/desktop.h"

#include "platform/log.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace oravians {

// Counts nested deliveries (a message box runs its own event loop) so that
// unloaded windows are destroyed only when the outermost event is done.
// Every event ends with a repaint: any handler, a timer's included, may have
// changed what the screen shows.
struct Desktop::Dispatch {
    explicit Dispatch(Desktop& d) : desktop(d) { ++desktop.depth_; }
    ~Dispatch()
    {
        if (--desktop.depth_ == 0)
            desktop.flush();
        if (desktop.onChange)
            desktop.onChange();
    }
    Desktop& desktop;
};

Desktop::Desktop(Services services) : services_(services) {}

void Desktop::guarded(const Window& w, const Control* c, const char* event, const std::function<void()>& handler)
{
    // The one place an error a handler did not mean to raise ends up: it is
    // a fault of the program, so it is logged for a technician, and the
    // pupil carries on with the next event instead of losing the program.
    auto report = [&](const QString& what) {
        QString name = w.name() + QLatin1Char('.')
            + (c ? c->name + QLatin1Char('_') + QLatin1String(event) : QLatin1String(event));
        if (c && c->index >= 0)
            name += QStringLiteral("(%1)").arg(c->index);
        logProblem(QStringLiteral("Programming error in %1: %2").arg(name, what));
    };
    try {
        handler();
    } catch (const std::exception& e) {
        report(QString::fromStdString(e.what()));
    } catch (...) {
        report(QStringLiteral("an exception of unknown type"));
    }
}

Desktop::~Desktop() = default;

void Desktop::settle()
{
    if (depth_ == 0)
        flush();
}

bool Desktop::isShown(const Window& w) const
{
    return std::find(stack_.begin(), stack_.end(), &w) != stack_.end();
}

std::vector<Window*> Desktop::visibleWindows() const
{
    auto backdrop = std::find_if(stack_.rbegin(), stack_.rend(), [](Window* w) { return w->borderless; });
    auto from = backdrop == stack_.rend() ? stack_.begin() : backdrop.base() - 1;
    return {from, stack_.end()};
}

void Desktop::show(Window& w)
{
    std::erase(stack_, &w);
    stack_.push_back(&w);
    if (!w.focus()) {
        const std::vector<Control*> order = w.tabOrder();
        if (!order.empty())
            w.setFocus(order.front(), true);
    }
    if (onChange)
        onChange();
}

void Desktop::endProgram()
{
    Dispatch d(*this);
    ended_ = true;
    unloadAll();
    stack_.clear();
    if (onEnd)
        onEnd();
}

void Desktop::windowLoaded(Window* w) { loaded_.push_back(w); }

void Desktop::windowUnloading(Window* w, std::unique_ptr<Window> owned)
{
    std::erase(stack_, w);
    std::erase(loaded_, w);
    lastPress_.reset();
    for (Control* c : w->controls())
        if (c->isTimer())
            timers().timerRemoved(*c);
    // Destroyed once the event being handled is done: the caller may be one
    // of the window's own handlers.
    graveyard_.push_back(std::move(owned));
    if (onChange)
        onChange();
}

void Desktop::flush()
{
    // Destroying a window may not unload another, but be safe about it.
    while (!graveyard_.empty()) {
        auto dead = std::move(graveyard_);
        dead.clear();
    }
}

void Desktop::click(Control& c)
{
    if (!c.visible || !c.enabled)
        return;
    Dispatch d(*this);
    if (c.kind == Kind::OptionButton) {
        // Options in the same container form one group.
        for (Control* other : c.window().controls())
            if (other->kind == Kind::OptionButton && other->parent == c.parent)
                other->value = 0;
        c.value = 1;
    } else if (c.kind == Kind::CheckBox) {
        c.value = c.value ? 0 : 1;
    }
    if (c.kind == Kind::OptionButton || c.kind == Kind::CheckBox || c.kind == Kind::TextBox
        || c.kind == Kind::CommandButton)
        c.window().setFocus(&c);
    if (c.onClick)
        guarded(c.window(), &c, "Click", [&] { c.onClick(c.index); });
}

void Desktop::dblClick(Control& c)
{
    if (!c.visible || !c.enabled)
        return;
    Dispatch d(*this);
    if (c.onDblClick)
        guarded(c.window(), &c, "DblClick", [&] { c.onDblClick(c.index); });
}

void Desktop::pointerPress(Window& w, Control* c, int button, int shift, QPointF clientTwips, std::int64_t ms)
{
    const QPointF client = w.borderless ? QPointF(w.left, w.top)
                                        : QPointF(w.left + kBorderTwips, w.top + kBorderTwips + kCaptionTwips);
    const QPointF onScreen = client + clientTwips;
    bool second = false;
    if (button == kLeftButton && lastPress_ && !lastPress_->secondOfDouble && c && lastPress_->control == c) {
        const QPointF moved = onScreen - lastPress_->screenTwips;
        const float near = screen().doubleClickTwips();
        second = ms >= lastPress_->ms && ms - lastPress_->ms <= screen().doubleClickMilliseconds()
            && std::abs(moved.x()) <= near && std::abs(moved.y()) <= near;
    }
    if (button == kLeftButton)
        lastPress_ = Press{c, onScreen, ms, second};
    else
        lastPress_.reset();
    pressIsDouble_ = second;
    useKeyboard(false);
    if (!c)
        return;
    if (second) {
        dblClick(*c);
        return;
    }
    const QPointF at = clientTwips - QPointF(c->absLeft(), c->absTop());
    mouseDown(*c, button, shift, float(at.x()), float(at.y()));
}

void Desktop::pointerRelease(Control& c, int button, int shift, QPointF clientTwips)
{
    Dispatch d(*this);
    Window& w = c.window();
    const bool secondOfDouble = std::exchange(pressIsDouble_, false);
    const QPointF at = clientTwips - QPointF(c.absLeft(), c.absTop());
    mouseUp(c, button, shift, float(at.x()), float(at.y()));
    if (button != kLeftButton || secondOfDouble)
        return;
    // The handler may have unloaded the window or removed the control; the
    // window itself lives on until this event is done.
    const auto& all = w.controls();
    if (top() != &w || std::find(all.begin(), all.end(), &c) == all.end())
        return;
    if (at.x() >= 0 && at.y() >= 0 && at.x() < c.width && at.y() < c.height)
        click(c);
}

void Desktop::mouseDown(Control& c, int button, int shift, float x, float y)
{
    Dispatch d(*this);
    if (c.kind == Kind::TextBox) {
        c.window().setFocus(&c);
        if (button == kLeftButton)
            c.placeCaret(caretAt(c, x), shift & kShiftMask);
    }
    if (c.onMouseDown)
        guarded(c.window(), &c, "MouseDown", [&] { c.onMouseDown(c.index, button, shift, x, y); });
}

void Desktop::mouseUp(Control& c, int button, int shift, float x, float y)
{
    Dispatch d(*this);
    if (c.onMouseUp)
        guarded(c.window(), &c, "MouseUp", [&] { c.onMouseUp(c.index, button, shift, x, y); });
}

void Desktop::mouseMove(Control& c, int button, int shift, float x, float y)
{
    Dispatch d(*this);
    // Dragging in the focused text box selects.
    if (c.kind == Kind::TextBox && (button & kLeftButton) && c.window().focus() == &c)
        c.placeCaret(caretAt(c, x), true);
    if (c.onMouseMove)
        guarded(c.window(), &c, "MouseMove", [&] { c.onMouseMove(c.index, button, shift, x, y); });
}

void Desktop::formMouseMove(Window& w, int button, int shift, float x, float y)
{
    Dispatch d(*this);
    guarded(w, nullptr, "Form_MouseMove", [&] { w.Form_MouseMove(button, shift, x, y); });
}

void Desktop::keyPress(int key)
{
    Window* w = top();
    if (!w || !w->focus())
        return;
    Dispatch d(*this);
    Control& c = *w->focus();
    const bool press = key == kKeyReturn || key == ' ';
    if (press && c.kind != Kind::TextBox)
        useKeyboard(true);
    if ((c.kind == Kind::CommandButton && press)
        || ((c.kind == Kind::CheckBox || c.kind == Kind::OptionButton) && key == ' ')) {
        click(c);
        return;
    }
    if (c.onKeyPress)
        guarded(*w, &c, "KeyPress", [&] { c.onKeyPress(c.index, key); });
    if (c.kind == Kind::Label && (key == kKeyReturn || key == ' ') && top() == w && w->focus() == &c
        && c.reachable()) {
        click(c);
        return;
    }
    if (key == 0 || c.kind != Kind::TextBox || w->focus() != &c)
        return;
    if (key == kKeyBackspace) {
        c.placeCaret(c.cursor, true);
        if (c.selLength() == 0)
            c.placeCaret(c.cursor - 1, true);
        c.replaceSelection({});
    } else if (key >= 32 && key != 127) {
        insertText(c, QString(QChar(key)));
    }
}

void Desktop::keyDown(int keyCode, int shift)
{
    Window* w = top();
    if (!w)
        return;
    const bool arrow = keyCode == kKeyLeft || keyCode == kKeyUp || keyCode == kKeyRight || keyCode == kKeyDown;
    Control* c = w->focus();
    const bool focusWasShown = keyboardInUse_;
    if (keyCode == kKeyTab || keyCode == kKeyEscape || (keyCode == kKeyReturn && !(c && c->kind == Kind::TextBox))
        || (arrow && !(c && c->kind == Kind::TextBox)))
        useKeyboard(true);
    if (c && c->onKeyDown && c->reachable()) {
        Dispatch d(*this);
        guarded(*w, c, "KeyDown", [&] { c->onKeyDown(c->index, keyCode, shift); });
        if (keyCode == 0 || top() != w || w->focus() != c)
            return;
    }
    if (keyCode == kKeyTab && !(shift & (kCtrlMask | kAltMask))) {
        if (c && c->takesTab) {
            keyPress(kKeyTab);
        } else if (c && w->quietFocus() && !focusWasShown && c->reachable() && !(shift & kShiftMask)) {
            // The first Tab shows where the focus already is, so the
            // window's first stop is not skipped unseen.
            w->setFocus(c);
            if (onChange)
                onChange();
        } else {
            moveFocus(*w, !(shift & kShiftMask));
        }
        return;
    }
    if (keyCode == kKeyReturn || keyCode == kKeyBackspace) {
        keyPress(keyCode);
        return;
    }
    if (keyCode == kKeyEscape && !(shift & (kCtrlMask | kAltMask))) {
        if (Control* cancel = w->cancelControl())
            click(*cancel);
        return;
    }
    if (arrow && c && c->kind == Kind::OptionButton && !(shift & (kCtrlMask | kAltMask))) {
        chooseOption(*w, *c, keyCode == kKeyRight || keyCode == kKeyDown);
        return;
    }
    if (!c || c->kind != Kind::TextBox || !c->reachable())
        return;
    Dispatch d(*this);
    editKey(*c, keyCode, shift);
}

void Desktop::moveFocus(Window& w, bool forward)
{
    const std::vector<Control*> order = w.tabOrder();
    if (order.empty())
        return;
    const auto at = std::find(order.begin(), order.end(), w.focus());
    const auto n = std::ptrdiff_t(order.size());
    std::ptrdiff_t next = 0;
    if (at != order.end()) {
        next = ((at - order.begin()) + (forward ? 1 : n - 1)) % n;
    } else if (w.focus()) {
        // The focused control went out of reach (a page button disabled on
        // the last page): go on from where it stands.
        const auto after = std::upper_bound(order.begin(), order.end(), w.focus(), Window::tabsBefore);
        next = ((after - order.begin()) + (forward ? 0 : n - 1)) % n;
    } else if (!forward) {
        next = n - 1;
    }
    Control& c = *order[std::size_t(next)];
    w.setFocus(&c);
    // Tabbing into a text box selects its text, so typing replaces it.
    if (c.kind == Kind::TextBox) {
        c.anchor = 0;
        c.cursor = int(c.caption.size());
    }
    if (onChange)
        onChange();
}

void Desktop::chooseOption(Window& w, Control& from, bool forward)
{
    const std::vector<Control*> group = w.optionGroup(from);
    if (group.empty())
        return;
    // From an option out of reach (the quiz's hidden "no answer yet") the
    // arrows start at the group's first or last option.
    const auto at = std::find(group.begin(), group.end(), &from);
    const auto n = std::ptrdiff_t(group.size());
    std::ptrdiff_t next = forward ? 0 : n - 1;
    if (at != group.end())
        next = ((at - group.begin()) + (forward ? 1 : n - 1)) % n;
    Control& to = *group[std::size_t(next)];
    if (&to != &from)
        click(to);
}

void Desktop::useKeyboard(bool on)
{
    if (keyboardInUse_ == on)
        return;
    keyboardInUse_ = on;
    if (onChange)
        onChange();
}

bool Desktop::showsFocus(const Control& c) const
{
    const Window& w = c.window();
    if (w.focus() != &c)
        return false;
    return keyboardInUse_ || (c.kind != Kind::Label && !w.quietFocus());
}

void Desktop::editKey(Control& box, int keyCode, int shift)
{
    const bool extend = shift & kShiftMask;
    const bool ctrl = shift & kCtrlMask;
    if (shift & kAltMask)
        return;
    box.placeCaret(box.cursor, true); // a caption set by code may have left them outside it
    Clipboard* clipboard = services_.clipboard;
    const auto copy = [&] {
        if (clipboard && box.selLength() > 0)
            clipboard->setText(box.selectedText());
    };
    const auto paste = [&] {
        if (clipboard)
            insertText(box, clipboard->text());
    };
    if (ctrl) {
        if (keyCode == kKeyA) {
            box.anchor = 0;
            box.cursor = int(box.caption.size());
        } else if (keyCode == kKeyC || keyCode == kKeyInsert) {
            copy();
        } else if (keyCode == kKeyX) {
            copy();
            box.replaceSelection({});
        } else if (keyCode == kKeyV) {
            paste();
        } else if (keyCode == kKeyHome || keyCode == kKeyEnd) {
            box.placeCaret(keyCode == kKeyHome ? 0 : int(box.caption.size()), extend);
        }
        return;
    }
    switch (keyCode) {
    case kKeyLeft:
    case kKeyRight: {
        const bool left = keyCode == kKeyLeft;
        if (!extend && box.selLength() > 0)
            box.placeCaret(left ? box.selStart() : box.selStart() + box.selLength());
        else
            box.placeCaret(box.cursor + (left ? -1 : 1), extend);
        break;
    }
    case kKeyHome:
        box.placeCaret(0, extend);
        break;
    case kKeyEnd:
        box.placeCaret(int(box.caption.size()), extend);
        break;
    case kKeyDelete:
        if (extend) {
            copy();
        } else if (box.selLength() == 0) {
            box.placeCaret(box.cursor + 1, true);
        }
        box.replaceSelection({});
        break;
    case kKeyInsert:
        if (extend)
            paste();
        break;
    default:
        break;
    }
}

void Desktop::insertText(Control& box, QString text)
{
    // One line only: pasted line breaks and other control characters go.
    text.removeIf([](QChar ch) { return ch.unicode() < 32 || ch.unicode() == 127; });
    box.placeCaret(box.cursor, true);
    if (box.maxLength > 0) {
        const int room = box.maxLength - (int(box.caption.size()) - box.selLength());
        if (room <= 0)
            return;
        if (text.size() > room) {
            text.truncate(room);
            if (text.back().isHighSurrogate()) // never half a character
                text.chop(1);
        }
    }
    if (!text.isEmpty())
        box.replaceSelection(text);
}

int Desktop::caretAt(const Control& box, float x) const
{
    if (!measureText)
        return box.cursor;
    // The position whose caret line lies nearest the point.
    const float at = x - kTextBoxPadTwips;
    int best = 0;
    float bestDistance = std::abs(at);
    for (int i = 1; i <= box.caption.size(); ++i) {
        if (box.caption.at(i - 1).isHighSurrogate())
            continue;
        const float distance = std::abs(measureText(box.font, box.caption.left(i)) - at);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void Desktop::type(const QString& text)
{
    for (QChar ch : text)
        keyPress(ch.unicode());
}

void Desktop::tick(Control& timer)
{
    if (!timer.enabled || !timer.isTimer())
        return;
    Dispatch d(*this);
    if (timer.onTimer)
        guarded(timer.window(), &timer, "Timer", [&] { timer.onTimer(timer.index); });
}

void Desktop::setFocus(Control& c)
{
    c.window().setFocus(&c);
    if (c.kind == Kind::TextBox)
        c.placeCaret(int(c.caption.size()));
    if (onChange)
        onChange();
}

} // namespace oravians
