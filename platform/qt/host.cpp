#include "platform/qt/host.h"

#include "platform/qt/hostaccessible.h"
#include "platform/qt/windowpainter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace oravians {

namespace {


bool contains(const Control& c, QPointF local)
{
    return local.x() >= 0 && local.y() >= 0 && local.x() < c.width && local.y() < c.height;
}

// Topmost control under a point given relative to the container's origin.
Control* controlAt(const Window& w, const Control* parent, QPointF local)
{
    const auto& all = w.controls();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        Control* c = *it;
        if (c->parent != parent || !c->visible || !c->enabled || c->isTimer() || c->kind == Kind::Line)
            continue;
        // An empty see-through label (an activity's box or frame) shows
        // nothing to point at: the pointer reaches what lies beneath.
        if (c->kind == Kind::Label && !c->opaque && c->caption.isEmpty())
            continue;
        const QPointF inside = local - QPointF(c->left, c->top);
        if (!contains(*c, inside))
            continue;
        if (c->kind == Kind::Frame || c->kind == Kind::PictureBox) {
            if (Control* child = controlAt(w, c, inside))
                return child;
        }
        return c;
    }
    return nullptr;
}

int shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int buttonState(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? kLeftButton : 0) | (b & Qt::RightButton ? kRightButton : 0)
        | (b & Qt::MiddleButton ? kMiddleButton : 0);
}

} // namespace

Host::Host(Desktop& desktop, QWidget* parent) : QWidget(parent), desktop_(desktop)
{
    setWindowTitle(QStringLiteral("The Oravians"));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // Screen readers see the drawn controls, not one empty widget.
    HostAccessible::install();
    desktop_.onChange = [this] { repaintChanges(); HostAccessible::announceChanges(*this); };
    desktop_.measureText = [](const FontSpec& font, const QString& text) {
        return float(QFontMetricsF(twipsFont(font, text)).horizontalAdvance(text));
    };
}

Host::~Host()
{
    desktop_.onChange = nullptr;
    desktop_.measureText = nullptr;
}

namespace {

// Rectangles in desktop pixels (15 twips each), before the desktop's scale.
QRectF panelPixels(const Window& w) { return {w.left / kPx, w.top / kPx, w.width / kPx, w.height / kPx}; }

QRectF clientPixels(const Window& w)
{
    if (w.borderless)
        return panelPixels(w);
    const QRectF r = panelPixels(w);
    const float b = kBorderTwips / kPx;
    const float cap = kCaptionTwips / kPx;
    return {r.left() + b, r.top() + b + cap, w.clientWidth() / kPx, w.clientHeight() / kPx};
}

} // namespace

float desktopScale(QSizeF screen)
{
    return float(std::min(screen.width() / (12000 / kPx), screen.height() / (9000 / kPx)));
}

float Host::scale()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? desktopScale(s->geometry().size()) : 1.0f;
}

QRectF Host::panelRect(const Window& w)
{
    const float s = scale();
    const QRectF r = panelPixels(w);
    return {r.topLeft() * s, r.size() * s};
}

QRectF Host::clientRect(const Window& w)
{
    const float s = scale();
    const QRectF r = clientPixels(w);
    return {r.topLeft() * s, r.size() * s};
}

QPointF Host::clientTwips(const Window& w, QPointF pos)
{
    return (pos / scale() - clientPixels(w).topLeft()) * kPx;
}

void Host::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const auto windows = desktop_.visibleWindows();
    // Black shows only where no window lies: not at all once the backdrop,
    // which fills the screen, is up (filling the screen twice is a good part
    // of the first painting's time).
    // Within half a pixel: the scale is a float, and the backdrop's edge at
    // 1023.99997 still covers the last column.
    const bool backdropCovers = !windows.empty() && windows.front()->borderless
        && panelRect(*windows.front()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(QRectF(rect()));
    const float s = scale();
    if (!backdropCovers)
        p.fillRect(rect(), Qt::black);
    // Everything is drawn from twips, so the whole desktop scales as one:
    // pages and text stay vector drawings, pictures are smoothed.
    p.scale(s, s);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (Window* w : windows) {
        const bool active = w == desktop_.top();
        if (!w->borderless)
            paintFrame(p, *w, panelPixels(*w), active);
        const QRectF client = clientPixels(*w);
        p.save();
        p.setClipRect(client);
        p.translate(client.topLeft());
        p.scale(1 / kPx, 1 / kPx);
        paintWindow(p, *w, active);
        p.restore();
    }
}

void Host::repaintChanges()
{
    const auto areas = changes_.since(desktop_);
    if (!areas) {
        update();
        return;
    }
    const float s = scale();
    for (const ScreenChanges::Area& a : *areas) {
        const QRectF client = clientRect(*a.window);
        const QRectF r(client.topLeft() + a.clientTwips.topLeft() / kPx * s, a.clientTwips.size() / kPx * s);
        update(r.toAlignedRect().adjusted(-1, -1, 1, 1));
    }
}

Host::Hit Host::hitTest(QPointF pos) const
{
    Hit hit;
    Window* w = desktop_.top();
    if (!w)
        return hit;
    if (!clientRect(*w).contains(pos))
        return hit;
    hit.window = w;
    hit.twips = clientTwips(*w, pos);
    hit.control = controlAt(*w, nullptr, hit.twips);
    return hit;
}

namespace {
QPointF relative(const Control& c, QPointF clientTwips) { return clientTwips - QPointF(c.absLeft(), c.absTop()); }
} // namespace

void Host::mousePressEvent(QMouseEvent* e)
{
    const Hit hit = hitTest(e->position());
    pressedButtons_ = buttonState(e->buttons());
    // The pointer stays with the control pressed until every button is up:
    // a second button goes there too.
    if (captured_ && capturedWindow_ == desktop_.top() && (pressedButtons_ & ~buttonState(e->button()))) {
        desktop_.pointerPress(*capturedWindow_, captured_, buttonState(e->button()), shiftState(e->modifiers()),
                              clientTwips(*capturedWindow_, e->position()), std::int64_t(e->timestamp()));
        repaintChanges();
        return;
    }
    if (!hit.window)
        return;
    captured_ = hit.control;
    capturedWindow_ = hit.window;
    desktop_.pointerPress(*hit.window, hit.control, buttonState(e->button()), shiftState(e->modifiers()), hit.twips,
                          std::int64_t(e->timestamp()));
    repaintChanges();
}

// Qt follows the second press with a double-click event that by default
// presses again; the desktop tells double clicks from the presses themselves.
void Host::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }

void Host::mouseReleaseEvent(QMouseEvent* e)
{
    Control* pressed = captured_;
    Window* window = capturedWindow_;
    pressedButtons_ = buttonState(e->buttons());
    const auto release = [this] {
        captured_ = nullptr;
        capturedWindow_ = nullptr;
    };
    if (!pressedButtons_)
        release();
    if (!pressed || window != desktop_.top()) {
        release();
        repaintChanges();
        return;
    }
    const QPointF twips = clientTwips(*window, e->position());
    desktop_.pointerRelease(*pressed, buttonState(e->button()), shiftState(e->modifiers()), twips);
    // A button is still held: keep the pointer only if the handler left the control on top.
    if (captured_) {
        const auto& loaded = desktop_.loadedWindows();
        const bool alive = std::find(loaded.begin(), loaded.end(), window) != loaded.end();
        if (!alive || window != desktop_.top()
            || std::find(window->controls().begin(), window->controls().end(), pressed) == window->controls().end())
            release();
    }
    repaintChanges();
}

void Host::mouseMoveEvent(QMouseEvent* e)
{
    const int buttons = buttonState(e->buttons());
    const int shift = shiftState(e->modifiers());
    if (captured_ && capturedWindow_ == desktop_.top()) {
        const QPointF twips = clientTwips(*capturedWindow_, e->position());
        const QPointF at = relative(*captured_, twips);
        desktop_.mouseMove(*captured_, buttons, shift, float(at.x()), float(at.y()));
    } else {
        const Hit hit = hitTest(e->position());
        if (hit.control) {
            const QPointF at = relative(*hit.control, hit.twips);
            desktop_.mouseMove(*hit.control, buttons, shift, float(at.x()), float(at.y()));
        } else if (hit.window) {
            desktop_.formMouseMove(*hit.window, buttons, shift, float(hit.twips.x()), float(hit.twips.y()));
        }
    }
    repaintChanges();
}

namespace {

// The model's code for a key that is not a character, or 0.
int keyCode(const QKeyEvent& e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyReturn;
    case Qt::Key_Backspace:
        return kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kKeyTab;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Home:
        return kKeyHome;
    case Qt::Key_End:
        return kKeyEnd;
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_Insert:
        return kKeyInsert;
    case Qt::Key_A:
        return kKeyA;
    case Qt::Key_C:
        return kKeyC;
    case Qt::Key_V:
        return kKeyV;
    case Qt::Key_X:
        return kKeyX;
    default:
        return 0;
    }
}

} // namespace

// The host only translates: every key's meaning is the desktop's.
void Host::keyPressEvent(QKeyEvent* e)
{
    int shift = shiftState(e->modifiers());
    if (e->key() == Qt::Key_Backtab)
        shift |= kShiftMask;
    const int code = keyCode(*e);
    const bool letter = code == kKeyA || code == kKeyC || code == kKeyV || code == kKeyX;
    if (code && (!letter || (shift & kCtrlMask)))
        desktop_.keyDown(code, shift);
    else if (!(shift & (kCtrlMask | kAltMask)) && !e->text().isEmpty() && e->text().at(0).isPrint())
        desktop_.type(e->text());
    repaintChanges();
}

} // namespace oravians
