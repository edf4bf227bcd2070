#include "tests/wmf/hostile.h"

#include "tests/wmf/wmfbuild.h"

#include <QBuffer>
#include <QImage>

#include <cmath>

namespace wmftest {

namespace {

// A screen-sized placeable frame: 12000 x 9000 twips is 800 x 600 pixels.
constexpr int kW = 12000, kH = 9000;

void w16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void w32(QByteArray& b, uint32_t v)
{
    w16(b, int(v & 0xFFFF));
    w16(b, int(v >> 16));
}

// An info header for width x height at the given depth and compression; no
// colour table, no pixels.
QByteArray infoHeader(int width, int height, int bits, int compression, uint32_t imageSize = 0)
{
    QByteArray b;
    w32(b, 40);
    w32(b, uint32_t(width));
    w32(b, uint32_t(height));
    w16(b, 1);
    w16(b, bits);
    w32(b, uint32_t(compression));
    w32(b, imageSize);
    for (int i = 0; i < 4; ++i)
        w32(b, 0);
    return b;
}

QByteArray encoded(const QImage& img, const char* format, int quality = -1)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format, quality);
    return out;
}

// DIBSTRETCHBLT of a packed DIB over (x, y, w, h).
void dibStretchBlt(Wmf& w, int x, int y, int cx, int cy, const QByteArray& dib, int srcW, int srcH)
{
    QByteArray b;
    for (int v : {0x0020, 0x00CC, srcH, srcW, 0, 0, cy, cx, y, x})
        w16(b, v);
    w.recBytes(DIBSTRETCHBLT, b + dib);
}

// Every exclusion cuts a new hole: a grid of small squares, with a shape
// drawn after every tenth so the clip is used as it grows.
QByteArray excludeClips(int count)
{
    Wmf w(kW, kH);
    w.nullPen().select(0).brush(200, 40, 40).select(1);
    const int cols = 40;
    for (int i = 0; i < count; ++i) {
        const int x = 100 + (i % cols) * 290, y = 100 + (i / cols) * 290 % (kH - 300);
        w.excludeClip(x, y, x + 150, y + 150);
        if (i % 10 == 9)
            w.rectangle(0, 0, kW, kH);
    }
    return w.eof().bytes();
}

// Run-length bitmaps whose headers claim 4096 x 4096 pixels; their data
// ends at once (run-length data has no size to check the header against).
QByteArray emptyHugeBitmaps(int count)
{
    Wmf w(kW, kH);
    QByteArray dib = infoHeader(4096, 4096, 8, 1, 2);
    dib[32] = 1;          // one colour in the table
    w32(dib, 0x00FF0000);
    dib.append(char(0)).append(char(1)); // end of bitmap
    for (int i = 0; i < count; ++i)
        dibStretchBlt(w, i * 100, i * 100, 2000, 2000, dib, 4096, 4096);
    return w.eof().bytes();
}

// A small header in front of an embedded PNG or JPEG that is far larger.
QByteArray embeddedBitmaps(int pngs, int jpegs)
{
    QImage rgb(5500, 5500, QImage::Format_RGB888);
    rgb.fill(QColor(20, 90, 160));
    const QByteArray png = encoded(rgb, "PNG");
    QImage gray(6000, 4000, QImage::Format_Grayscale8);
    gray.fill(128);
    const QByteArray jpeg = encoded(gray, "JPG", 5);
    Wmf w(kW, kH);
    for (int i = 0; i < pngs; ++i)
        dibStretchBlt(w, 0, 0, kW, kH, infoHeader(100, 100, 0, 5, uint32_t(png.size())) + png, 100, 100);
    for (int i = 0; i < jpegs; ++i)
        dibStretchBlt(w, 0, 0, kW, kH, infoHeader(100, 100, 0, 4, uint32_t(jpeg.size())) + jpeg, 100, 100);
    return w.eof().bytes();
}

// Many tiny filled triangles.
QByteArray smallPolygons(int count)
{
    Wmf w(kW, kH);
    w.pen(0, 0, 0, 0).select(0).brush(40, 120, 200).select(1);
    uint32_t seed = 7;
    auto next = [&]() { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < count; ++i) {
        const int x = int(next() % uint32_t(kW - 60)), y = int(next() % uint32_t(kH - 60));
        w.rec(POLYGON, {3, x, y, x + 60, y, x + 30, y + 50});
    }
    return w.eof().bytes();
}

// A wide dashed pen along a star of long segments crossing each other.
QByteArray dashedStar(int points, int lines)
{
    Wmf w(kW, kH);
    w.rec(CREATEPENINDIRECT, {1 /* dash */, 60, 0, 0, 0}).select(0);
    for (int l = 0; l < lines; ++l) {
        std::vector<int> words{points};
        for (int i = 0; i < points; ++i) {
            const double a = 2 * M_PI * double(i) * double(points / 2 - 1 + l) / double(points);
            words.push_back(kW / 2 + int(std::lround(std::cos(a) * (kW / 2 - 200))));
            words.push_back(kH / 2 + int(std::lround(std::sin(a) * (kH / 2 - 200))));
        }
        QByteArray body;
        for (int v : words)
            w16(body, v);
        w.recBytes(0x0325 /* POLYLINE */, body);
    }
    return w.eof().bytes();
}

// Every line of text in a font of its own, each with a different face name.
QByteArray manyFonts(int count)
{
    Wmf w(kW, kH);
    w.textColor(0, 0, 0).bkMode(1);
    for (int i = 0; i < count; ++i) {
        const QByteArray face = "Quillet" + QByteArray::number(i);
        w.font(-200 - i % 50, 400 + (i % 3) * 200, face.constData()).select(0);
        w.textOut(100 + (i % 20) * 500, 200 + (i / 20) % 40 * 200, "Marrowfen");
        w.deleteObject(0);
    }
    return w.eof().bytes();
}

} // namespace

std::vector<HostileFile> hostileFiles(int n)
{
    n = std::max(1, n);
    return {
        {QStringLiteral("hostile-exclude-clips"), QStringLiteral("1000 EXCLUDECLIPRECT, a fill after every 10th"),
         excludeClips(1000 / n)},
        {QStringLiteral("hostile-empty-bitmaps"), QStringLiteral("70 RLE DIBs claiming 4096 x 4096, no pixels"),
         emptyHugeBitmaps(std::max(2, 70 / n))},
        {QStringLiteral("hostile-embedded-bitmaps"), QStringLiteral("2 PNG 5500², 2 JPEG 6000 x 4000, 100² headers"),
         embeddedBitmaps(std::max(1, 2 / n), std::max(1, 2 / n))},
        {QStringLiteral("hostile-polygons"), QStringLiteral("200,000 small filled triangles"),
         smallPolygons(n == 1 ? 200000 : 20000 / n)},
        {QStringLiteral("hostile-dashed-star"), QStringLiteral("wide dashed pen over 4 x 1000 crossing segments"),
         dashedStar(1000, std::max(1, 4 / n))},
        {QStringLiteral("hostile-fonts"), QStringLiteral("2000 fonts of distinct face names, a line each"),
         manyFonts(std::max(20, 2000 / n))},
    };
}

} // namespace wmftest
