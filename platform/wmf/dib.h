#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace oravians {

// Decodes a packed device-independent bitmap (info or core header, colour
// table, pixels) of 1, 4, 8, 16, 24 or 32 bits, uncompressed, run-length
// (8 and 4 bits) or an embedded JPEG/PNG. len is what the record holds; rows
// beyond it are left transparent. palette, when given, resolves a colour table
// of palette indices. Returns a null image when nothing can be decoded.
QImage dibToImage(const char* dib, std::size_t len, const std::vector<QColor>* palette);

// Largest bitmap decoded: enough for any page picture, small enough that a
// damaged size field cannot exhaust memory.
constexpr int64_t kMaxDibPixels = 4096LL * 4096LL;

// What a DIB would decode to, read from its headers only (for an embedded
// JPEG or PNG, from that image's own header): its size, and whether the
// record holds any pixels at all (an uncompressed bitmap at least one whole
// row). Empty when the headers cannot be read.
struct DibExtent {
    QSize size;
    bool hasPixels = false;
};
std::optional<DibExtent> dibExtent(const char* dib, std::size_t len, bool paletteIndices);

} // namespace oravians
