#include "platform/window.h"

#include "platform/desktop.h"

#include <algorithm>

namespace oravians {

Window::Window(Desktop& desktop, QString name) : desktop_(desktop), name_(std::move(name)) {}

Window::~Window() = default;

void Window::setClientSize(float w, float h)
{
    width = borderless ? w : w + 2 * kBorderTwips;
    height = borderless ? h : h + kCaptionTwips + 2 * kBorderTwips;
}

void Window::adopt(Control* c)
{
    if (!c->container.isEmpty())
        c->parent = find(c->container);
    zorder_.push_back(c);
    declared_.push_back(c);
}

void Window::forget(Control* c)
{
    std::erase(zorder_, c);
    std::erase(declared_, c);
    if (focus_ == c)
        setFocus(nullptr);
}

void Window::bringToFront(Control& c)
{
    auto it = std::find(zorder_.begin(), zorder_.end(), &c);
    if (it == zorder_.end())
        return;
    zorder_.erase(it);
    zorder_.push_back(&c);
}

Control* Window::find(const QString& name, int index) const
{
    for (Control* c : zorder_)
        if (c->name == name && c->index == index)
            return c;
    return nullptr;
}

bool Window::tabsBefore(const Control* a, const Control* b)
{
    if (a->tabIndex >= 0 || b->tabIndex >= 0) {
        if (a->tabIndex < 0 || b->tabIndex < 0)
            return a->tabIndex >= 0;
        return a->tabIndex < b->tabIndex;
    }
    const float at = a->absTop(), bt = b->absTop();
    return at != bt ? at < bt : a->absLeft() < b->absLeft();
}

std::vector<Control*> Window::tabOrder() const
{
    std::vector<Control*> order;
    for (Control* c : declared_)
        if (c->focusable() && c->reachable())
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(), tabsBefore);
    // An option group is one stop: its chosen option, or its first when none
    // that can be reached is chosen; the arrow keys move within it.
    std::vector<const Control*> stops; // one per group
    for (const Control* o : order) {
        if (o->kind != Kind::OptionButton)
            continue;
        auto same = std::find_if(stops.begin(), stops.end(), [o](const Control* s) { return s->parent == o->parent; });
        if (same == stops.end())
            stops.push_back(o);
        else if (o->value && !(*same)->value)
            *same = o;
    }
    std::erase_if(order, [&stops](const Control* c) {
        return c->kind == Kind::OptionButton && std::find(stops.begin(), stops.end(), c) == stops.end();
    });
    return order;
}

std::vector<Control*> Window::optionGroup(const Control& c) const
{
    std::vector<Control*> group;
    for (Control* o : declared_)
        if (o->kind == Kind::OptionButton && o->parent == c.parent && o->reachable())
            group.push_back(o);
    return group;
}

void Window::setFocus(Control* c, bool quiet)
{
    focus_ = c;
    quietFocus_ = quiet && c;
}

Control* Window::cancelControl()
{
    for (Control* c : declared_)
        if (c->cancel && c->reachable())
            return c;
    return nullptr;
}

void Window::unload() { desktop_.unload(*this); }

} // namespace oravians
