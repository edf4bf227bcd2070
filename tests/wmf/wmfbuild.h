#pragma once

// Builds small metafiles record by record for the player's tests: the
// placeable header, the metafile header, then records as 16-bit words in
// file order (Windows stores most point arguments y first).
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

class Wmf {
public:
    // A placeable metafile with frame (left, top, right, bottom) at inch units an inch.
    explicit Wmf(int right = 1000, int bottom = 1000, int inch = 1440, uint16_t objects = 16, bool placeable = true)
        : objects_(objects), placeable_(placeable)
    {
        if (placeable) {
            u32(0x9AC6CDD7u);
            u16(0);
            for (int v : {0, 0, right, bottom})
                u16(uint16_t(v));
            u16(uint16_t(inch));
            u32(0);
            uint16_t sum = 0;
            for (int i = 0; i < 20; i += 2)
                sum ^= uint16_t(uint8_t(data_[i]) | uint8_t(data_[i + 1]) << 8);
            u16(sum);
        }
        headerAt_ = data_.size();
        for (int w : {1, 9, 0x300, 0, 0, int(objects), 0, 0, 0})
            u16(uint16_t(w));
    }

    // One record with 16-bit arguments in file order.
    Wmf& rec(uint16_t fn, std::initializer_list<int> words)
    {
        u32(uint32_t(3 + words.size()));
        u16(fn);
        for (int w : words)
            u16(uint16_t(w));
        return *this;
    }
    // A record with a raw byte body (padded to whole words).
    Wmf& recBytes(uint16_t fn, QByteArray body)
    {
        if (body.size() % 2)
            body.append('\0');
        u32(uint32_t(3 + body.size() / 2));
        u16(fn);
        data_.append(body);
        return *this;
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
        QByteArray b;
        auto w16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
        w16(height); w16(0); w16(escapement); w16(escapement); w16(weight);
        b.append(QByteArray(8, '\0'));
        b.append(face).append('\0');
        return recBytes(CREATEFONTINDIRECT, b);
    }
    Wmf& textOut(int x, int y, const QByteArray& s)
    {
        QByteArray b;
        b.append(char(s.size() & 0xFF)).append(char(s.size() >> 8));
        b.append(s);
        if (s.size() % 2) b.append('\0');
        b.append(char(y & 0xFF)).append(char((y >> 8) & 0xFF)).append(char(x & 0xFF)).append(char((x >> 8) & 0xFF));
        return recBytes(TEXTOUT, b);
    }
    Wmf& polygon(std::initializer_list<std::pair<int, int>> pts)
    {
        std::vector<int> w{int(pts.size())};
        for (auto [x, y] : pts) { w.push_back(x); w.push_back(y); }
        u32(uint32_t(3 + w.size()));
        u16(POLYGON);
        for (int v : w) u16(uint16_t(v));
        return *this;
    }
    // STRETCHDIB of a packed DIB over (x, y, w, h).
    Wmf& stretchDib(int x, int y, int w, int h, const QByteArray& dib, int srcW, int srcH)
    {
        QByteArray b;
        auto w16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
        w16(0x0020); w16(0x00CC); // SRCCOPY
        w16(0);                   // colour usage: RGB
        w16(srcH); w16(srcW); w16(0); w16(0);
        w16(h); w16(w); w16(y); w16(x);
        b.append(dib);
        return recBytes(STRETCHDIB, b);
    }
    Wmf& eof() { return rec(EOF_, {}); }

    QByteArray bytes() const
    {
        QByteArray out = data_;
        const uint32_t words = uint32_t(out.size() - headerAt_) / 2;
        std::memcpy(out.data() + headerAt_ + 6, &words, 4);
        return out;
    }

private:
    void u16(uint16_t v) { data_.append(char(v & 0xFF)).append(char(v >> 8)); }
    void u32(uint32_t v) { u16(uint16_t(v & 0xFFFF)); u16(uint16_t(v >> 16)); }
    QByteArray data_;
    int headerAt_ = 0;
    uint16_t objects_;
    bool placeable_;
};

// A packed DIB (info header, colour table, pixels) of a small image with the
// given depth; colours are taken from image pixels (for 1/4/8 bits the image's
// distinct colours become the table, in order of appearance).
QByteArray makeDib(const QImage& image, int bits, bool topDown = false);

} // namespace wmftest
