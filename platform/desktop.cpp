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
    if (c.kind == Kind::TextBox)
        c.window().setFocus(&c);
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
    if (c.onKeyPress)
        guarded(*w, &c, "KeyPress", [&] { c.onKeyPress(c.index, key); });
    if (key == 0 || c.kind != Kind::TextBox || w->focus() != &c)
        return;
    c.cursor = std::clamp(c.cursor, 0, int(c.caption.size()));
    if (key == kKeyBackspace) {
        if (c.cursor > 0)
            c.caption.remove(--c.cursor, 1);
    } else if (key >= 32 && key != 127) {
        if (c.maxLength > 0 && c.caption.size() >= c.maxLength)
            return;
        c.caption.insert(c.cursor++, QChar(key));
    }
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
        c.cursor = int(c.caption.size());
    if (onChange)
        onChange();
}

} // namespace oravians
