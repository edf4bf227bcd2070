#pragma once

#include "platform/window.h"

#include <QFont>
#include <QPainter>

namespace oravians {

// Twips in one pixel of the design, as the host and the painter scale them.
inline constexpr float kPx = kTwipsPerPixel;

// The QFont for a design-table font, sized in twips for a painter that draws
// in twips, for drawing or measuring `text` (which decides whether fonts for
// other scripts are named as fallbacks).
QFont twipsFont(const FontSpec& spec, const QString& text);

// Draws a caption in a design-table font; the painter draws in twips.
void drawCaptionText(QPainter& p, const FontSpec& font, const QRectF& r, int flags, const QString& text);

// Draws one window's client area, controls in drawing order; the painter
// draws in the window's client twips.
void paintWindow(QPainter& p, const Window& w, bool active);

// Draws a framed window's border and caption bar around its client area;
// the painter draws in desktop pixels and `frame` is the whole panel.
void paintFrame(QPainter& p, const Window& w, const QRectF& frame, bool active);

} // namespace oravians
