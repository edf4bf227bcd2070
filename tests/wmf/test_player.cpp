// The metafile player on crafted records: what a page shows, pixel by pixel.
#include "platform/wmf/metafilepicture.h"
#include "tests/wmf/wmfbuild.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    w32(0);
    w32(0);
    w32(0);
    w32(0);
    w32(0);
    w32(0);
    for (QRgb c : table) {
        b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    const int stride = ((w * bits + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        QByteArray line(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000u;
            switch (bits) {
            case 1: line[x / 8] = char(uchar(line[x / 8]) | (index[c] << (7 - x % 8))); break;
            case 4: line[x / 2] = char(uchar(line[x / 2]) | (index[c] << (x % 2 ? 0 : 4))); break;
            case 8: line[x] = char(index[c]); break;
            case 16: {
                const int v = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
                line[2 * x] = char(v & 0xFF);
                line[2 * x + 1] = char(v >> 8);
                break;
            }
            case 24:
                line[3 * x] = char(qBlue(c));
                line[3 * x + 1] = char(qGreen(c));
                line[3 * x + 2] = char(qRed(c));
                break;
            case 32:
                line[4 * x] = char(qBlue(c));
                line[4 * x + 1] = char(qGreen(c));
                line[4 * x + 2] = char(qRed(c));
                line[4 * x + 3] = 0;
                break;
            }
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

// --- shapes and mapping ------------------------------------------------------

TEST(Mapping, RectangleInPlaceableUnitsLandsWhereTheFrameSays)
{
    const QImage img = render(redFill().rectangle(200, 200, 600, 600).eof().bytes());
    EXPECT_TRUE(near(at(img, 40, 40), kRedPx));
    EXPECT_TRUE(near(at(img, 10, 10), kWhitePx));
    EXPECT_TRUE(near(at(img, 70, 70), kWhitePx));
}

TEST(Mapping, WindowExtentIsStretchedOverTheFrame)
{
    Wmf w = redFill();
    w.windowOrg(0, 0).windowExt(100, 200).rectangle(50, 0, 100, 100).eof(); // right half, top half
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 75, 25), kRedPx));
    EXPECT_TRUE(near(at(img, 25, 25), kWhitePx));
    EXPECT_TRUE(near(at(img, 75, 75), kWhitePx));
}

TEST(Mapping, WindowOriginShiftsTheDrawing)
{
    Wmf w = redFill();
    w.windowOrg(500, 500).rectangle(500, 500, 700, 700).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 10, 10), kRedPx));
    EXPECT_TRUE(near(at(img, 60, 60), kWhitePx));
}

TEST(Mapping, IsotropicKeepsShapesRound)
{
    Wmf w = redFill();
    w.mapMode(7).windowOrg(0, 0).windowExt(100, 200).viewportOrg(0, 0).viewportExt(1000, 1000);
    w.rectangle(0, 0, 100, 100).eof(); // square in logical units stays square
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 45, 45), kRedPx));
    EXPECT_TRUE(near(at(img, 75, 25), kWhitePx)); // not stretched across
}

TEST(Mapping, FixedModesUseTheirPhysicalUnitsAndPointYUp)
{
    // MM_TWIPS in a frame 1440 units an inch: one logical unit is one frame unit, y up.
    Wmf w = redFill();
    w.mapMode(6).windowOrg(0, 0).viewportOrg(0, 1000).rectangle(0, 500, 500, 0).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 25, 75), kRedPx)); // bottom left
    EXPECT_TRUE(near(at(img, 25, 25), kWhitePx));
}

TEST(Mapping, TextModeIsOneUnitPerFrameUnit)
{
    Wmf w = redFill();
    w.windowExt(10, 10).mapMode(1).rectangle(0, 0, 300, 300).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 15, 15), kRedPx));
    EXPECT_TRUE(near(at(img, 50, 50), kWhitePx));
}

TEST(Shapes, PolygonFillModesDecideTheHole)
{
    // Two nested squares in one polypolygon, same direction.
    auto build = [](int mode) {
        Wmf w = redFill();
        w.rec(SETPOLYFILLMODE, {mode});
        w.rec(POLYPOLYGON, {2, 4, 4, 100, 100, 900, 100, 900, 900, 100, 900, 300, 300, 700, 300, 700, 700, 300, 700});
        return w.eof().bytes();
    };
    const QImage alternate = render(build(1));
    EXPECT_TRUE(near(at(alternate, 20, 20), kRedPx));
    EXPECT_TRUE(near(at(alternate, 50, 50), kWhitePx));
    const QImage winding = render(build(2));
    EXPECT_TRUE(near(at(winding, 50, 50), kRedPx));
}

TEST(Shapes, EllipseAndPenAreDrawn)
{
    Wmf w;
    w.pen(0, 0, 255, 40).select(0).brush(0, 255, 0).select(1).ellipse(100, 100, 900, 900).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 50, 50), kGreenPx));
    EXPECT_TRUE(near(at(img, 50, 10), kBluePx, 80)); // outline at the top
    EXPECT_TRUE(near(at(img, 12, 12), kWhitePx));   // outside the ellipse
}

// --- objects and DC state ----------------------------------------------------

TEST(DeviceContext, RestoreDCBringsBackTheBrushAndTheClip)
{
    Wmf w = redFill();
    w.saveDC().brush(0, 0, 255).select(2).intersectClip(0, 0, 100, 100).restoreDC(-1);
    w.rectangle(0, 0, 1000, 1000).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 50, 50), kRedPx)); // red brush again, no clip
    EXPECT_TRUE(near(at(img, 90, 90), kRedPx));
}

TEST(DeviceContext, AbsoluteRestoreLevel)
{
    Wmf w = redFill();
    w.saveDC().brush(0, 0, 255).select(2).saveDC().brush(0, 255, 0).select(3).restoreDC(1);
    w.rectangle(0, 0, 1000, 1000).eof();
    EXPECT_TRUE(near(at(render(w.bytes()), 50, 50), kRedPx));
}

TEST(DeviceContext, DeletedSlotIsReusedForTheNextObject)
{
    Wmf w;
    w.nullPen().select(0).brush(255, 0, 0).brush(0, 0, 255).deleteObject(1).brush(0, 255, 0); // lands in slot 1
    w.select(1).rectangle(0, 0, 1000, 1000).eof();
    EXPECT_TRUE(near(at(render(w.bytes()), 50, 50), kGreenPx));
}

// --- clipping ------------------------------------------------------------------

TEST(Clipping, IntersectClipRectKeepsTheInside)
{
    const QImage img = render(redFill().intersectClip(0, 0, 500, 1000).rectangle(0, 0, 1000, 1000).eof().bytes());
    EXPECT_TRUE(near(at(img, 25, 50), kRedPx));
    EXPECT_TRUE(near(at(img, 75, 50), kWhitePx));
}

TEST(Clipping, ExcludeClipRectLeavesAHole)
{
    const QImage img = render(redFill().excludeClip(300, 300, 700, 700).rectangle(0, 0, 1000, 1000).eof().bytes());
    EXPECT_TRUE(near(at(img, 10, 10), kRedPx));
    EXPECT_TRUE(near(at(img, 50, 50), kWhitePx));
}

TEST(Clipping, SelectClipRegionUsesTheRegionsScans)
{
    Wmf w = redFill();
    // Region: one scan from y 0 to 1000 with x 0..400.
    w.rec(CREATEREGION, {0, 6, 0, 0, 34, 1, 2, 0, 0, 400, 1000, 2, 0, 1000, 0, 400, 2});
    w.rec(SELECTCLIPREGION, {2}).rectangle(0, 0, 1000, 1000).eof();
    const QImage img = render(w.bytes());
    EXPECT_TRUE(near(at(img, 20, 50), kRedPx));
    EXPECT_TRUE(near(at(img, 70, 50), kWhitePx));
}

// --- text ----------------------------------------------------------------------

class TextAlignment : public ::testing::Test {
protected:
    QRect draw(int align, bool cp = false)
    {
        Wmf w;
        w.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(align | (cp ? 1 : 0));
        if (cp)
            w.moveTo(500, 500).textOut(0, 0, "HH");
        else
            w.textOut(500, 500, "HH");
        return inkBox(render(w.eof().bytes(), 200, 200));
    }
};

TEST_F(TextAlignment, LeftTopHangsBelowAndRightOfThePoint)
{
    const QRect box = draw(0);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 98);
    EXPECT_GE(box.top(), 98);
}

TEST_F(TextAlignment, RightBottomSitsAboveAndLeftOfThePoint)
{
    const QRect box = draw(2 | 8);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(box.right(), 102);
    EXPECT_LE(box.bottom(), 102);
}

TEST_F(TextAlignment, CenterBaselineIsCentredAboveThePoint)
{
    const QRect box = draw(6 | 24);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(box.center().x(), 100, 3);
    EXPECT_LE(box.bottom(), 101);
}

TEST_F(TextAlignment, UpdateCurrentPositionStartsAtMoveToAndAdvances)
{
    const QRect box = draw(0, true);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 98);
    Wmf w;
    w.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(1).moveTo(100, 500);
    w.textOut(0, 0, "H").textOut(0, 0, "H").eof();
    Wmf one;
    one.font(-200, 700).select(0).textColor(0, 0, 0).bkMode(1).textAlign(1).moveTo(100, 500).textOut(0, 0, "H").eof();
    EXPECT_GT(inkBox(render(w.bytes(), 200, 200)).right(), inkBox(render(one.bytes(), 200, 200)).right() + 5);
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

TEST_F(TextAlignment, OpaqueBackgroundFillsBehindTheText)
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
    QByteArray font;
    auto w16 = [&](int v) { font.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    w16(-150); w16(0); w16(900); w16(900); w16(400);
    font.append(QByteArray(8, '\0')).append("Arial").append('\0');
    Wmf w;
    w.recBytes(CREATEFONTINDIRECT, font).select(0).textColor(0, 0, 0).bkMode(1).textAlign(24);
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

TEST(Bitmaps, DibStretchBltAndDibBitBltDrawTheImage)
{
    QImage src(2, 2, QImage::Format_RGB32);
    src.fill(qRgb(0, 0, 255));
    const QByteArray dib = makeDib(src, 24);
    QByteArray body;
    auto w16 = [&](int v) { body.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    w16(0x0020); w16(0x00CC); w16(2); w16(2); w16(0); w16(0); w16(1000); w16(1000); w16(0); w16(0);
    body.append(dib);
    Wmf w;
    w.recBytes(DIBSTRETCHBLT, body).eof();
    EXPECT_TRUE(near(at(render(w.bytes()), 50, 50), kBluePx));
    QByteArray bb;
    auto b16 = [&](int v) { bb.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    b16(0x0020); b16(0x00CC); b16(0); b16(0); b16(2); b16(2); b16(0); b16(0);
    bb.append(dib);
    Wmf bit(2, 2, 1440);
    bit.recBytes(DIBBITBLT, bb).eof();
    EXPECT_TRUE(near(at(render(bit.bytes()), 50, 50), kBluePx));
}

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

TEST(DamagedFiles, CountsLargerThanTheRecordAreSkipped)
{
    Wmf w = redFill();
    w.rec(POLYGON, {30000, 0, 0, 1000, 0});                // claims 30000 points
    w.rec(POLYPOLYGON, {2, 3, 30000, 0, 0, 10, 10, 0, 10}); // second count runs past the end
    w.rec(TEXTOUT, {20000, 0x4141});                        // text longer than its record
    w.rec(EXTTEXTOUT, {0, 0, 30000, 6, 0, 0, 0, 0});        // opaque rect and long text
    w.rec(STRETCHDIB, {0x20, 0xCC, 0, 2, 2, 0, 0, 100, 100, 0, 0, 40, 0, 30000, 0, 30000, 0, 1, 24});
    w.rec(CREATEREGION, {0, 6, 0, 0, 34, 500, 2, 0, 0, 400, 1000, 30000, 0});
    w.rectangle(0, 0, 1000, 1000).eof();
    EXPECT_TRUE(near(at(render(w.bytes()), 50, 50), kRedPx));
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
