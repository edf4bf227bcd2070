#include "platform/qt/screenchanges.h"

#include <algorithm>

namespace oravians {

namespace {

// Text may be struck a little past its box and borders drawn on its edge.
constexpr float kMargin = 3 * kTwipsPerPixel;

QRectF drawnArea(const Control& c)
{
    if (c.kind == Kind::Line) {
        const float pen = float(std::max(1, c.lineWidth)) * kTwipsPerPixel;
        const QPointF container(c.absLeft() - c.left, c.absTop() - c.top);
        const QRectF r = QRectF(QPointF(c.left, c.top), QPointF(c.x2, c.y2)).normalized().translated(container);
        return r.adjusted(-pen, -pen, pen, pen);
    }
    return QRectF(c.absLeft(), c.absTop(), c.width, c.height).adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

bool sameLook(const ControlProps& a, const ControlProps& b)
{
    return a.kind == b.kind && a.caption == b.caption && a.left == b.left && a.top == b.top && a.width == b.width
        && a.height == b.height && a.fore == b.fore && a.back == b.back && a.opaque == b.opaque
        && a.border == b.border && a.align == b.align && a.font == b.font && a.visible == b.visible
        && a.enabled == b.enabled && a.stretch == b.stretch && a.x2 == b.x2 && a.y2 == b.y2
        && a.lineWidth == b.lineWidth && a.value == b.value;
}

} // namespace

std::vector<ScreenChanges::WindowLook> ScreenChanges::look(const Desktop& desktop)
{
    std::vector<WindowLook> out;
    for (const Window* w : desktop.visibleWindows()) {
        WindowLook wl{w, w->caption, w->back, QRectF(w->left, w->top, w->width, w->height), w == desktop.top(), {}};
        wl.controls.reserve(w->controls().size());
        for (const Control* c : w->controls())
            wl.controls.push_back({c, static_cast<const ControlProps&>(*c), c->picture.get(), c->parent, c->cursor,
                                   c->anchor, w->focus() == c, drawnArea(*c)});
        out.push_back(std::move(wl));
    }
    return out;
}

std::optional<std::vector<ScreenChanges::Area>> ScreenChanges::since(const Desktop& desktop)
{
    std::vector<WindowLook> now = look(desktop);
    std::optional<std::vector<WindowLook>> before = std::exchange(last_, now);
    if (!before || before->size() != now.size())
        return std::nullopt;
    std::vector<Area> areas;
    for (std::size_t i = 0; i < now.size(); ++i) {
        const WindowLook& a = (*before)[i];
        const WindowLook& b = now[i];
        if (a.window != b.window || a.caption != b.caption || !(a.back == b.back) || a.frame != b.frame
            || a.active != b.active || a.controls.size() != b.controls.size())
            return std::nullopt;
        for (std::size_t j = 0; j < b.controls.size(); ++j) {
            const Look& x = a.controls[j];
            const Look& y = b.controls[j];
            if (x.control != y.control)
                return std::nullopt; // restacked
            if (sameLook(x.props, y.props) && x.picture == y.picture && x.parent == y.parent && x.cursor == y.cursor
                && x.anchor == y.anchor && x.focused == y.focused && x.area == y.area)
                continue;
            areas.push_back({b.window, x.area});
            areas.push_back({b.window, y.area});
        }
    }
    return areas;
}

} // namespace oravians
