// Files built to cost the player as much as their size allows: each loads
// and draws with what it may spend, and the log names the file and the budget.
#include "platform/log.h"
#include "platform/wmf/metafilepicture.h"
#include "tests/wmf/hostile.h"
#include "tests/wmf/wmfbuild.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace oravians;
using namespace wmftest;

namespace {

// Collects what the player logs while it lives.
class LogCapture {
public:
    LogCapture()
    {
        setLogSink([this](const QString& line) { lines.append(line); });
    }
    ~LogCapture() { setLogSink(nullptr); }
    QStringList lines;
};

QImage drawAtScreenSize(const MetafilePicture& pic)
{
    QImage img(800, 600, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    pic.draw(p, QRectF(0, 0, 800, 600));
    return img;
}

QByteArray hostile(const QString& name)
{
    static const std::vector<HostileFile> files = hostileFiles();
    for (const auto& h : files)
        if (h.name == name)
            return h.bytes;
    return {};
}

QByteArray embeddedPng(const QImage& image, int claimedW, int claimedH)
{
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, "PNG");
    QByteArray dib;
    auto w32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) dib.append(char((v >> (8 * i)) & 0xFF)); };
    w32(40); w32(uint32_t(claimedW)); w32(uint32_t(claimedH));
    dib.append(char(1)).append(char(0)).append(char(0)).append(char(0)); // planes 1, bits 0
    w32(5); w32(uint32_t(png.size())); w32(0); w32(0); w32(0); w32(0);
    return dib + png;
}

// An 8-bit run-length bitmap of the given size in one colour: a run per row.
QByteArray rleBitmap(int w, int h)
{
    QByteArray dib;
    auto w32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) dib.append(char((v >> (8 * i)) & 0xFF)); };
    w32(40); w32(uint32_t(w)); w32(uint32_t(h));
    dib.append(char(1)).append(char(0)).append(char(8)).append(char(0));
    w32(1); w32(0); w32(0); w32(0); w32(1); w32(0);
    dib.append(char(0)).append(char(0)).append(char(255)).append(char(0)); // red
    for (int y = 0; y < h; ++y)
        dib.append(char(255)).append(char(0)).append(char(0)).append(char(0)); // 255 pixels, end of line
    dib.append(char(0)).append(char(1));
    const uint32_t data = uint32_t(h) * 4 + 2;
    std::memcpy(dib.data() + 20, &data, 4); // size of the pixel data
    return dib;
}


QByteArray bitmapFile(const QByteArray& dib, int count, int w, int h)
{
    Wmf file;
    for (int i = 0; i < count; ++i)
        file.stretchDib(i * 300, 0, 300, 300, dib, w, h);
    return file.eof().bytes();
}

QImage blue2x2()
{
    QImage blue(2, 2, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    return blue;
}

QImage mono20M()
{
    QImage mono(5000, 4000, QImage::Format_Mono);
    mono.fill(0);
    return mono;
}

// Files of a few bitmaps, built here, by name.
QByteArray built(const QString& name)
{
    if (name == "png-within-the-cap")
        return bitmapFile(embeddedPng(blue2x2(), 2, 2), 1, 2, 2);
    if (name == "png-larger-than-its-header") // 20 M pixels behind a 2 x 2 header
        return bitmapFile(embeddedPng(mono20M(), 2, 2), 1, 2, 2);
    if (name == "three-full-size-bitmaps") // all bitmaps of a file share one pixel budget
        return bitmapFile(rleBitmap(4096, 4096), 3, 4096, 4096);
    return hostile(name);
}

struct HostileCase {
    const char* file;
    const char* budgets; // the budgets it must run into, comma-separated, or null for none
    int minSteps;       // what is still drawn
    int maxSteps;
};

class HostileFiles : public ::testing::TestWithParam<HostileCase> {};

} // namespace

TEST_P(HostileFiles, LoadAndDrawWithinTheirBudgets)
{
    const HostileCase c = GetParam();
    const QByteArray bytes = built(QString::fromLatin1(c.file));
    ASSERT_FALSE(bytes.isEmpty());
    const QString source = QStringLiteral("wmf\\%1.wmf").arg(QString::fromLatin1(c.file));
    LogCapture log;
    auto pic = MetafilePicture::fromBytes(bytes, source);
    ASSERT_TRUE(pic);
    EXPECT_FALSE(pic->damaged());
    EXPECT_GE(pic->stepCount(), c.minSteps);
    EXPECT_LE(pic->stepCount(), c.maxSteps);
    if (c.budgets) {
        const QStringList budgets = QString::fromLatin1(c.budgets).split(QLatin1Char(','));
        EXPECT_EQ(pic->budgetsExceeded(), budgets);
        ASSERT_EQ(log.lines.size(), budgets.size()) << log.lines.join('\n').toStdString();
        for (int i = 0; i < budgets.size(); ++i) {
            EXPECT_TRUE(log.lines[i].contains(source)) << log.lines[i].toStdString();
            EXPECT_TRUE(log.lines[i].contains(budgets[i])) << log.lines[i].toStdString();
        }
    } else {
        EXPECT_TRUE(pic->budgetsExceeded().isEmpty());
        EXPECT_TRUE(log.lines.isEmpty()) << log.lines.join('\n').toStdString();
    }
    const QImage img = drawAtScreenSize(*pic);
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

// Many exclusions from one clip: every hole stays a hole and the rest is
// filled, as with a single exclusion.
TEST(HostileClips, ManyExcludedRectanglesEachLeaveTheirHole)
{
    Wmf w;
    w.nullPen().select(0).brush(255, 0, 0).select(1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            w.excludeClip(x * 100 + 25, y * 100 + 25, x * 100 + 75, y * 100 + 75);
    w.rectangle(0, 0, 1000, 1000).eof();
    auto pic = MetafilePicture::fromBytes(w.bytes(), "holes");
    ASSERT_TRUE(pic);
    EXPECT_TRUE(pic->budgetsExceeded().isEmpty());
    QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, 100, 100));
    p.end();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(img.pixelColor(x * 10 + 5, y * 10 + 5), QColor(Qt::white)) << x << "," << y;
            EXPECT_EQ(img.pixelColor(x * 10 + 1, y * 10 + 1), QColor(Qt::red)) << x << "," << y;
        }
}

TEST(HostileBitmaps, BitmapWithoutItsPixelsIsSkipped)
{
    QByteArray header;
    auto w32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) header.append(char((v >> (8 * i)) & 0xFF)); };
    w32(40); w32(4096); w32(4096);
    header.append(char(1)).append(char(0)).append(char(24)).append(char(0));
    for (int i = 0; i < 6; ++i) w32(0);
    Wmf w;
    w.stretchDib(0, 0, 1000, 1000, header, 4096, 4096).eof();
    auto pic = MetafilePicture::fromBytes(w.bytes(), "no pixels");
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->stepCount(), 0);
    EXPECT_EQ(pic->skippedRecords(), 1);
    EXPECT_TRUE(pic->budgetsExceeded().isEmpty()); // damage, not a budget
}
