#pragma once

// Builds small metafiles record by record for the player's tests: the
// placeable header, the metafile header, then records as 16-bit words in
// file order (Windows stores most point arguments y first).
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace wmftest {

enum Fn : uint16_t {
    EOF_ = 0x0000, SETBKCOLOR = 0x0201, SETBKMODE = 0x0102, SETMAPMODE = 0x0103, SETPOLYFILLMODE = 0x0106,
    SETTEXTCOLOR = 0x0209, SETWINDOWORG = 0x020B, SETWINDOWEXT = 0x020C, SETVIEWPORTORG = 0x020D,
    SETVIEWPORTEXT = 0x020E, LINETO = 0x0213, MOVETO = 0x0214, EXCLUDECLIPRECT = 0x0415,
    INTERSECTCLIPRECT = 0x0416, ELLIPSE = 0x0418, RECTANGLE = 0x041B, SAVEDC = 0x001E, TEXTOUT = 0x0521,
    POLYGON = 0x0324, RESTOREDC = 0x0127, SELECTCLIPREGION = 0x012C, SELECTOBJECT = 0x012D,
    SETTEXTALIGN = 0x012E, EXTTEXTOUT = 0x0A32, POLYPOLYGON = 0x0538, DIBBITBLT = 0x0940,
    DIBSTRETCHBLT = 0x0B41, STRETCHDIB = 0x0F43, SETDIBTODEV = 0x0D33, DELETEOBJECT = 0x01F0,
    CREATEPENINDIRECT = 0x02FA, CREATEFONTINDIRECT = 0x02FB, CREATEBRUSHINDIRECT = 0x02FC,
    CREATEREGION = 0x06FF,
};

inline void w16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
inline void w32(QByteArray& b, uint32_t v) { w16(b, int(v & 0xFFFF)); w16(b, int(v >> 16)); }
inline QByteArray words(std::initializer_list<int> ws)
{
    QByteArray b;
    for (int v : ws)
        w16(b, v);
    return b;
}

// A bitmap info header for width x height (negative: top row first) at the
// given depth and compression; no colour table, no pixels.
inline QByteArray infoHeader(int width, int height, int bits, int compression = 0, uint32_t imageSize = 0)
{
    QByteArray b;
    for (uint32_t v : {40u, uint32_t(width), uint32_t(height)})
        w32(b, v);
    b += words({1, bits});
    for (uint32_t v : {uint32_t(compression), imageSize, 0u, 0u, 0u, 0u})
        w32(b, v);
    return b;
}

inline QByteArray encoded(const QImage& img, const char* format, int quality = -1)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format, quality);
    return out;
}

class Wmf {
public:
    // A placeable metafile with frame (0, 0, right, bottom) at inch units an inch.
    explicit Wmf(int right = 1000, int bottom = 1000, int inch = 1440, uint16_t objects = 16, bool placeable = true)
    {
        if (placeable) {
            w32(data_, 0x9AC6CDD7u);
            data_ += words({0, 0, 0, right, bottom, inch, 0, 0});
            uint16_t sum = 0;
            for (int i = 0; i < 20; i += 2)
                sum ^= uint16_t(uint8_t(data_[i]) | uint8_t(data_[i + 1]) << 8);
            w16(data_, sum);
        }
        headerAt_ = data_.size();
        data_ += words({1, 9, 0x300, 0, 0, int(objects), 0, 0, 0});
    }

    // One record with 16-bit arguments in file order.
    Wmf& rec(uint16_t fn, const std::vector<int>& args)
    {
        w32(data_, uint32_t(3 + args.size()));
        w16(data_, fn);
        for (int v : args)
            w16(data_, v);
        return *this;
    }
    // A record with a raw byte body (padded to whole words).
    Wmf& recBytes(uint16_t fn, QByteArray body)
    {
        if (body.size() % 2)
            body.append('\0');
        w32(data_, uint32_t(3 + body.size() / 2));
        w16(data_, fn);
        return raw(body);
    }
    Wmf& raw(const QByteArray& b)
    {
        data_.append(b);
        return *this;
    }

    // Helpers in the natural argument order.
    Wmf& windowOrg(int x, int y) { return rec(SETWINDOWORG, {y, x}); }
    Wmf& windowExt(int x, int y) { return rec(SETWINDOWEXT, {y, x}); }
    Wmf& viewportOrg(int x, int y) { return rec(SETVIEWPORTORG, {y, x}); }
    Wmf& viewportExt(int x, int y) { return rec(SETVIEWPORTEXT, {y, x}); }
    Wmf& mapMode(int m) { return rec(SETMAPMODE, {m}); }
    Wmf& rectangle(int l, int t, int r, int b) { return rec(RECTANGLE, {b, r, t, l}); }
    Wmf& ellipse(int l, int t, int r, int b) { return rec(ELLIPSE, {b, r, t, l}); }
    Wmf& intersectClip(int l, int t, int r, int b) { return rec(INTERSECTCLIPRECT, {b, r, t, l}); }
    Wmf& excludeClip(int l, int t, int r, int b) { return rec(EXCLUDECLIPRECT, {b, r, t, l}); }
    Wmf& brush(int r, int g, int b, int style = 0) { return rec(CREATEBRUSHINDIRECT, {style, r | g << 8, b, 0}); }
    Wmf& nullPen() { return rec(CREATEPENINDIRECT, {5, 0, 0, 0, 0}); }
    Wmf& pen(int r, int g, int b, int width) { return rec(CREATEPENINDIRECT, {0, width, 0, r | g << 8, b}); }
    Wmf& select(int i) { return rec(SELECTOBJECT, {i}); }
    Wmf& deleteObject(int i) { return rec(DELETEOBJECT, {i}); }
    Wmf& saveDC() { return rec(SAVEDC, {}); }
    Wmf& restoreDC(int n) { return rec(RESTOREDC, {n}); }
    Wmf& textAlign(int a) { return rec(SETTEXTALIGN, {a}); }
    Wmf& textColor(int r, int g, int b) { return rec(SETTEXTCOLOR, {r | g << 8, b}); }
    Wmf& bkMode(int m) { return rec(SETBKMODE, {m}); }
    Wmf& moveTo(int x, int y) { return rec(MOVETO, {y, x}); }
    // escapement: the angle of the text, in tenths of a degree.
    Wmf& font(int height, int weight = 400, const char* face = "Arial", int escapement = 0)
    {
        return recBytes(CREATEFONTINDIRECT,
                        words({height, 0, escapement, escapement, weight}) + QByteArray(8, '\0') + face + '\0');
    }
    Wmf& textOut(int x, int y, QByteArray s)
    {
        const int n = int(s.size());
        if (n % 2)
            s.append('\0');
        return recBytes(TEXTOUT, words({n}) + s + words({y, x}));
    }
    // STRETCHDIB (colours as RGB) or DIBSTRETCHBLT of a packed DIB over (x, y, w, h).
    Wmf& stretchDib(int x, int y, int w, int h, const QByteArray& dib, int srcW, int srcH)
    {
        return recBytes(STRETCHDIB, words({0x20, 0xCC, 0, srcH, srcW, 0, 0, h, w, y, x}) + dib);
    }
    Wmf& dibStretchBlt(int x, int y, int w, int h, const QByteArray& dib, int srcW, int srcH, uint32_t rop = 0x00CC0020)
    {
        return recBytes(DIBSTRETCHBLT, words({int(rop & 0xFFFF), int(rop >> 16), srcH, srcW, 0, 0, h, w, y, x}) + dib);
    }
    Wmf& eof() { return rec(EOF_, {}); }

    QByteArray bytes() const
    {
        QByteArray out = data_;
        const uint32_t size = uint32_t(out.size() - headerAt_) / 2;
        std::memcpy(out.data() + headerAt_ + 6, &size, 4);
        return out;
    }

private:
    QByteArray data_;
    qsizetype headerAt_ = 0;
};

// A packed DIB (info header, colour table, pixels) of a small image with the
// given depth; colours are taken from image pixels (for 1/4/8 bits the image's
// distinct colours become the table, in order of appearance).
QByteArray makeDib(const QImage& image, int bits, bool topDown = false);

} // namespace wmftest
