#pragma once

#include <QColor>
#include <QImage>
#include <cstddef>
#include <vector>

namespace oravians {

// Decodes a packed device-independent bitmap (info or core header, colour
// table, pixels) of 1, 4, 8, 16, 24 or 32 bits, uncompressed, run-length
// (8 and 4 bits) or an embedded JPEG/PNG. len is what the record holds; rows
// beyond it are left transparent. palette, when given, resolves a colour table
// of palette indices. Returns a null image when nothing can be decoded.
QImage dibToImage(const char* dib, std::size_t len, const std::vector<QColor>* palette);

} // namespace oravians
