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
        focus_ = nullptr;
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

std::vector<Control*> Window::tabOrder() const
{
    std::vector<Control*> order;
    for (Control* c : declared_)
        if (c->focusable() && c->reachable())
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        if (a->tabIndex < 0 || b->tabIndex < 0)
            return a->tabIndex >= 0 && b->tabIndex < 0;
        return a->tabIndex < b->tabIndex;
    });
    return order;
}

void Window::setFocus(Control* c) { focus_ = c; }

void Window::unload() { desktop_.unload(*this); }

} // namespace oravians
