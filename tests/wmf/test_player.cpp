// The metafile player on crafted records: what a page shows, pixel by pixel.
#include "platform/wmf/metafilepicture.h"
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
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = img.pixel(x, y) | 0xFF000000u;
                if (!index.count(c)) {
                    index[c] = int(table.size());
                    table.push_back(c);
                }
            }
        table.resize(std::size_t(1) << bits, qRgb(0, 0, 0));
    }
    QByteArray b;
    auto w16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto w32 = [&](uint32_t v) { w16(int(v & 0xFFFF)); w16(int(v >> 16)); };
    w32(40);
    w32(uint32_t(w));
    w32(uint32_t(topDown ? -h : h));
    w16(1);
    w16(bits);
    for (int i = 0; i < 6; ++i)
        w32(0);
    for (QRgb c : table)
        b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
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
                                          : uint32_t(qBlue(c) | qGreen(c) << 8 | qRed(c) << 16);
            for (int k = 0; k < bits / 8; ++k)
                line[x * bits / 8 + k] = char(v >> (8 * k));
        }
        b.append(line);
    }
    return b;
}

} // namespace wmftest

namespace {

QImage render(const QByteArray& bytes, int w = 100, int h = 100, QColor background = Qt::white)
{
    auto pic = MetafilePicture::fromBytes(bytes, QStringLiteral("test"));
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    if (!pic)
        return img;
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, w, h));
    return img;
}

QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

::testing::AssertionResult near(QColor got, QColor want, int tolerance = 40)
{
    if (std::abs(got.red() - want.red()) <= tolerance && std::abs(got.green() - want.green()) <= tolerance
        && std::abs(got.blue() - want.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got.name().toStdString() << ", want " << want.name().toStdString();
}

const QColor kRedPx(255, 0, 0), kBluePx(0, 0, 255), kWhitePx(255, 255, 255), kGreenPx(0, 255, 0);

// Red brush, no pen: the base of most tests.
Wmf redFill()
{
    Wmf w;
    w.nullPen().select(0).brush(255, 0, 0).select(1);
    return w;
}

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

TEST(MetafileSize, PlaceableHeaderGivesTheSizeInTwips)
{
    auto pic = MetafilePicture::fromBytes(Wmf(2880, 1440, 1440).eof().bytes(), "a");
    ASSERT_TRUE(pic);
    EXPECT_TRUE(pic->placeable());
    EXPECT_DOUBLE_EQ(pic->sizeTwips().width(), 2880);
    EXPECT_DOUBLE_EQ(pic->sizeTwips().height(), 1440);
    auto metric = MetafilePicture::fromBytes(Wmf(2540, 1270, 2540).eof().bytes(), "b");
    EXPECT_DOUBLE_EQ(metric->sizeTwips().width(), 1440);
    EXPECT_DOUBLE_EQ(metric->sizeTwips().height(), 720);
}

TEST(MetafileSize, PlainMetafileTakesItsSizeFromTheWindowExtentAtScreenResolution)
{
    Wmf w(0, 0, 0, 4, false);
    w.windowOrg(0, 0).windowExt(400, 300).eof();
    auto pic = MetafilePicture::fromBytes(w.bytes(), "plain");
    ASSERT_TRUE(pic);
    EXPECT_FALSE(pic->placeable());
    EXPECT_DOUBLE_EQ(pic->sizeTwips().width(), 400 * 15);
    EXPECT_DOUBLE_EQ(pic->sizeTwips().height(), 300 * 15);
    Wmf big(0, 0, 0, 4, false);
    big.windowExt(2880, 1440).eof();
    auto large = MetafilePicture::fromBytes(big.bytes(), "large");
    EXPECT_DOUBLE_EQ(large->sizeTwips().width(), 2880); // taken as twips
}

TEST(MetafileSize, MissingOrForeignFilesAreRefused)
{
    EXPECT_THROW(loadMetafilePicture("/nonexistent/x.wmf", "wmf\\x.wmf"), PictureError);
    QTemporaryDir dir;
    const QString path = dir.filePath("fake.wmf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("GIF89a this is not a metafile at all....."));
    f.close();
    EXPECT_THROW(loadMetafilePicture(path, "wmf\\fake.wmf"), PictureError);
    EXPECT_FALSE(MetafilePicture::fromBytes(QByteArray(), "empty"));
}

// --- shapes, mapping, device context and clipping ---------------------------

namespace {

struct Probe {
    int x, y;
    QColor colour;
};

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
    QByteArray body;
    auto w16 = [&](int v) { body.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    for (int v : stretch ? std::vector<int>{0x20, 0xCC, 2, 2, 0, 0, 1000, 1000, 0, 0}
                         : std::vector<int>{0x20, 0xCC, 0, 0, 2, 2, 0, 0})
        w16(v);
    Wmf w = stretch ? Wmf() : Wmf(2, 2, 1440);
    return w.recBytes(stretch ? DIBSTRETCHBLT : DIBBITBLT, body + makeDib(src, 24)).eof().bytes();
}

} // namespace

TEST_P(Drawings, ShowTheirColoursWhereTheRecordsSay)
{
    const QImage img = render(GetParam().file());
    for (const Probe& p : GetParam().probes)
        EXPECT_TRUE(near(at(img, p.x, p.y), p.colour, 80)) << "at " << p.x << "," << p.y;
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
// lies against the reference point (100, 100) for each alignment.
QRect alignedText(int align, bool cp = false)
{
    Wmf w;
    w.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(align | (cp ? 1 : 0));
    if (cp)
        w.moveTo(500, 500).textOut(0, 0, "HH");
    else
        w.textOut(500, 500, "HH");
    return inkBox(render(w.eof().bytes(), 200, 200));
}

TEST(TextAlignment, PlacesTheTextAgainstItsReferencePoint)
{
    const QRect leftTop = alignedText(0), rightBottom = alignedText(2 | 8), centreBase = alignedText(6 | 24),
                fromMoveTo = alignedText(0, true);
    ASSERT_FALSE(leftTop.isEmpty() || rightBottom.isEmpty() || centreBase.isEmpty() || fromMoveTo.isEmpty());
    EXPECT_GE(leftTop.left(), 98);
    EXPECT_GE(leftTop.top(), 98);
    EXPECT_LE(rightBottom.right(), 102);
    EXPECT_LE(rightBottom.bottom(), 102);
    EXPECT_NEAR(centreBase.center().x(), 100, 3);
    EXPECT_LE(centreBase.bottom(), 101);
    EXPECT_GE(fromMoveTo.left(), 98);
}

TEST(TextAlignment, UpdateCurrentPositionAdvancesAfterEachText)
{
    auto ink = [](int texts) {
        Wmf w;
        w.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(1).moveTo(100, 500);
        for (int i = 0; i < texts; ++i)
            w.textOut(0, 0, "H");
        return inkBox(render(w.eof().bytes(), 200, 200));
    };
    EXPECT_GT(ink(2).right(), ink(1).right() + 5);
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
    EXPECT_TRUE(near(at(img, 22, 24), kBluePx)); // background between and around the dots
}

// EXTTEXTOUT: options word, optional rectangle, string, per-character advances.
QByteArray extTextOut(int x, int y, int opts, QRect rect, const QByteArray& str, std::vector<int> dx)
{
    QByteArray b;
    auto w16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    w16(y);
    w16(x);
    w16(int(str.size()));
    w16(opts);
    if (opts & 6) {
        w16(rect.left());
        w16(rect.top());
        w16(rect.right() + 1);
        w16(rect.bottom() + 1);
    }
    b.append(str);
    if (str.size() % 2)
        b.append('\0');
    for (int d : dx)
        w16(d);
    return b;
}

TEST(ExtTextOut, AdvancesSpreadTheCharactersApart)
{
    auto width = [](std::vector<int> dx) {
        Wmf w;
        w.font(-150).select(0).textColor(0, 0, 0).bkMode(1).textAlign(0);
        w.recBytes(EXTTEXTOUT, extTextOut(50, 300, 0, {}, "III", dx)).eof();
        return inkBox(render(w.bytes(), 200, 200)).width();
    };
    EXPECT_GT(width({300, 300, 300}), width({60, 60, 60}) + 40);
}

TEST(ExtTextOut, ClippedTextStaysInItsRectangleAndOpaqueFillsIt)
{
    Wmf w;
    w.font(-400).select(0).textColor(0, 0, 0).rec(SETBKCOLOR, {0, 255}).bkMode(1).textAlign(0);
    // Opaque and clipped to the left half of where the text goes.
    w.recBytes(EXTTEXTOUT, extTextOut(100, 100, 2 | 4, QRect(100, 100, 300, 500), "WWWW", {200, 200, 200, 200})).eof();
    const QImage img = render(w.bytes(), 200, 200);
    EXPECT_TRUE(near(at(img, 38, 118), kBluePx, 60) || qGray(img.pixel(38, 118)) < 60); // inside: blue or text
    const QRect ink = inkBox(img);
    EXPECT_LE(ink.right(), 80); // nothing beyond x 400 (pixel 80)
    EXPECT_TRUE(near(at(img, 120, 40), kWhitePx));
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

// --- bitmaps -------------------------------------------------------------------

class DibDepth : public ::testing::TestWithParam<int> {};

TEST_P(DibDepth, QuadrantsKeepTheirColoursAndOrder)
{
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(255, 0, 0));
    src.setPixel(1, 0, qRgb(0, 0, 255));
    src.setPixel(0, 1, qRgb(0, 255, 0));
    src.setPixel(1, 1, qRgb(0, 0, 0));
    const int bits = GetParam();
    if (bits == 1) { // two colours only
        src.setPixel(0, 1, qRgb(0, 0, 255));
        src.setPixel(1, 1, qRgb(255, 0, 0));
    }
    for (bool topDown : {false, true}) {
        Wmf w;
        w.stretchDib(0, 0, 1000, 1000, makeDib(src, bits, topDown), 2, 2).eof();
        const QImage img = render(w.bytes());
        EXPECT_TRUE(near(at(img, 20, 20), src.pixelColor(0, 0), 16)) << bits << " top-down " << topDown;
        EXPECT_TRUE(near(at(img, 80, 20), src.pixelColor(1, 0), 16)) << bits;
        EXPECT_TRUE(near(at(img, 20, 80), src.pixelColor(0, 1), 16)) << bits;
        EXPECT_TRUE(near(at(img, 80, 80), src.pixelColor(1, 1), 16)) << bits;
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DibDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

// --- damaged files -------------------------------------------------------------

QByteArray goodPicture()
{
    Wmf w = redFill();
    w.rectangle(0, 0, 500, 500);
    w.brush(0, 0, 255).select(2).rectangle(500, 500, 1000, 1000);
    return w.eof().bytes();
}

TEST(DamagedFiles, TruncatedFileShowsWhatCameBeforeTheCut)
{
    const QByteArray good = goodPicture();
    const QByteArray cut = good.left(good.size() - 40); // loses the second rectangle
    auto pic = MetafilePicture::fromBytes(cut, "cut");
    ASSERT_TRUE(pic);
    EXPECT_TRUE(pic->damaged());
    const QImage img = render(cut);
    EXPECT_TRUE(near(at(img, 25, 25), kRedPx));
    EXPECT_TRUE(near(at(img, 75, 75), kWhitePx));
    for (int n = 0; n < good.size(); ++n) // every cut point loads and draws
        render(good.left(n), 20, 20);
}

TEST(DamagedFiles, HugeOrZeroRecordSizesStopTheRecordList)
{
    for (uint32_t size : {0u, 1u, 2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Wmf w = redFill();
        w.rectangle(0, 0, 500, 500);
        QByteArray bad(6, '\0');
        std::memcpy(bad.data(), &size, 4);
        bad[4] = char(0x1B);
        bad[5] = char(0x04);
        w.raw(bad).rectangle(500, 500, 1000, 1000);
        const QImage img = render(w.bytes());
        EXPECT_TRUE(near(at(img, 25, 25), kRedPx)) << size;
        EXPECT_TRUE(near(at(img, 75, 75), kWhitePx)) << size;
    }
}

TEST(DamagedFiles, WrongHeaderIsNotAMetafile)
{
    QByteArray b = goodPicture().mid(22); // plain metafile
    b[2] = 7;                             // header length is always 9 words
    EXPECT_FALSE(MetafilePicture::fromBytes(b, "bad"));
    QByteArray v = goodPicture().mid(22);
    v[4] = 0x55; // unknown version
    EXPECT_FALSE(MetafilePicture::fromBytes(v, "bad"));
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
    EXPECT_TRUE(near(at(render(w.bytes()), 50, 50), kBluePx));
}

TEST(DamagedFiles, RandomCorruptionNeverCrashes)
{
    const QByteArray good = goodPicture();
    uint32_t seed = 12345;
    auto next = [&]() { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 2000; ++round) {
        QByteArray b = good;
        const int flips = 1 + int(next() % 8);
        for (int i = 0; i < flips; ++i)
            b[int(next() % uint32_t(b.size()))] = char(next() >> 16);
        render(b, 16, 16);
    }
}
