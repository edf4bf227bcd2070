#include "platform/fontmeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>

namespace oravians {

float FontMeasure::widthTwips(const QString& text, const FontSpec& font)
{
    if (!QGuiApplication::instance())
        return float(text.size()) * font.size * 2 / 3 * kTwipsPerPixel;
    QFont f(font.name);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    return float(QFontMetricsF(f).horizontalAdvance(text)) * kTwipsPerPixel;
}

} // namespace oravians
