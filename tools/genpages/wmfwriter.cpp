#include "tools/genpages/wmfwriter.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern "C" {
#include <uemf.h>
#include <uwmf.h>
}

namespace oravians::pages {

namespace {

U_COLORREF cref(const QColor& c)
{
    U_COLORREF r;
    r.Red = uint8_t(c.red());
    r.Green = uint8_t(c.green());
    r.Blue = uint8_t(c.blue());
    r.Reserved = 0;
    return r;
}

U_POINT16 pt(QPoint p) { return U_POINT16{int16_t(p.x()), int16_t(p.y())}; }
U_POINT16 pt(int x, int y) { return U_POINT16{int16_t(x), int16_t(y)}; }
U_RECT16 rc(const QRect& r)
{
    return U_RECT16{int16_t(r.left()), int16_t(r.top()), int16_t(r.left() + r.width()), int16_t(r.top() + r.height())};
}

uint32_t recordBytes(const char* rec)
{
    uint32_t words;
    std::memcpy(&words, rec, 4);
    return words * 2;
}

std::vector<U_POINT16> points(const QPolygon& poly)
{
    std::vector<U_POINT16> out;
    out.reserve(std::size_t(poly.size()));
    for (const QPoint& p : poly)
        out.push_back(pt(p));
    return out;
}

} // namespace

WmfWriter::WmfWriter(int widthTwips, int heightTwips)
{
    U_PAIRF size{float(widthTwips) / 1440.0f, float(heightTwips) / 1440.0f};
    char* header = U_WMRHEADER_set(&size, 1440);
    if (!header)
        throw std::runtime_error("page too large for a metafile header");
    bytes_.append(header, U_SIZE_WMRPLACEABLE + U_SIZE_WMRHEADER);
    std::free(header);
    append(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    append(U_WMRSETWINDOWORG_set(pt(0, 0)));
    append(U_WMRSETWINDOWEXT_set(pt(widthTwips, heightTwips)));
    append(U_WMRSETBKMODE_set(U_TRANSPARENT));
    append(U_WMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
    append(U_WMRSETPOLYFILLMODE_set(U_WINDING));
}

void WmfWriter::append(char* record)
{
    if (!record)
        throw std::runtime_error("libuemf could not build a record");
    const uint32_t n = recordBytes(record);
    bytes_.append(record, int(n));
    largest_ = std::max(largest_, n / 2);
    std::free(record);
}

int WmfWriter::createObject(char* record)
{
    append(record);
    // The player, like Windows, puts a new object in the lowest free slot.
    std::size_t i = 0;
    while (i < slots_.size() && slots_[i])
        ++i;
    if (i == slots_.size())
        slots_.push_back(true);
    else
        slots_[i] = true;
    peak_ = std::max(peak_, int(slots_.size()));
    return int(i);
}

void WmfWriter::deleteObject(int& slot)
{
    if (slot < 0)
        return;
    append(U_WMRDELETEOBJECT_set(uint16_t(slot)));
    slots_[std::size_t(slot)] = false;
    slot = -1;
}

void WmfWriter::setPen(const QColor& color, int width, int style)
{
    const int slot = createObject(U_WMRCREATEPENINDIRECT_set(U_PEN_set(uint16_t(style), uint16_t(width), cref(color))));
    append(U_WMRSELECTOBJECT_set(uint16_t(slot)));
    deleteObject(pen_);
    pen_ = slot;
}

void WmfWriter::setNullPen() { setPen(Qt::black, 0, U_PS_NULL); }

void WmfWriter::setBrush(const QColor& color)
{
    const int slot = createObject(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, cref(color), 0)));
    append(U_WMRSELECTOBJECT_set(uint16_t(slot)));
    deleteObject(brush_);
    brush_ = slot;
}

void WmfWriter::setNullBrush()
{
    const int slot = createObject(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_NULL, cref(Qt::black), 0)));
    append(U_WMRSELECTOBJECT_set(uint16_t(slot)));
    deleteObject(brush_);
    brush_ = slot;
}

void WmfWriter::setFont(const QString& face, int emTwips, bool bold, bool italic)
{
    QByteArray name = face.toLatin1();
    U_FONT* f = U_FONT_set(int16_t(-emTwips), 0, 0, 0, bold ? 700 : 400, italic ? 1 : 0, 0, 0, U_ANSI_CHARSET,
                           U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_ANTIALIASED_QUALITY,
                           U_DEFAULT_PITCH | U_FF_SWISS, name.data());
    if (!f)
        throw std::runtime_error("libuemf could not build a font");
    const int slot = createObject(U_WMRCREATEFONTINDIRECT_set(f));
    std::free(f);
    append(U_WMRSELECTOBJECT_set(uint16_t(slot)));
    deleteObject(font_);
    font_ = slot;
}

void WmfWriter::setTextColor(const QColor& color) { append(U_WMRSETTEXTCOLOR_set(cref(color))); }

void WmfWriter::rectangle(const QRect& r) { append(U_WMRRECTANGLE_set(rc(r))); }
void WmfWriter::roundRect(const QRect& r, int w, int h) { append(U_WMRROUNDRECT_set(int16_t(w), int16_t(h), rc(r))); }
void WmfWriter::ellipse(const QRect& r) { append(U_WMRELLIPSE_set(rc(r))); }

void WmfWriter::polygon(const QPolygon& poly)
{
    const auto p = points(poly);
    append(U_WMRPOLYGON_set(uint16_t(p.size()), p.data()));
}

void WmfWriter::polyline(const QPolygon& poly)
{
    const auto p = points(poly);
    append(U_WMRPOLYLINE_set(uint16_t(p.size()), p.data()));
}

void WmfWriter::line(QPoint a, QPoint b)
{
    append(U_WMRMOVETO_set(pt(a)));
    append(U_WMRLINETO_set(pt(b)));
}

void WmfWriter::pie(const QRect& box, QPoint s, QPoint e) { append(U_WMRPIE_set(pt(s), pt(e), rc(box))); }
void WmfWriter::chord(const QRect& box, QPoint s, QPoint e) { append(U_WMRCHORD_set(pt(s), pt(e), rc(box))); }
void WmfWriter::arc(const QRect& box, QPoint s, QPoint e) { append(U_WMRARC_set(pt(s), pt(e), rc(box))); }

void WmfWriter::text(int x, int baselineY, const QByteArray& bytes, const std::vector<int>& dx)
{
    std::vector<int16_t> d(dx.begin(), dx.end());
    d.resize(std::size_t(bytes.size()), 0);
    append(U_WMREXTTEXTOUT_set(pt(x, baselineY), int16_t(bytes.size()), 0, bytes.constData(), d.data(),
                               U_RECT16{0, 0, 0, 0}));
}

void WmfWriter::image(const QRect& dst, const QImage& source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB888);
    const int w = img.width(), h = img.height();
    const int stride = ((w * 24 + 31) / 32) * 4;
    QByteArray px(stride * h, '\0');
    for (int y = 0; y < h; ++y) { // bottom-up rows, BGR
        const uchar* src = img.constScanLine(h - 1 - y);
        char* out = px.data() + y * stride;
        for (int x = 0; x < w; ++x) {
            out[3 * x] = char(src[3 * x + 2]);
            out[3 * x + 1] = char(src[3 * x + 1]);
            out[3 * x + 2] = char(src[3 * x]);
        }
    }
    U_BITMAPINFOHEADER bih = bitmapinfoheader_set(w, h, 1, 24, U_BI_RGB, uint32_t(px.size()), 0, 0, 0, 0);
    U_BITMAPINFO* bmi = bitmapinfo_set(bih, nullptr);
    append(U_WMRSTRETCHDIB_set(pt(dst.topLeft()), pt(dst.width(), dst.height()), pt(0, 0), pt(w, h), U_DIB_RGB_COLORS,
                               U_SRCCOPY, bmi, uint32_t(px.size()), px.constData()));
    std::free(bmi);
}

QByteArray WmfWriter::finish()
{
    deleteObject(pen_);
    deleteObject(brush_);
    deleteObject(font_);
    append(U_WMREOF_set());
    QByteArray out = bytes_;
    // Header after the 22-byte placeable record: total words, objects, largest record.
    char* h = out.data() + U_SIZE_WMRPLACEABLE;
    const uint32_t words = uint32_t(out.size() - U_SIZE_WMRPLACEABLE) / 2;
    const uint16_t objects = uint16_t(peak_);
    std::memcpy(h + 6, &words, 4);
    std::memcpy(h + 10, &objects, 2);
    std::memcpy(h + 12, &largest_, 4);
    return out;
}

} // namespace oravians::pages
