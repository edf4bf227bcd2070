#include "platform/control.h"

#include "platform/desktop.h"
#include "platform/window.h"

#include <algorithm>
#include <stdexcept>

namespace oravians {

Control::Control(Window* window, ControlProps props)
    : ControlProps(std::move(props)), window_(window)
{
    window_->adopt(this);
}

Control::~Control()
{
    if (isTimer())
        window_->desktop().timers().timerRemoved(*this);
    window_->forget(this);
}

void Control::setEnabled(bool on)
{
    enabled = on;
    if (isTimer())
        window_->desktop().timers().timerChanged(*this);
}

void Control::setInterval(int ms)
{
    interval = ms;
    if (isTimer())
        window_->desktop().timers().timerChanged(*this);
}

void Control::setPicture(PicturePtr p)
{
    picture = std::move(p);
    if (kind == Kind::Image && !stretch && picture) {
        width = float(picture->sizeTwips().width());
        height = float(picture->sizeTwips().height());
    }
}

int Control::selStart() const
{
    const int size = int(caption.size());
    return std::clamp(std::min(cursor, anchor), 0, size);
}

int Control::selLength() const
{
    const int size = int(caption.size());
    return std::clamp(std::max(cursor, anchor), 0, size) - selStart();
}

QString Control::selectedText() const { return caption.mid(selStart(), selLength()); }

void Control::placeCaret(int pos, bool extend)
{
    const int size = int(caption.size());
    cursor = std::clamp(pos, 0, size);
    anchor = extend ? std::clamp(anchor, 0, size) : cursor;
}

void Control::replaceSelection(const QString& text)
{
    const int from = selStart();
    caption.replace(from, selLength(), text);
    placeCaret(from + int(text.size()));
}

bool Control::focusable() const
{
    return kind == Kind::TextBox || kind == Kind::CommandButton || kind == Kind::OptionButton
        || kind == Kind::CheckBox || (kind == Kind::Label && tabStop);
}

bool Control::reachable() const
{
    for (const Control* c = this; c; c = c->parent)
        if (!c->visible || !c->enabled)
            return false;
    return true;
}

float Control::absLeft() const { return parent ? parent->absLeft() + left : left; }
float Control::absTop() const { return parent ? parent->absTop() + top : top; }

CtlArray::CtlArray(Window* window, std::vector<ControlProps> elements) : window_(window)
{
    for (auto& props : elements) {
        const int index = props.index;
        if (index < 0 || elements_.count(index))
            throw std::logic_error("control array element needs a unique index");
        elements_.emplace(index, std::make_unique<Control>(window, std::move(props)));
    }
}

Control& CtlArray::operator[](int index) const
{
    auto it = elements_.find(index);
    if (it == elements_.end())
        throw std::out_of_range("control array element does not exist");
    return *it->second;
}

std::vector<int> CtlArray::indices() const
{
    std::vector<int> out;
    for (const auto& [i, c] : elements_)
        out.push_back(i);
    return out;
}

Control& CtlArray::load(int index)
{
    if (elements_.count(index))
        throw std::logic_error("control array element already loaded");
    const Control& first = (*this)[0];
    ControlProps props = first;
    props.index = index;
    props.visible = false; // a new element starts hidden, as its model's copies do
    auto c = std::make_unique<Control>(window_, std::move(props));
    c->parent = first.parent;
    c->picture = first.picture;
    c->onClick = first.onClick;
    c->onDblClick = first.onDblClick;
    c->onMouseMove = first.onMouseMove;
    c->onMouseDown = first.onMouseDown;
    c->onMouseUp = first.onMouseUp;
    c->onKeyPress = first.onKeyPress;
    c->onKeyDown = first.onKeyDown;
    c->onTimer = first.onTimer;
    Control& ref = *c;
    elements_.emplace(index, std::move(c));
    return ref;
}

void CtlArray::setOnClick(std::function<void(int)> f)
{
    for (auto& [i, c] : elements_)
        c->onClick = f;
}
void CtlArray::setOnDblClick(std::function<void(int)> f)
{
    for (auto& [i, c] : elements_)
        c->onDblClick = f;
}
void CtlArray::setOnMouseMove(std::function<void(int, int, int, float, float)> f)
{
    for (auto& [i, c] : elements_)
        c->onMouseMove = f;
}
void CtlArray::setOnMouseDown(std::function<void(int, int, int, float, float)> f)
{
    for (auto& [i, c] : elements_)
        c->onMouseDown = f;
}
void CtlArray::setOnMouseUp(std::function<void(int, int, int, float, float)> f)
{
    for (auto& [i, c] : elements_)
        c->onMouseUp = f;
}
void CtlArray::setOnKeyPress(std::function<void(int, int&)> f)
{
    for (auto& [i, c] : elements_)
        c->onKeyPress = f;
}
void CtlArray::setOnKeyDown(std::function<void(int, int&, int)> f)
{
    for (auto& [i, c] : elements_)
        c->onKeyDown = f;
}
void CtlArray::setOnTimer(std::function<void(int)> f)
{
    for (auto& [i, c] : elements_)
        c->onTimer = f;
}

} // namespace oravians
