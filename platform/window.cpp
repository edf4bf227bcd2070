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
}

void Window::forget(Control* c)
{
    std::erase(zorder_, c);
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

void Window::setFocus(Control* c) { focus_ = c; }

void Window::unload() { desktop_.unload(*this); }

} // namespace oravians
