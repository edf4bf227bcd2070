#include "platform/qt/windowpainter.h"

#include "platform/desktop.h"
#include "platform/fontmap.h"

#include <QPaintEngine>
#include <QPainterPath>

#include <algorithm>

namespace oravians {

namespace {

const QColor kFocusRing(0, 255, 255);

QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// A solid fill, on the screen made in device pixels: under the desktop's
// scaling the raster engine fills row by row and hands a large fill to
// helper threads, which costs more than the fill. The pixels are the same.
void fillSolid(QPainter& p, const QRectF& r, const QColor& colour)
{
    const QTransform t = p.transform();
    if (!p.paintEngine() || p.paintEngine()->type() != QPaintEngine::Raster || t.type() > QTransform::TxScale
        || p.testRenderHint(QPainter::Antialiasing)) {
        p.fillRect(r, colour);
        return;
    }
    p.save();
    p.resetTransform();
    p.fillRect(t.mapRect(r), colour);
    p.restore();
}

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
        // A focused label button looks as under the pointer (opaque), with
        // a cyan ring inside its border that stands out on black and navy
        // alike and is no colour of the program's text.
        const bool focused = active && w.desktop().showsFocus(c);
        if (c.opaque || focused) {
            fillSolid(p, r, qcolor(c.back));
        }
        if (c.border)
            drawBorder(p, r, Qt::black);
        const float pad = c.border ? kPx : 0;
        drawText(p, c, r.adjusted(pad, pad, -pad, -pad), qalign(c.align) | Qt::AlignTop, true);
        if (focused) {
            const QRectF ring = r.adjusted(kPx, kPx, -kPx, -kPx);
            drawBorder(p, ring, kFocusRing);
            drawBorder(p, ring.adjusted(kPx, kPx, -kPx, -kPx), kFocusRing);
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
        fillSolid(p, r, qcolor(c.back));
        p.setClipRect(r, Qt::IntersectClip);
        if (c.picture)
            c.picture->draw(p, QRectF(r.topLeft(), c.picture->sizeTwips()));
        if (c.border)
            drawBevel(p, r, false);
        break;
    case Kind::Frame: {
        if (c.opaque)
            fillSolid(p, r, qcolor(c.back));
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
            p.setFont(twipsFont(c.font, c.caption));
            const QRectF cap(r.left() + 8 * kPx, r.top(), r.width(), 15 * kPx);
            const QRectF used = p.boundingRect(cap, Qt::AlignLeft | Qt::AlignTop, c.caption);
            fillSolid(p, used.adjusted(-2 * kPx, 0, 2 * kPx, 0), qcolor(c.back));
            drawText(p, c, cap, Qt::AlignLeft | Qt::AlignTop, false);
        }
        break;
    }
    case Kind::OptionButton:
    case Kind::CheckBox: {
        if (c.opaque)
            fillSolid(p, r, qcolor(c.back));
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
        // A click focuses an option too, so its ring waits for the keyboard.
        if (active && w.focus() == &c && w.desktop().keyboardInUse()) {
            drawBorder(p, r, kFocusRing);
            drawBorder(p, r.adjusted(kPx, kPx, -kPx, -kPx), kFocusRing);
        }
        break;
    }
    case Kind::TextBox: {
        fillSolid(p, r, Qt::white);
        drawBevel(p, r, false);
        const QRectF inner = r.adjusted(kTextBoxPadTwips, kPx, -kTextBoxPadTwips, -kPx);
        p.setClipRect(inner, Qt::IntersectClip);
        drawText(p, c, inner, Qt::AlignLeft | Qt::AlignVCenter, false);
        if (active && w.focus() == &c) {
            const QFontMetricsF m(twipsFont(c.font, c.caption));
            const float h = float(m.height());
            const auto xAt = [&](int pos) { return inner.left() + float(m.horizontalAdvance(c.caption.left(pos))); };
            if (c.selLength() > 0) {
                // The selection: white letters on the highlight colour.
                const float from = xAt(c.selStart());
                const QRectF band(from, inner.center().y() - h / 2, xAt(c.selStart() + c.selLength()) - from, h);
                p.save();
                p.setClipRect(band, Qt::IntersectClip);
                fillSolid(p, band, QColor(10, 36, 106));
                p.setPen(Qt::white);
                drawCaptionText(p, c.font, inner, Qt::AlignLeft | Qt::AlignVCenter, c.caption);
                p.restore();
            } else {
                const float x = xAt(std::clamp(c.cursor, 0, int(c.caption.size())));
                fillSolid(p, QRectF(x, inner.center().y() - h / 2, kPx, h), Qt::black);
            }
        }
        break;
    }
    case Kind::CommandButton: {
        fillSolid(p, r, qcolor(c.back));
        drawBorder(p, r, Qt::black);
        drawBevel(p, r.adjusted(kPx, kPx, -kPx, -kPx), true);
        drawText(p, c, r, Qt::AlignHCenter | Qt::AlignVCenter, false);
        if (active && w.desktop().showsFocus(c)) {
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

} // namespace

namespace {

// Text every installed design family draws with its own letters.
bool familyCovers(const QString& family, const QString& text)
{
    static const QStringList kFamilies{QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                                       QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Mono")};
    return kFamilies.contains(family)
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

} // namespace

QFont twipsFont(const FontSpec& spec, const QString& text)
{
    QFont f(installedFamily(spec.name));
    // A pupil's name may be in any script; letters the family lacks come
    // from a font of the same style. Naming those fonts makes the font system
    // rank every installed font at once, which a text in the family's own
    // letters never needs.
    if (!familyCovers(f.family(), text))
        f.setFamilies(QStringList{f.family()} + fallbackFamilies(spec.name));
    f.setPixelSize(std::max(1, int(spec.size * kTwipsPerPoint + 0.5f)));
    f.setBold(spec.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void drawCaptionText(QPainter& p, const FontSpec& font, const QRectF& r, int flags, const QString& text)
{
    // Spaces leave no mark; loading a font for them would.
    if (text.trimmed().isEmpty())
        return;
    p.setFont(twipsFont(font, text));
    p.drawText(r, flags, text);
    // The Tahoma-compatible bold face has the right widths but light strokes:
    // strike it once more a little to the right, as bold text looks on screen.
    if (font.bold && installedFamily(font.name) == QLatin1String("Tahoma"))
        p.drawText(r.translated(std::max(kTwipsPerPixel * 0.6f, font.size * kTwipsPerPoint * 0.045f), 0), flags, text);
}

void paintWindow(QPainter& p, const Window& w, bool active)
{
    fillSolid(p, QRectF(0, 0, w.clientWidth(), w.clientHeight()), qcolor(w.back));
    drawChildren(p, w, nullptr, active);
}

void paintFrame(QPainter& p, const Window& w, const QRectF& frame, bool active)
{
    fillSolid(p, frame, QColor(212, 208, 200));
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    const float b = kBorderTwips / kPx;
    const QRectF bar(frame.left() + b, frame.top() + b, frame.width() - 2 * b, kCaptionTwips / kPx);
    QLinearGradient g(bar.topLeft(), bar.topRight());
    g.setColorAt(0, active ? QColor(10, 36, 106) : QColor(128, 128, 128));
    g.setColorAt(1, active ? QColor(166, 202, 240) : QColor(192, 192, 192));
    p.fillRect(bar, g);
    if (w.caption.trimmed().isEmpty())
        return;
    QFont f(installedFamily(QStringLiteral("Tahoma")));
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, w.caption);
}

} // namespace oravians
