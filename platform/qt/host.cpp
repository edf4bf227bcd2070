#include "platform/qt/host.h"

#include "platform/wmf/fontmap.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyleHints>

#include <algorithm>

namespace oravians {

namespace {

constexpr float kPx = kTwipsPerPixel;

QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

Qt::Alignment qalign(Align a)
{
    switch (a) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QRectF rectOf(const Control& c) { return {c.left, c.top, c.width, c.height}; }

// A one-pixel line inside the rectangle's edge, in twips.
void drawBorder(QPainter& p, const QRectF& r, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), kPx));
    p.drawRect(QRectF(r.left(), r.bottom() - kPx, r.width(), kPx));
    p.drawRect(QRectF(r.left(), r.top(), kPx, r.height()));
    p.drawRect(QRectF(r.right() - kPx, r.top(), kPx, r.height()));
}

void drawBevel(QPainter& p, const QRectF& r, bool raised)
{
    const QColor light = raised ? QColor(255, 255, 255) : QColor(128, 128, 128);
    const QColor dark = raised ? QColor(64, 64, 64) : QColor(255, 255, 255);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), kPx));
    p.drawRect(QRectF(r.left(), r.top(), kPx, r.height()));
    p.setBrush(dark);
    p.drawRect(QRectF(r.left(), r.bottom() - kPx, r.width(), kPx));
    p.drawRect(QRectF(r.right() - kPx, r.top(), kPx, r.height()));
}

void drawText(QPainter& p, const Control& c, const QRectF& r, Qt::Alignment align, bool wrap)
{
    p.setPen(c.enabled ? qcolor(c.fore) : QColor(128, 128, 128));
    drawCaptionText(p, c.font, r, int(align) | (wrap ? Qt::TextWordWrap : 0), c.caption);
}

void drawControl(QPainter& p, const Window& w, const Control& c, bool active);

void drawChildren(QPainter& p, const Window& w, const Control* parent, bool active)
{
    for (const Control* child : w.controls())
        if (child->parent == parent)
            drawControl(p, w, *child, active);
}

void drawControl(QPainter& p, const Window& w, const Control& c, bool active)
{
    if (!c.visible || c.isTimer())
        return;
    const QRectF r = rectOf(c);
    p.save();
    switch (c.kind) {
    case Kind::Label: {
        if (c.opaque) {
            p.fillRect(r, qcolor(c.back));
        }
        if (c.border)
            drawBorder(p, r, Qt::black);
        const float pad = c.border ? kPx : 0;
        drawText(p, c, r.adjusted(pad, pad, -pad, -pad), qalign(c.align) | Qt::AlignTop, true);
        if (active && w.focus() == &c) {
            // A label that takes the focus (an activity's) shows it in its text colour.
            p.setPen(QPen(qcolor(c.fore), kPx, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(2 * kPx, 2 * kPx, -3 * kPx, -3 * kPx));
        }
        break;
    }
    case Kind::Image:
        if (c.picture) {
            const QSizeF own = c.picture->sizeTwips();
            c.picture->draw(p, c.stretch ? r : QRectF(r.topLeft(), own));
        }
        break;
    case Kind::PictureBox:
        p.fillRect(r, qcolor(c.back));
        p.setClipRect(r, Qt::IntersectClip);
        if (c.picture)
            c.picture->draw(p, QRectF(r.topLeft(), c.picture->sizeTwips()));
        if (c.border)
            drawBevel(p, r, false);
        break;
    case Kind::Frame: {
        if (c.opaque)
            p.fillRect(r, qcolor(c.back));
        if (c.border) {
            // An etched line, a little below the top so a caption can sit on it.
            const QRectF line = r.adjusted(0, 7 * kPx, -kPx, -kPx);
            p.setPen(QPen(QColor(128, 128, 128), kPx));
            p.setBrush(Qt::NoBrush);
            p.drawRect(line);
            p.setPen(QPen(QColor(255, 255, 255), kPx));
            p.drawRect(line.translated(kPx, kPx));
        }
        if (!c.caption.isEmpty()) {
            p.setFont(twipsFont(c.font));
            const QRectF cap(r.left() + 8 * kPx, r.top(), r.width(), 15 * kPx);
            const QRectF used = p.boundingRect(cap, Qt::AlignLeft | Qt::AlignTop, c.caption);
            p.fillRect(used.adjusted(-2 * kPx, 0, 2 * kPx, 0), qcolor(c.back));
            drawText(p, c, cap, Qt::AlignLeft | Qt::AlignTop, false);
        }
        break;
    }
    case Kind::OptionButton:
    case Kind::CheckBox: {
        if (c.opaque)
            p.fillRect(r, qcolor(c.back));
        const float box = 13 * kPx;
        const QRectF mark(r.left(), r.center().y() - box / 2, box, box);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(64, 64, 64), kPx));
        p.setBrush(Qt::white);
        if (c.kind == Kind::OptionButton) {
            p.drawEllipse(mark.adjusted(kPx / 2, kPx / 2, -kPx / 2, -kPx / 2));
            if (c.value) {
                p.setBrush(Qt::black);
                p.setPen(Qt::NoPen);
                p.drawEllipse(mark.center(), 2.5 * kPx, 2.5 * kPx);
            }
        } else {
            p.drawRect(mark.adjusted(kPx / 2, kPx / 2, -kPx / 2, -kPx / 2));
            if (c.value) {
                QPainterPath tick;
                tick.moveTo(mark.left() + 3 * kPx, mark.center().y());
                tick.lineTo(mark.left() + 5.5 * kPx, mark.bottom() - 3.5 * kPx);
                tick.lineTo(mark.right() - 3 * kPx, mark.top() + 3 * kPx);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(Qt::black, 2 * kPx));
                p.drawPath(tick);
            }
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        drawText(p, c, r.adjusted(box + 4 * kPx, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, false);
        break;
    }
    case Kind::TextBox: {
        p.fillRect(r, Qt::white);
        drawBevel(p, r, false);
        const QRectF inner = r.adjusted(kTextBoxPadTwips, kPx, -kTextBoxPadTwips, -kPx);
        p.setClipRect(inner, Qt::IntersectClip);
        drawText(p, c, inner, Qt::AlignLeft | Qt::AlignVCenter, false);
        if (active && w.focus() == &c) {
            const QFontMetricsF m(twipsFont(c.font));
            const float h = float(m.height());
            const auto xAt = [&](int pos) { return inner.left() + float(m.horizontalAdvance(c.caption.left(pos))); };
            if (c.selLength() > 0) {
                // The selection: white letters on the highlight colour.
                const float from = xAt(c.selStart());
                const QRectF band(from, inner.center().y() - h / 2, xAt(c.selStart() + c.selLength()) - from, h);
                p.save();
                p.setClipRect(band, Qt::IntersectClip);
                p.fillRect(band, QColor(10, 36, 106));
                p.setPen(Qt::white);
                drawCaptionText(p, c.font, inner, Qt::AlignLeft | Qt::AlignVCenter, c.caption);
                p.restore();
            } else {
                const float x = xAt(std::clamp(c.cursor, 0, int(c.caption.size())));
                p.fillRect(QRectF(x, inner.center().y() - h / 2, kPx, h), Qt::black);
            }
        }
        break;
    }
    case Kind::CommandButton: {
        p.fillRect(r, qcolor(c.back));
        drawBorder(p, r, Qt::black);
        drawBevel(p, r.adjusted(kPx, kPx, -kPx, -kPx), true);
        drawText(p, c, r, Qt::AlignHCenter | Qt::AlignVCenter, false);
        if (active && w.focus() == &c) {
            p.setPen(QPen(Qt::black, kPx, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(4 * kPx, 4 * kPx, -5 * kPx, -5 * kPx));
        }
        break;
    }
    case Kind::Line:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(qcolor(c.fore), std::max(1, c.lineWidth) * kPx, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(c.left, c.top), QPointF(c.x2, c.y2));
        break;
    case Kind::Timer:
        break;
    }
    p.restore();
    if (c.kind == Kind::Frame || c.kind == Kind::PictureBox) {
        p.save();
        p.translate(c.left, c.top);
        p.setClipRect(QRectF(0, 0, c.width, c.height), Qt::IntersectClip);
        drawChildren(p, w, &c, active);
        p.restore();
    }
}

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

void addProgramFonts(const QString& contentFolder)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList folders = {contentFolder + QStringLiteral("/fonts"), QStringLiteral("/usr/share/wine/fonts")};
    for (const QString& name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")}) {
        for (const QString& folder : folders) {
            const QString file = folder + QLatin1Char('/') + name;
            if (QFileInfo::exists(file) && QFontDatabase::addApplicationFont(file) >= 0)
                break;
        }
    }
}

QFont twipsFont(const FontSpec& spec)
{
    QFont f(installedFamily(spec.name));
    // A pupil's name may be in any script; letters the family lacks come
    // from a font of the same style.
    f.setFamilies(QStringList{f.family()} + fallbackFamilies(spec.name));
    f.setPixelSize(std::max(1, int(spec.size * kTwipsPerPoint + 0.5f)));
    f.setBold(spec.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void drawCaptionText(QPainter& p, const FontSpec& font, const QRectF& r, int flags, const QString& text)
{
    p.setFont(twipsFont(font));
    p.drawText(r, flags, text);
    // The Tahoma-compatible bold face has the right widths but light strokes:
    // strike it once more a little to the right, as bold text looks on screen.
    if (font.bold && installedFamily(font.name) == QLatin1String("Tahoma"))
        p.drawText(r.translated(std::max(kTwipsPerPixel * 0.6f, font.size * kTwipsPerPoint * 0.045f), 0), flags, text);
}

void paintWindow(QPainter& p, const Window& w, bool active)
{
    p.fillRect(QRectF(0, 0, w.clientWidth(), w.clientHeight()), qcolor(w.back));
    drawChildren(p, w, nullptr, active);
}

Host::Host(Desktop& desktop, QWidget* parent) : QWidget(parent), desktop_(desktop)
{
    setWindowTitle(QStringLiteral("The Oravians"));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    desktop_.onChange = [this] { repaintChanges(); };
    desktop_.measureText = [](const FontSpec& font, const QString& text) {
        return float(QFontMetricsF(twipsFont(font)).horizontalAdvance(text));
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
    p.fillRect(rect(), Qt::black);
    // Everything is drawn from twips, so the whole desktop scales as one:
    // pages and text stay vector drawings, pictures are smoothed.
    p.scale(scale(), scale());
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const auto windows = desktop_.visibleWindows();
    for (Window* w : windows) {
        const bool active = w == desktop_.top();
        if (!w->borderless) {
            const QRectF frame = panelPixels(*w);
            p.fillRect(frame, QColor(212, 208, 200));
            p.setPen(QPen(QColor(64, 64, 64), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(frame.adjusted(0, 0, -1, -1));
            const float b = kBorderTwips / kPx;
            const QRectF bar(frame.left() + b, frame.top() + b, frame.width() - 2 * b, kCaptionTwips / kPx);
            QLinearGradient g(bar.topLeft(), bar.topRight());
            g.setColorAt(0, active ? QColor(10, 36, 106) : QColor(128, 128, 128));
            g.setColorAt(1, active ? QColor(166, 202, 240) : QColor(192, 192, 192));
            p.fillRect(bar, g);
            QFont f(installedFamily(QStringLiteral("Tahoma")));
            f.setPixelSize(11);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, w->caption);
        }
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

void QtTimers::timerChanged(Control& timer)
{
    QTimer* t = timers_.value(&timer);
    if (!t) {
        t = new QTimer(this);
        Control* control = &timer;
        connect(t, &QTimer::timeout, this, [this, control] {
            if (desktop_)
                desktop_->tick(*control);
        });
        timers_.insert(&timer, t);
    }
    if (timer.enabled && timer.interval > 0)
        t->start(timer.interval);
    else
        t->stop();
}

void QtTimers::timerRemoved(Control& timer)
{
    if (QTimer* t = timers_.take(&timer)) {
        t->stop();
        t->deleteLater();
    }
}

float QtScreen::widthTwips() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? float(s->geometry().width()) / Host::scale() * kPx : 12000.0f;
}

float QtScreen::heightTwips() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? float(s->geometry().height()) / Host::scale() * kPx : 9000.0f;
}

void QtScreen::setMousePointer(MousePointer pointer)
{
    const bool busy = pointer == MousePointer::Hourglass;
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

int QtScreen::doubleClickMilliseconds() const { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

float QtScreen::doubleClickTwips() const
{
    return float(QGuiApplication::styleHints()->mouseDoubleClickDistance()) / Host::scale() * kPx;
}

MsgResult QtMessages::show(const QString& text, MsgButtons buttons, const QString& caption)
{
    QMessageBox box(parent_);
    box.setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    box.setText(text);
    if (buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setIcon(QMessageBox::Question);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

} // namespace oravians
