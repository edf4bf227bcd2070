#pragma once

#include <QString>
#include <cstdint>

namespace oravians {

// Screen twips per logical pixel at 96 dpi; the whole program draws in twips.
inline constexpr float kTwipsPerPixel = 15.0f;
inline constexpr float kTwipsPerPoint = 20.0f;
inline constexpr float kTwipsPerInch = 1440.0f;

// A framed panel's border and caption bar, in twips. A window's width and
// height include them, as a desktop window's outer size does.
inline constexpr float kBorderTwips = 30.0f;   // 2 px each side
inline constexpr float kCaptionTwips = 300.0f; // 20 px

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kLightGrey{192, 192, 192};
inline constexpr Rgb kWindowBlue{0, 78, 152}; // the common window colour

enum class Align { Left, Right, Center };

// A font as a design table names it; the host maps the family to an installed one.
struct FontSpec {
    QString name = QStringLiteral("Tahoma");
    float size = 8.25f; // points
    bool bold = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline FontSpec tahoma(float size, bool bold = true) { return {QStringLiteral("Tahoma"), size, bold}; }
inline FontSpec times(float size, bool bold = false) { return {QStringLiteral("Times New Roman"), size, bold}; }
inline FontSpec arial(float size, bool bold = false) { return {QStringLiteral("Arial"), size, bold}; }

// Mouse buttons as the handlers receive them (a bit set).
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyBackspace = 8;

} // namespace oravians
