#include "platform/wmf/dib.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace oravians {

namespace {

uint32_t rd32(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t rd16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr int64_t kMaxPixels = kMaxDibPixels;

// The embedded JPEG or PNG after a DIB header, capped like any bitmap before
// it is decoded: its header can claim far more than the DIB's.
QImage decodeEmbedded(const unsigned char* data, std::size_t len, QSize* sizeOnly)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     int(std::min<std::size_t>(len, 64u << 20)));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (sizeOnly) {
        *sizeOnly = size;
        return {};
    }
    if (!size.isValid() || int64_t(size.width()) * size.height() > kMaxPixels)
        return {};
    return reader.read();
}

int maskShift(uint32_t mask)
{
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int maskBits(uint32_t mask)
{
    mask >>= maskShift(mask);
    int n = 0;
    while (mask & 1) {
        mask >>= 1;
        ++n;
    }
    return n;
}

int scaleTo8(uint32_t v, int bits)
{
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return int(v >> (bits - 8)) & 0xFF;
    const uint32_t max = (1u << bits) - 1;
    return int(v * 255 / max);
}

// Expands RLE8/RLE4 data into one byte per pixel (bottom-up rows).
std::vector<uint8_t> unpackRle(const unsigned char* p, std::size_t len, int w, int h, bool four)
{
    std::vector<uint8_t> out(std::size_t(w) * std::size_t(h), 0);
    int x = 0, y = 0;
    std::size_t i = 0;
    auto put = [&](int v) {
        if (x < w && y < h)
            out[std::size_t(y) * std::size_t(w) + std::size_t(x)] = uint8_t(v);
        ++x;
    };
    while (i + 1 < len && y < h) {
        const int n = p[i], v = p[i + 1];
        i += 2;
        if (n > 0) {
            for (int k = 0; k < n; ++k)
                put(four ? ((k & 1) ? (v & 0x0F) : (v >> 4)) : v);
        } else if (v == 0) { // end of line
            x = 0;
            ++y;
        } else if (v == 1) { // end of bitmap
            break;
        } else if (v == 2) { // delta
            if (i + 1 >= len) break;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else { // absolute run of v pixels
            const std::size_t bytes = four ? std::size_t((v + 1) / 2) : std::size_t(v);
            if (i + bytes > len) break;
            for (int k = 0; k < v; ++k) {
                const int b = p[i + std::size_t(four ? k / 2 : k)];
                put(four ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            i += (bytes + 1) & ~std::size_t(1);
        }
    }
    return out;
}

// The fields of a core (12-byte) or info (40-byte and longer) header.
struct DibHeader {
    uint32_t headerSize;
    int bits;
    uint32_t compression;
    uint32_t clrUsed;
    std::size_t entrySize; // bytes a colour-table entry takes
    int64_t width, height;
};

std::optional<DibHeader> readHeader(const unsigned char* dib, std::size_t len)
{
    if (!dib || len < 12)
        return std::nullopt;
    const uint32_t headerSize = rd32(dib);
    if (headerSize == 12)
        return DibHeader{headerSize, rd16(dib + 10), 0, 0, 3, rd16(dib + 4), int16_t(rd16(dib + 6))};
    if (headerSize >= 40 && headerSize <= len)
        return DibHeader{headerSize, rd16(dib + 14), rd32(dib + 16), rd32(dib + 32), 4,
                         int32_t(rd32(dib + 4)), int32_t(rd32(dib + 8))};
    return std::nullopt;
}

} // namespace

QImage dibToImage(const char* dibChars, std::size_t len, const std::vector<QColor>* palette)
{
    const auto* dib = reinterpret_cast<const unsigned char*>(dibChars);
    const std::optional<DibHeader> header = readHeader(dib, len);
    if (!header)
        return {};
    const uint32_t headerSize = header->headerSize, compression = header->compression, clrUsed = header->clrUsed;
    const int bits = header->bits;
    const std::size_t entrySize = header->entrySize;
    int64_t width = header->width, height = header->height;
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return {};

    const unsigned char* end = dib + len;
    const unsigned char* cur = dib + headerSize;
    if (compression != 4 && compression != 5 && bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24
        && bits != 32)
        return {};

    if (compression == 4 || compression == 5) { // JPEG or PNG inside
        return decodeEmbedded(cur, std::size_t(end - cur), nullptr);
    }

    uint32_t masks[3] = {0, 0, 0};
    if (compression == 3) {
        if (headerSize == 40) {
            if (std::size_t(end - cur) < 12) return {};
            masks[0] = rd32(cur);
            masks[1] = rd32(cur + 4);
            masks[2] = rd32(cur + 8);
            cur += 12;
        } else if (headerSize >= 52) {
            masks[0] = rd32(dib + 40);
            masks[1] = rd32(dib + 44);
            masks[2] = rd32(dib + 48);
        }
    } else if (bits == 16) {
        masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F;
    } else if (bits == 32) {
        masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF;
    }

    // Colour table.
    std::vector<QRgb> table;
    if (bits <= 8) {
        std::size_t n = clrUsed ? clrUsed : (std::size_t(1) << bits);
        n = std::min<std::size_t>(n, 256);
        const bool indices = palette != nullptr;
        const std::size_t each = indices ? 2 : entrySize;
        if (std::size_t(end - cur) < n * each)
            n = std::size_t(end - cur) / each;
        for (std::size_t i = 0; i < n; ++i) {
            if (indices) {
                const std::size_t at = rd16(cur + 2 * i);
                table.push_back(at < palette->size() ? (*palette)[at].rgb() : qRgb(0, 0, 0));
            } else
                table.push_back(qRgb(cur[i * each + 2], cur[i * each + 1], cur[i * each]));
        }
        cur += n * each;
        // Pixel data in DIBs with a shorter table still index 2^bits entries.
        table.resize(std::size_t(1) << bits, qRgb(0, 0, 0));
    } else if (!(bits == 16 || bits == 24 || bits == 32))
        return {};

    const int w = int(width), h = int(height);
    QImage img(w, h, QImage::Format_ARGB32);
    if (img.isNull())
        return {};
    img.fill(Qt::transparent);

    if (compression == 1 || compression == 2) { // run-length encoded, bottom-up
        if (bits != (compression == 1 ? 8 : 4)) return {};
        const auto px = unpackRle(cur, std::size_t(end - cur), w, h, compression == 2);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(h - 1 - y));
            for (int x = 0; x < w; ++x)
                line[x] = table[px[std::size_t(y) * std::size_t(w) + std::size_t(x)] % table.size()];
        }
        return img;
    }
    if (compression != 0 && compression != 3)
        return {};

    const std::size_t stride = ((std::size_t(w) * std::size_t(bits) + 31) / 32) * 4;
    const std::size_t available = std::size_t(end - cur);
    const int rows = int(std::min<std::size_t>(std::size_t(h), available / stride));
    const int rs = maskShift(masks[0]), gs = maskShift(masks[1]), bs = maskShift(masks[2]);
    const int rb = maskBits(masks[0]), gb = maskBits(masks[1]), bb = maskBits(masks[2]);
    for (int row = 0; row < rows; ++row) {
        const unsigned char* src = cur + std::size_t(row) * stride;
        const int y = topDown ? row : h - 1 - row;
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (bits) {
            case 1: line[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: line[x] = table[(x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4)]; break;
            case 8: line[x] = table[src[x]]; break;
            case 24: line[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            case 16:
            case 32: {
                const uint32_t v = bits == 16 ? rd16(src + 2 * x) : rd32(src + 4 * x);
                line[x] = qRgb(scaleTo8((v & masks[0]) >> rs, rb), scaleTo8((v & masks[1]) >> gs, gb),
                               scaleTo8((v & masks[2]) >> bs, bb));
                break;
            }
            default: break;
            }
        }
    }
    return img;
}

std::optional<DibExtent> dibExtent(const char* dibChars, std::size_t len, bool paletteIndices)
{
    const auto* dib = reinterpret_cast<const unsigned char*>(dibChars);
    const std::optional<DibHeader> header = readHeader(dib, len);
    if (!header)
        return std::nullopt;
    const uint32_t headerSize = header->headerSize, compression = header->compression, clrUsed = header->clrUsed;
    const int bits = header->bits;
    const std::size_t entrySize = header->entrySize;
    int64_t width = header->width, height = header->height;
    DibExtent extent;
    if (compression == 4 || compression == 5) {
        decodeEmbedded(dib + headerSize, len - headerSize, &extent.size);
        if (!extent.size.isValid())
            return std::nullopt;
        extent.hasPixels = true;
        return extent;
    }
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > (1 << 30) || height > (1 << 30))
        return std::nullopt;
    extent.size = QSize(int(width), int(height));
    std::size_t offset = headerSize;
    if (compression == 3 && headerSize == 40)
        offset += 12;
    if (bits >= 1 && bits <= 8) {
        const std::size_t n = std::min<std::size_t>(clrUsed ? clrUsed : (std::size_t(1) << bits), 256);
        offset += n * (paletteIndices ? 2 : entrySize);
    }
    const std::size_t available = len > offset ? len - offset : 0;
    if (compression == 1 || compression == 2) {
        // Run-length data has no size to check the header's against: look
        // for a run that sets a pixel before anything is allocated.
        const unsigned char* p = dib + std::min(offset, len);
        for (std::size_t i = 0; i + 1 < available && !extent.hasPixels;) {
            const int n = p[i], v = p[i + 1];
            i += 2;
            if (n > 0 || v > 2)
                extent.hasPixels = true;
            else if (v == 1)
                break;
            else if (v == 2)
                i += 2;
        }
    } else
        extent.hasPixels = available >= ((std::size_t(width) * std::size_t(std::max(bits, 1)) + 31) / 32) * 4;
    return extent;
}

} // namespace oravians
