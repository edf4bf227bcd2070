#include "tests/wmf/hostile.h"

#include "tests/wmf/wmfbuild.h"

#include <cmath>

namespace wmftest {

namespace {

// A screen-sized placeable frame: 12000 x 9000 twips is 800 x 600 pixels.
constexpr int kW = 12000, kH = 9000;

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
        w.dibStretchBlt(i * 100, i * 100, 2000, 2000, dib, 4096, 4096);
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
        w.dibStretchBlt(0, 0, kW, kH, infoHeader(100, 100, 0, 5, uint32_t(png.size())) + png, 100, 100);
    for (int i = 0; i < jpegs; ++i)
        w.dibStretchBlt(0, 0, kW, kH, infoHeader(100, 100, 0, 4, uint32_t(jpeg.size())) + jpeg, 100, 100);
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
        std::vector<int> pts{points};
        for (int i = 0; i < points; ++i) {
            const double a = 2 * M_PI * double(i) * double(points / 2 - 1 + l) / double(points);
            pts.push_back(kW / 2 + int(std::lround(std::cos(a) * (kW / 2 - 200))));
            pts.push_back(kH / 2 + int(std::lround(std::sin(a) * (kH / 2 - 200))));
        }
        w.rec(0x0325 /* POLYLINE */, pts);
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

// The largest number of records of recordBytes each that keep a file under a megabyte.
int fitMegabyte(int recordBytes, int header = 200) { return (1000 * 1000 - header) / recordBytes; }

// A region of rectangles, one scan each, as CREATEREGION stores them.
void region(Wmf& w, const std::vector<QRect>& rects, QRect bounds)
{
    QByteArray b = words({0, 6, 0, 0, 0, int(rects.size()), 0, bounds.left(), bounds.top(), bounds.right() + 1,
                          bounds.bottom() + 1});
    for (const QRect& r : rects)
        b += words({2, r.top(), r.bottom() + 1, r.left(), r.right() + 1, 2});
    w.recBytes(CREATEREGION, b);
}

// A frame-sized file: `setup` once, then `each` record count times.
template <class Setup, class Each>
QByteArray repeated(int count, Setup setup, Each each)
{
    Wmf w(kW, kH);
    setup(w);
    for (int i = 0; i < count; ++i)
        each(w, i);
    return w.eof().bytes();
}

// The same full-frame shape over and over, filled with a solid brush of a
// new colour now and then, so each cover shows.
template <class Shape>
QByteArray fullFrameShapes(int count, Shape shape)
{
    return repeated(count, [](Wmf& w) { w.nullPen().select(0); }, [&](Wmf& w, int i) {
        if (i % 5000 == 0)
            w.brush(40 + i / 5000 * 13 % 200, 120, 200).select(1).deleteObject(1);
        shape(w);
    });
}

// A 2 x 2 bitmap stretched over the whole frame, with the given raster operations in turn.
QByteArray stretchedBitmaps(std::initializer_list<uint32_t> rops, int count)
{
    QByteArray dib = infoHeader(2, 2, 24, 0, 16);
    for (int row = 0; row < 2; ++row) { // bottom row first
        for (int x = 0; x < 2; ++x)
            dib.append(char(40 + 100 * x)).append(char(90 + 80 * row)).append(char(160));
        dib.append(QByteArray(2, '\0'));
    }
    const std::vector<uint32_t> ops(rops);
    Wmf w(kW, kH);
    for (int i = 0; i < count; ++i)
        w.dibStretchBlt(0, 0, kW, kH, dib, 2, 2, ops[std::size_t(i) % ops.size()]);
    return w.eof().bytes();
}

// Short runs of small text, each turned by an angle of its own.
QByteArray turnedText(int count)
{
    Wmf w(kW, kH);
    w.textColor(0, 0, 0).bkMode(2);
    for (int i = 0; i < count; ++i) {
        w.font(-120 - i % 7 * 20, 400, "Arial", i * 37 % 3600).select(0);
        w.textOut(100 + i * 131 % (kW - 400), 200 + i * 71 % (kH - 400), "Ob");
        w.deleteObject(0);
    }
    return w.eof().bytes();
}

// Every small fill after a new clip of about a thousand rectangles.
QByteArray clipChurn(int count)
{
    Wmf w(kW, kH);
    w.nullPen().select(0).brush(40, 160, 60).select(1);
    for (int i = 0; i < 340; ++i) {
        const int x = 50 + (i % 20) * 590, y = 50 + (i / 20) * 520;
        w.excludeClip(x, y, x + 200, y + 200);
    }
    for (int i = 0; i < count; ++i) {
        w.excludeClip(-30000 + i % 100, -30000, -29000, -29000); // far outside: the same rectangles, a new clip
        w.rectangle(i * 7 % kW, i * 13 % kH, i * 7 % kW + 40, i * 13 % kH + 40);
    }
    return w.eof().bytes();
}

// A region of a thousand rectangles chosen as the clip again and again, cut by a rectangle each time.
QByteArray regionChurn(int count)
{
    Wmf w(kW, kH);
    w.nullPen().select(0).brush(160, 60, 40).select(1);
    std::vector<QRect> rects;
    for (int i = 0; i < 1000; ++i)
        rects.push_back(QRect(i % 40 * 300, i / 40 * 360, 200, 200));
    region(w, rects, QRect(0, 0, kW, kH));
    for (int i = 0; i < count; ++i) {
        w.rec(SELECTCLIPREGION, {2});
        w.intersectClip(0, 0, kW - i % 100, kH);
        w.rectangle(0, 0, 200, 200);
    }
    return w.eof().bytes();
}

// A palette of 4096 colours and the state saved a thousand deep, then
// restored and saved again and again: every copy carries the palette.
QByteArray saveRestore(int count)
{
    Wmf w(kW, kH);
    QByteArray pal = words({0, 4096});
    for (int i = 0; i < 4096; ++i)
        w32(pal, uint32_t(i * 2654435761u) & 0x00FFFFFF00u);
    w.recBytes(0x0037 /* SETPALENTRIES */, pal);
    for (int i = 0; i < 1024; ++i)
        w.saveDC();
    for (int i = 0; i < count; ++i)
        w.restoreDC(-1).saveDC();
    return w.eof().bytes();
}

// An object table thirty thousand full; each round frees the first and the
// last slots and creates two objects: the second looks for the lowest free slot past the first.
QByteArray objectChurn(int filled, int count)
{
    Wmf w(kW, kH, 1440, 65535);
    for (int i = 0; i < filled; ++i)
        w.brush(i % 256, 0, 0);
    for (int i = 0; i < count; ++i)
        w.deleteObject(0).deleteObject(filled - 1).brush(1, 2, 3).brush(4, 5, 6);
    return w.eof().bytes();
}

} // namespace

std::vector<HostileFile> hostileFiles(int n)
{
    n = std::max(1, n);
    // The files that cost painting time are a megabyte of records each: as
    // seeds they are cut further, to a few tens of kilobytes.
    const int s = n == 1 ? 1 : 4 * n;
    return {
        {"hostile-exclude-clips", "1000 EXCLUDECLIPRECT, a fill after every 10th", excludeClips(1000 / n)},
        {"hostile-empty-bitmaps", "70 RLE DIBs claiming 4096 x 4096, no pixels", emptyHugeBitmaps(std::max(2, 70 / n))},
        {"hostile-embedded-bitmaps", "2 PNG 5500², 2 JPEG 6000 x 4000, 100² headers",
         embeddedBitmaps(std::max(1, 2 / n), std::max(1, 2 / n))},
        {"hostile-polygons", "200,000 small filled triangles", smallPolygons(n == 1 ? 200000 : 20000 / n)},
        {"hostile-dashed-star", "wide dashed pen over 4 x 1000 crossing segments",
         dashedStar(1000, std::max(1, 4 / n))},
        {"hostile-fonts", "2000 fonts of distinct face names, a line each", manyFonts(std::max(20, 2000 / n))},
        {"hostile-full-rects", "71,000 full-frame rectangles",
         fullFrameShapes(fitMegabyte(14) / s, [](Wmf& w) { w.rectangle(0, 0, kW, kH); })},
        {"hostile-full-ellipses", "71,000 full-frame ellipses",
         fullFrameShapes(fitMegabyte(14) / s, [](Wmf& w) { w.ellipse(0, 0, kW, kH); })},
        {"hostile-full-polygons", "41,000 full-frame 4-point polygons",
         fullFrameShapes(fitMegabyte(24) / s, [](Wmf& w) { w.rec(POLYGON, {4, 0, 0, kW, 0, kW, kH, 0, kH}); })},
        {"hostile-hatched-fills", "71,000 full-frame hatched rectangles, opaque",
         repeated(fitMegabyte(14) / s, [](Wmf& w) { w.nullPen().select(0).brush(20, 20, 120, 2).select(1).bkMode(2); },
                  [](Wmf& w, int) { w.rectangle(0, 0, kW, kH); })},
        {"hostile-flood-fills", "80,000 full-frame PATBLT and PAINTREGION",
         repeated(fitMegabyte(13) / s, [](Wmf& w) { region(w.brush(200, 200, 40).select(0), {}, QRect(0, 0, kW, kH)); },
                  [](Wmf& w, int i) {
                      i % 2 ? w.rec(0x012B /* PAINTREGION */, {1})
                            : w.rec(0x061D /* PATBLT */, {0x0021, 0x00F0, kH, kW, 0, 0});
                  })},
        {"hostile-stretched-bitmaps", "11,000 2 x 2 DIBs stretched to the frame",
         stretchedBitmaps({0x00CC0020}, fitMegabyte(86) / s)},
        {"hostile-rop-blits", "11,000 full-frame DIB blits, AND/OR/XOR/NOT ROPs",
         stretchedBitmaps({0x008800C6, 0x00EE0086, 0x00660046, 0x00220326, 0x00330008}, fitMegabyte(86) / s)},
        {"hostile-wide-pens", "100,000 lines, pen 2.5 x the frame wide",
         repeated(fitMegabyte(10) / s, [](Wmf& w) { w.pen(90, 30, 30, 30000).select(0).moveTo(0, 0); },
                  [](Wmf& w, int i) { i % 2 ? w.rec(LINETO, {0, 0}) : w.rec(LINETO, {kH, kW}); })},
        {"hostile-huge-text", "71,000 glyphs as tall as the frame",
         repeated(fitMegabyte(14) / s, [](Wmf& w) { w.textColor(0, 0, 0).bkMode(1).font(-kH).select(0); },
                  [](Wmf& w, int) { w.textOut(0, 0, "W"); })},
        {"hostile-turned-text", "16,000 2-glyph runs, each font turned", turnedText(fitMegabyte(62) / s)},
        {"hostile-clip-churn", "36,000 fills, each after a new 1000-rect clip", clipChurn(fitMegabyte(28, 5000) / s)},
        {"hostile-region-churn", "1000-rect region selected + cut 27,000 times",
         regionChurn(fitMegabyte(36, 13000) / s)},
        {"hostile-save-restore", "4096-colour palette, 1024 SAVEDC, 70,000 restore+save",
         saveRestore(fitMegabyte(14, 24000) / s)},
        {"hostile-object-churn", "30,000 objects, 11,000 rounds of delete 2 + create 2",
         objectChurn(std::max(100, 30000 / s), fitMegabyte(44, 420000) / s)},
    };
}

} // namespace wmftest
