#pragma once

#include "platform/services.h"

namespace oravians {

// Measures with the font system's metrics; without a GUI (no font system)
// half an em a character, close enough for a choice between two sizes.
class FontMeasure : public TextMeasure {
public:
    float widthTwips(const QString& text, const FontSpec& font) override;
};

} // namespace oravians
