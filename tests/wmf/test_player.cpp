// The metafile player on crafted records: what a page shows, pixel by pixel;
// and files built to cost it as much as their size allows: each loads and
// draws with what it may spend, and the log names the file and the budget.
#include "platform/log.h"
#include "platform/readingorder.h"
#include "platform/wmf/metafilepicture.h"
#include "tests/wmf/hostile.h"
#include "tests/wmf/wmfbuild.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace oravians;
using namespace wmftest;

namespace wmftest {

QByteArray makeDib(const QImage& src, int bits, bool topDown)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    std::vector<QRgb> table;
    std::map<QRgb, int> index;
    for (int y = 0; y < h && bits <= 8; ++y)
        for (int x = 0; x < w; ++x)
            if (const QRgb c = img.pixel(x, y) | 0xFF000000u; !index.count(c)) {
                index[c] = int(table.size());
                table.push_back(c);
            }
    if (bits <= 8)
        table.resize(std::size_t(1) << bits, qRgb(0, 0, 0));
    QByteArray b = infoHeader(w, topDown ? -h : h, bits);
    for (QRgb c : table)
        w32(b, c & 0xFFFFFF);
    const int stride = ((w * bits + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        QByteArray line(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000u;
            if (bits <= 8) { // indices packed from the high bits
                const int bit = x * bits;
                line[bit / 8] = char(uchar(line[bit / 8]) | index[c] << (8 - bits - bit % 8));
                continue;
            }
            const uint32_t v = bits == 16 ? uint32_t((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3))
                                          : uint32_t(c & 0xFFFFFF);
            for (int k = 0; k < bits / 8; ++k)
                line[x * bits / 8 + k] = char(v >> (8 * k));
        }
        b.append(line);
    }
    return b;
}

} // namespace wmftest

namespace {

QImage draw(const MetafilePicture* pic, int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    if (pic)
        pic->draw(p, QRectF(0, 0, w, h));
    return img;
}

QImage render(const QByteArray& bytes, int w = 100, int h = 100)
{
    return draw(MetafilePicture::fromBytes(bytes, QStringLiteral("test")).get(), w, h);
}

::testing::AssertionResult near(QColor got, QColor want, int tolerance = 40)
{
    if (std::abs(got.red() - want.red()) <= tolerance && std::abs(got.green() - want.green()) <= tolerance
        && std::abs(got.blue() - want.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got.name().toStdString() << ", want " << want.name().toStdString();
}

const QColor kRedPx(255, 0, 0), kBluePx(0, 0, 255), kWhitePx(255, 255, 255), kGreenPx(0, 255, 0);

// Red brush, no pen: the base of most tests.
Wmf redFill() { return Wmf().nullPen().select(0).brush(255, 0, 0).select(1); }

// Bounding box of pixels darker than the background.
QRect inkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// --- size -------------------------------------------------------------------

// From the placeable header; without one, from the window extent at screen
// resolution, or taken as twips when too large for pixels.
TEST(MetafileSize, ComesFromThePlaceableHeaderOrTheWindowExtent)
{
    struct Row {
        const char* name;
        QByteArray bytes;
        bool placeable;
        QSizeF twips;
    } rows[] = {
        {"1440 an inch", Wmf(2880, 1440, 1440).eof().bytes(), true, {2880, 1440}},
        {"2540 an inch", Wmf(2540, 1270, 2540).eof().bytes(), true, {1440, 720}},
        {"plain", Wmf(0, 0, 0, 4, false).windowOrg(0, 0).windowExt(400, 300).eof().bytes(), false, {400 * 15, 300 * 15}},
        {"plain, large", Wmf(0, 0, 0, 4, false).windowExt(2880, 1440).eof().bytes(), false, {2880, 1440}},
    };
    for (const Row& r : rows) {
        auto pic = MetafilePicture::fromBytes(r.bytes, "size");
        ASSERT_TRUE(pic) << r.name;
        EXPECT_EQ(pic->placeable(), r.placeable) << r.name;
        EXPECT_EQ(pic->sizeTwips(), r.twips) << r.name;
    }
}

TEST(MetafileSize, MissingForeignOrWrongHeaderedFilesAreRefused)
{
    EXPECT_THROW(loadMetafilePicture("/nonexistent/x.wmf", "wmf\\x.wmf"), PictureError);
    QTemporaryDir dir;
    QFile f(dir.filePath("fake.wmf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("GIF89a this is not a metafile at all.....") > 0);
    f.close();
    EXPECT_THROW(loadMetafilePicture(f.fileName(), "wmf\\fake.wmf"), PictureError);
    const QByteArray plain = redFill().rectangle(0, 0, 500, 500).eof().bytes().mid(22);
    QByteArray length = plain, version = plain;
    length[2] = 7;     // the header is always 9 words
    version[4] = 0x55; // an unknown version
    for (const QByteArray& b : {QByteArray(), length, version})
        EXPECT_FALSE(MetafilePicture::fromBytes(b, "bad"));
}

// --- shapes, mapping, device context and clipping ---------------------------

namespace {

struct Probe { int x, y; QColor colour; };

// A file of records and what a 100 x 100 drawing of it shows at some pixels.
struct Drawing {
    const char* name;
    std::function<QByteArray()> file;
    std::vector<Probe> probes;
};

struct Drawings : ::testing::TestWithParam<Drawing> {};

QByteArray polyFill(int mode)
{
    // Two nested squares in one polypolygon, same direction.
    Wmf w = redFill();
    w.rec(SETPOLYFILLMODE, {mode});
    w.rec(POLYPOLYGON, {2, 4, 4, 100, 100, 900, 100, 900, 900, 100, 900, 300, 300, 700, 300, 700, 700, 300, 700});
    return w.eof().bytes();
}

QByteArray dibBlt(bool stretch)
{
    QImage src(2, 2, QImage::Format_RGB32);
    src.fill(qRgb(0, 0, 255));
    const QByteArray dib = makeDib(src, 24);
    if (stretch)
        return Wmf().dibStretchBlt(0, 0, 1000, 1000, dib, 2, 2).eof().bytes();
    return Wmf(2, 2, 1440).recBytes(DIBBITBLT, words({0x20, 0xCC, 0, 0, 2, 2, 0, 0}) + dib).eof().bytes();
}

// Many exclusions from one clip: every hole stays a hole and the rest is filled.
std::vector<Probe> tenByTenHoles()
{
    std::vector<Probe> probes;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            probes.insert(probes.end(), {{x * 10 + 5, y * 10 + 5, kWhitePx}, {x * 10 + 1, y * 10 + 1, kRedPx}});
    return probes;
}

} // namespace

TEST_P(Drawings, ShowTheirColoursWhereTheRecordsSay)
{
    const QImage img = render(GetParam().file());
    for (const Probe& p : GetParam().probes)
        EXPECT_TRUE(near(img.pixelColor(p.x, p.y), p.colour, 80)) << "at " << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(
    , Drawings,
    ::testing::Values(
        Drawing{"PlaceableUnitsLandWhereTheFrameSays",
                [] { return redFill().rectangle(200, 200, 600, 600).eof().bytes(); },
                {{40, 40, kRedPx}, {10, 10, kWhitePx}, {70, 70, kWhitePx}}},
        Drawing{"WindowExtentIsStretchedOverTheFrame", // right half, top half
                [] { return redFill().windowOrg(0, 0).windowExt(100, 200).rectangle(50, 0, 100, 100).eof().bytes(); },
                {{75, 25, kRedPx}, {25, 25, kWhitePx}, {75, 75, kWhitePx}}},
        Drawing{"WindowOriginShiftsTheDrawing",
                [] { return redFill().windowOrg(500, 500).rectangle(500, 500, 700, 700).eof().bytes(); },
                {{10, 10, kRedPx}, {60, 60, kWhitePx}}},
        Drawing{"IsotropicKeepsShapesRound",
                [] {
                    return redFill().mapMode(7).windowOrg(0, 0).windowExt(100, 200).viewportOrg(0, 0)
                        .viewportExt(1000, 1000).rectangle(0, 0, 100, 100).eof().bytes();
                },
                {{45, 45, kRedPx}, {75, 25, kWhitePx}}},
        Drawing{"TwipsModeHasYUp", // one logical unit is one frame unit
                [] { return redFill().mapMode(6).windowOrg(0, 0).viewportOrg(0, 1000).rectangle(0, 500, 500, 0).eof().bytes(); },
                {{25, 75, kRedPx}, {25, 25, kWhitePx}}},
        Drawing{"TextModeIsOneUnitPerFrameUnit",
                [] { return redFill().windowExt(10, 10).mapMode(1).rectangle(0, 0, 300, 300).eof().bytes(); },
                {{15, 15, kRedPx}, {50, 50, kWhitePx}}},
        Drawing{"AlternateFillLeavesTheHole", [] { return polyFill(1); }, {{20, 20, kRedPx}, {50, 50, kWhitePx}}},
        Drawing{"WindingFillFillsTheHole", [] { return polyFill(2); }, {{50, 50, kRedPx}}},
        Drawing{"EllipseAndPen",
                [] { return Wmf().pen(0, 0, 255, 40).select(0).brush(0, 255, 0).select(1).ellipse(100, 100, 900, 900).eof().bytes(); },
                {{50, 50, kGreenPx}, {50, 10, kBluePx}, {12, 12, kWhitePx}}},
        Drawing{"RestoreDCBringsBackTheBrushAndTheClip",
                [] {
                    return redFill().saveDC().brush(0, 0, 255).select(2).intersectClip(0, 0, 100, 100).restoreDC(-1)
                        .rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                {{50, 50, kRedPx}, {90, 90, kRedPx}}},
        Drawing{"AbsoluteRestoreLevel",
                [] {
                    return redFill().saveDC().brush(0, 0, 255).select(2).saveDC().brush(0, 255, 0).select(3)
                        .restoreDC(1).rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                {{50, 50, kRedPx}}},
        Drawing{"DeletedSlotIsReusedForTheNextObject",
                [] {
                    return Wmf().nullPen().select(0).brush(255, 0, 0).brush(0, 0, 255).deleteObject(1)
                        .brush(0, 255, 0).select(1).rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                {{50, 50, kGreenPx}}},
        Drawing{"IntersectClipKeepsTheInside",
                [] { return redFill().intersectClip(0, 0, 500, 1000).rectangle(0, 0, 1000, 1000).eof().bytes(); },
                {{25, 50, kRedPx}, {75, 50, kWhitePx}}},
        Drawing{"ExcludeClipLeavesAHole",
                [] { return redFill().excludeClip(300, 300, 700, 700).rectangle(0, 0, 1000, 1000).eof().bytes(); },
                {{10, 10, kRedPx}, {50, 50, kWhitePx}}},
        Drawing{"SelectClipRegionUsesTheRegionsScans", // one scan, y 0..1000, x 0..400
                [] {
                    return redFill().rec(CREATEREGION, {0, 6, 0, 0, 34, 1, 2, 0, 0, 400, 1000, 2, 0, 1000, 0, 400, 2})
                        .rec(SELECTCLIPREGION, {2}).rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                {{20, 50, kRedPx}, {70, 50, kWhitePx}}},
        Drawing{"ManyExcludedRectanglesEachLeaveTheirHole",
                [] {
                    Wmf w = redFill();
                    for (int i = 0; i < 100; ++i)
                        w.excludeClip(i % 10 * 100 + 25, i / 10 * 100 + 25, i % 10 * 100 + 75, i / 10 * 100 + 75);
                    return w.rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                tenByTenHoles()},
        Drawing{"DibStretchBlt", [] { return dibBlt(true); }, {{50, 50, kBluePx}}},
        Drawing{"DibBitBlt", [] { return dibBlt(false); }, {{50, 50, kBluePx}}},
        Drawing{"CountsLargerThanTheRecordAreSkipped",
                [] {
                    return redFill()
                        .rec(POLYGON, {30000, 0, 0, 1000, 0})
                        .rec(POLYPOLYGON, {2, 3, 30000, 0, 0, 10, 10, 0, 10})
                        .rec(TEXTOUT, {20000, 0x4141})
                        .rec(EXTTEXTOUT, {0, 0, 30000, 6, 0, 0, 0, 0})
                        .rec(STRETCHDIB, {0x20, 0xCC, 0, 2, 2, 0, 0, 100, 100, 0, 0, 40, 0, 30000, 0, 30000, 0, 1, 24})
                        .rec(CREATEREGION, {0, 6, 0, 0, 34, 500, 2, 0, 0, 400, 1000, 30000, 0})
                        .rectangle(0, 0, 1000, 1000).eof().bytes();
                },
                {{50, 50, kRedPx}}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- text ----------------------------------------------------------------------

// Text at (500, 500) of a 1000-unit frame drawn at 200 pixels: where its ink
// lies against the reference point (100, 100) for each alignment. With the
// current position (texts > 0) it starts at a MOVETO and each text goes on
// where the one before ended.
QRect alignedText(int align, int texts = 0)
{
    Wmf w;
    w.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(align | (texts ? 1 : 0));
    if (!texts)
        w.textOut(500, 500, "H");
    for (w.moveTo(500, 500); texts > 0; --texts)
        w.textOut(0, 0, "H");
    return inkBox(render(w.eof().bytes(), 200, 200));
}

TEST(TextAlignment, PlacesTheTextAgainstItsReferencePoint)
{
    const QRect leftTop = alignedText(0), rightBottom = alignedText(2 | 8), centreBase = alignedText(6 | 24),
                fromMoveTo = alignedText(0, 1), twice = alignedText(0, 2);
    ASSERT_FALSE(leftTop.isEmpty() || rightBottom.isEmpty() || centreBase.isEmpty() || fromMoveTo.isEmpty());
    EXPECT_GE(leftTop.left(), 98);
    EXPECT_GE(leftTop.top(), 98);
    EXPECT_LE(rightBottom.right(), 102);
    EXPECT_LE(rightBottom.bottom(), 102);
    EXPECT_NEAR(centreBase.center().x(), 100, 3);
    EXPECT_LE(centreBase.bottom(), 101);
    EXPECT_GE(fromMoveTo.left(), 98);
    EXPECT_GT(twice.right(), fromMoveTo.right() + 5);
}

// Bold Tahoma text came out as light as regular text: the compatible bold
// face has the right widths but thin strokes.
TEST(TextWeight, BoldTahomaCarriesMoreInkThanRegular)
{
    auto ink = [](int weight) {
        Wmf w;
        w.font(-150, weight, "Tahoma").select(0).textColor(0, 0, 0).bkMode(1).textAlign(0).textOut(20, 300, "Key Facts");
        const QImage img = render(w.eof().bytes(), 200, 200);
        long sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                sum += 255 - qGray(img.pixel(x, y));
        return sum;
    };
    EXPECT_GT(double(ink(700)), double(ink(400)) * 1.2);
}

TEST(TextAlignment, OpaqueBackgroundFillsBehindTheText)
{
    Wmf w;
    w.font(-200).select(0).textColor(0, 0, 0).rec(SETBKCOLOR, {0, 255}).bkMode(2).textOut(100, 100, "..");
    const QImage img = render(w.eof().bytes(), 200, 200);
    EXPECT_TRUE(near(img.pixelColor(22, 24), kBluePx)); // background between and around the dots
}

// EXTTEXTOUT: options word, optional rectangle, string, per-character advances.
QByteArray extTextOut(int x, int y, int opts, QRect rect, QByteArray str, const std::vector<int>& dx)
{
    QByteArray b = words({y, x, int(str.size()), opts});
    if (opts & 6)
        b += words({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
    b += str.size() % 2 ? str + '\0' : str;
    for (int d : dx)
        w16(b, d);
    return b;
}

// The advances spread the text, and it is aligned by their sum: 600 units
// (120 pixels) end at, or centre on, the reference point.
TEST(ExtTextOut, AdvancesSpreadTheCharactersApartAndAlignTheText)
{
    auto ink = [](int x, int align, int dx) {
        Wmf w;
        w.font(-150).select(0).textColor(0, 0, 0).bkMode(1).textAlign(align);
        w.recBytes(EXTTEXTOUT, extTextOut(x, 300, 0, {}, "III", {dx, dx, dx})).eof();
        return inkBox(render(w.bytes(), 200, 200));
    };
    EXPECT_GT(ink(50, 0, 300).width(), ink(50, 0, 60).width() + 40);
    EXPECT_NEAR(ink(900, 2, 200).left(), 60, 4);
    EXPECT_NEAR(ink(500, 6, 200).left(), 40, 4);
}

TEST(ExtTextOut, ClippedTextStaysInItsRectangleAndOpaqueFillsIt)
{
    Wmf w;
    w.font(-400).select(0).textColor(0, 0, 0).rec(SETBKCOLOR, {0, 255}).bkMode(1).textAlign(0);
    // Opaque and clipped to the left half of where the text goes.
    w.recBytes(EXTTEXTOUT, extTextOut(100, 100, 2 | 4, QRect(100, 100, 300, 500), "WWWW", {200, 200, 200, 200})).eof();
    const QImage img = render(w.bytes(), 200, 200);
    EXPECT_TRUE(near(img.pixelColor(38, 118), kBluePx, 60) || qGray(img.pixel(38, 118)) < 60); // inside: blue or text
    const QRect ink = inkBox(img);
    EXPECT_LE(ink.right(), 80); // nothing beyond x 400 (pixel 80)
    EXPECT_TRUE(near(img.pixelColor(120, 40), kWhitePx));
}

TEST(ExtTextOut, EscapementTurnsTheTextUpright)
{
    Wmf w;
    w.font(-150, 400, "Arial", 900).select(0).textColor(0, 0, 0).bkMode(1).textAlign(24);
    w.textOut(500, 900, "HHHHHH").eof();
    const QRect ink = inkBox(render(w.bytes(), 200, 200));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 2 * ink.width()); // runs up the page
    EXPECT_LE(ink.bottom(), 181);              // starting at the reference point, going up
}

// A screen reader reads a page's text runs in reading order.
TEST(PageText, ReadsLinesTopToBottomAndRunsLeftToRight)
{
    struct Row {
        const char* name;
        std::function<void(Wmf&)> runs;
        QString reads;
    };
    const std::vector<Row> rows = {
        {"lines top to bottom", [](Wmf& w) { w.textOut(100, 500, "second").textOut(100, 100, "first"); },
         "first\nsecond\n"},
        {"a gap on one line is a space",
         [](Wmf& w) { w.textOut(600, 110, "world").textOut(100, 100, "Hello"); }, "Hello world\n"},
        {"turned text is not read", [](Wmf& w) { w.font(-150, 400, "Arial", 900).select(1).textOut(500, 900, "up"); }, ""},
        {"blank runs are left out", [](Wmf& w) { w.textOut(100, 100, "   ").textOut(100, 500, "word"); },
         "word\n"},
    };
    for (const Row& row : rows) {
        Wmf w;
        w.font(-150).select(0).textColor(0, 0, 0).bkMode(1);
        row.runs(w);
        w.eof();
        const auto pic = MetafilePicture::fromBytes(w.bytes(), "page.wmf");
        ASSERT_TRUE(pic) << row.name;
        EXPECT_EQ(readingText(pic->textRuns()), row.reads) << row.name;
    }
    // Boxes are in twips from the picture's corner (here one unit a twip).
    Wmf w;
    w.font(-150).select(0).textOut(300, 200, "where").eof();
    const auto runs = MetafilePicture::fromBytes(w.bytes(), "page.wmf")->textRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "where");
    EXPECT_NEAR(runs[0].box.left(), 300, 2);
    EXPECT_NEAR(runs[0].box.top(), 200, 2);
}

// --- bitmaps -------------------------------------------------------------------

class DibDepth : public ::testing::TestWithParam<int> {};

TEST_P(DibDepth, QuadrantsKeepTheirColoursAndOrder)
{
    const int bits = GetParam();
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255); // one bit: these two colours only
    const QRgb colours[] = {red, blue, bits == 1 ? blue : qRgb(0, 255, 0), bits == 1 ? red : qRgb(0, 0, 0)};
    QImage src(2, 2, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i)
        src.setPixel(i % 2, i / 2, colours[i]);
    for (bool topDown : {false, true}) {
        Wmf w;
        w.stretchDib(0, 0, 1000, 1000, makeDib(src, bits, topDown), 2, 2).eof();
        const QImage img = render(w.bytes());
        for (QPoint q : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
            EXPECT_TRUE(near(img.pixelColor(20 + 60 * q.x(), 20 + 60 * q.y()), src.pixelColor(q), 16)) << bits << topDown;
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DibDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

// --- damaged files -------------------------------------------------------------

// A file cut short, or a record whose size is zero or beyond the file, shows
// what came before: the first rectangle, not the second.
TEST(DamagedFiles, ShowWhatCameBeforeTheDamage)
{
    const QByteArray good =
        redFill().rectangle(0, 0, 500, 500).brush(0, 0, 255).select(2).rectangle(500, 500, 1000, 1000).eof().bytes();
    std::vector<std::pair<std::string, QByteArray>> files{{"cut", good.left(good.size() - 40)}};
    for (uint32_t size : {0u, 1u, 2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        QByteArray bad(6, '\0');
        std::memcpy(bad.data(), &size, 4);
        bad[4] = char(0x1B); // a rectangle
        bad[5] = char(0x04);
        files.emplace_back(std::to_string(size),
                           redFill().rectangle(0, 0, 500, 500).raw(bad).rectangle(500, 500, 1000, 1000).bytes());
    }
    for (const auto& [name, bytes] : files) {
        auto pic = MetafilePicture::fromBytes(bytes, "damaged");
        ASSERT_TRUE(pic) << name;
        EXPECT_TRUE(pic->damaged()) << name;
        const QImage img = render(bytes);
        EXPECT_TRUE(near(img.pixelColor(25, 25), kRedPx)) << name;
        EXPECT_TRUE(near(img.pixelColor(75, 75), kWhitePx)) << name;
    }
    for (int n = 0; n < good.size(); ++n) // every cut point loads and draws
        render(good.left(n), 20, 20);
}

TEST(DamagedFiles, ObjectTableOverflowAndBadIndicesAreHarmless)
{
    Wmf w(1000, 1000, 1440, 1); // header promises one object
    w.nullPen().select(0).brush(255, 0, 0).brush(0, 0, 255).select(2);
    w.select(999).deleteObject(999).rec(SELECTCLIPREGION, {5000});
    w.rectangle(0, 0, 1000, 1000);
    for (int i = 0; i < 70000; ++i) // far more objects than a table can hold
        w.brush(0, 255, 0);
    w.eof();
    auto pic = MetafilePicture::fromBytes(w.bytes(), "many");
    ASSERT_TRUE(pic);
    EXPECT_GT(pic->skippedRecords(), 0);
    EXPECT_TRUE(near(render(w.bytes()).pixelColor(50, 50), kBluePx));
}

// --- files built to be expensive ----------------------------------------------

namespace {

// An 8-bit run-length bitmap of the given size in one colour: a run per row.
QByteArray rleBitmap(int w, int h)
{
    QByteArray dib = infoHeader(w, h, 8, 1, uint32_t(h) * 4 + 2);
    dib[32] = 1;           // one colour in the table: red
    w32(dib, 0x00FF0000);
    for (int y = 0; y < h; ++y)
        w32(dib, 0xFF);    // 255 pixels of it, end of line
    return dib + QByteArray("\0\1", 2); // end of bitmap
}

// The shared hostile files, and files of a few bitmaps built here, by name.
QByteArray built(const QString& name)
{
    auto bitmaps = [](const QByteArray& dib, int count, int w, int h) {
        Wmf file;
        for (int i = 0; i < count; ++i)
            file.stretchDib(i * 300, 0, 300, 300, dib, w, h);
        return file.eof().bytes();
    };
    auto png = [](const QImage& image) { // claiming 2 x 2 pixels
        const QByteArray bytes = encoded(image, "PNG");
        return infoHeader(2, 2, 0, 5, uint32_t(bytes.size())) + bytes;
    };
    if (name == "png-within-the-cap") {
        QImage blue(2, 2, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        return bitmaps(png(blue), 1, 2, 2);
    }
    if (name == "png-larger-than-its-header") { // 20 M pixels behind a 2 x 2 header
        QImage mono(5000, 4000, QImage::Format_Mono);
        mono.fill(0);
        return bitmaps(png(mono), 1, 2, 2);
    }
    if (name == "three-full-size-bitmaps") // all bitmaps of a file share one pixel budget
        return bitmaps(rleBitmap(4096, 4096), 3, 4096, 4096);
    static const std::vector<HostileFile> files = hostileFiles();
    for (const auto& h : files)
        if (h.name == name)
            return h.bytes;
    return {};
}

struct HostileCase {
    const char* file;
    const char* budgets; // the budgets it must run into, comma-separated, or null for none
    int minSteps;       // what is still drawn
    int maxSteps;
};

struct HostileFiles : ::testing::TestWithParam<HostileCase> {};

} // namespace

TEST_P(HostileFiles, LoadAndDrawWithinTheirBudgets)
{
    const HostileCase c = GetParam();
    const QByteArray bytes = built(QString::fromLatin1(c.file));
    ASSERT_FALSE(bytes.isEmpty());
    const QString source = QStringLiteral("wmf\\%1.wmf").arg(QString::fromLatin1(c.file));
    QStringList logged;
    setLogSink([&](const QString& line) { logged.append(line); });
    auto pic = MetafilePicture::fromBytes(bytes, source);
    setLogSink(nullptr);
    ASSERT_TRUE(pic);
    EXPECT_FALSE(pic->damaged());
    EXPECT_GE(pic->stepCount(), c.minSteps);
    EXPECT_LE(pic->stepCount(), c.maxSteps);
    const QStringList budgets = QString::fromLatin1(c.budgets).split(QLatin1Char(','), Qt::SkipEmptyParts);
    EXPECT_EQ(pic->budgetsExceeded(), budgets);
    ASSERT_EQ(logged.size(), budgets.size()) << logged.join('\n').toStdString();
    for (int i = 0; i < budgets.size(); ++i) {
        EXPECT_TRUE(logged[i].contains(source)) << logged[i].toStdString();
        EXPECT_TRUE(logged[i].contains(budgets[i])) << logged[i].toStdString();
    }
    const QImage img = draw(pic.get(), 800, 600);
    if (QLatin1String(c.file) == QLatin1String("png-within-the-cap"))
        EXPECT_EQ(img.pixelColor(100, 100), QColor(Qt::blue));
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, HostileFiles,
    ::testing::Values(
        // Each fill draws through a clip of more and more rectangles: the
        // masks to build use up the painted area before the clip stops growing.
        HostileCase{"hostile-exclude-clips", "painted area,clip changes", 40, 60},
        // Nothing to draw in any of them: no pixels, no steps, nothing allocated.
        HostileCase{"hostile-empty-bitmaps", nullptr, 0, 0},
        // Each embedded image claims more pixels than any bitmap may have.
        HostileCase{"hostile-embedded-bitmaps", "bitmap", 0, 0},
        // Shapes are kept up to the step budget.
        HostileCase{"hostile-polygons", "drawing steps", 100000, 100000},
        // Every line is kept, drawn solid once the dashes are spent and a
        // segment at a time once the wide strokes are.
        HostileCase{"hostile-dashed-star", "dashed strokes,wide strokes", 4, 4},
        // Every line of text is kept, in a fallback family once the lookups are spent.
        HostileCase{"hostile-fonts", "font families", 2000, 2000},
        // Painting stops once the file has covered the frame a few hundred
        // times over in solid fills, each kind of painting weighted by its cost.
        HostileCase{"hostile-full-rects", "painted area", 400, 400},
        HostileCase{"hostile-full-ellipses", "painted area", 133, 133},
        HostileCase{"hostile-full-polygons", "painted area", 400, 400},
        HostileCase{"hostile-hatched-fills", "painted area", 57, 57},
        HostileCase{"hostile-flood-fills", "painted area", 400, 400},
        HostileCase{"hostile-stretched-bitmaps", "painted area", 4, 4},
        HostileCase{"hostile-rop-blits", "painted area", 4, 4},
        HostileCase{"hostile-wide-pens", "painted area", 33, 33},
        HostileCase{"hostile-huge-text", "painted area", 20, 60},
        // Small turned text is cheap to paint: every run is kept.
        HostileCase{"hostile-turned-text", nullptr, 16125, 16125},
        // Clips of a thousand rectangles are rebuilt, and their masks drawn,
        // until those budgets are spent.
        HostileCase{"hostile-clip-churn", "painted area,clip changes", 10, 30},
        HostileCase{"hostile-region-churn", "painted area,clip changes", 4, 12},
        // Saved states share their palette; a thousand-deep stack costs nothing.
        HostileCase{"hostile-save-restore", nullptr, 0, 0},
        // The lowest free object slot is found quickly in a full table.
        HostileCase{"hostile-object-churn", nullptr, 0, 0},
        // An embedded image is measured before it is decoded; within the
        // cap it is drawn. Of three full-size bitmaps, two are drawn.
        HostileCase{"png-within-the-cap", nullptr, 1, 1},
        HostileCase{"png-larger-than-its-header", "bitmap", 0, 0},
        HostileCase{"three-full-size-bitmaps", "bitmap", 2, 2}),
    [](const ::testing::TestParamInfo<HostileCase>& info) {
        std::string name = info.param.file;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(HostileBitmaps, BitmapWithoutItsPixelsIsSkipped)
{
    const QByteArray file = Wmf().stretchDib(0, 0, 1000, 1000, infoHeader(4096, 4096, 24), 4096, 4096).eof().bytes();
    auto pic = MetafilePicture::fromBytes(file, "no pixels");
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->stepCount(), 0);
    EXPECT_EQ(pic->skippedRecords(), 1);
    EXPECT_TRUE(pic->budgetsExceeded().isEmpty()); // damage, not a budget
}
