// Metafiles written by other programs, drawn by our player and compared
// with libwmf's wmf2gd; and the fuzzer's finds replayed.
#include "platform/wmf/metafilepicture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace oravians;

namespace {

const QString kData = QStringLiteral(ORAVIANS_WMF_DATA);

// Smallest rectangle holding every pixel that is not (nearly) white.
QRect contentBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (const QRgb p = img.pixel(x, y); qRed(p) < 235 || qGreen(p) < 235 || qBlue(p) < 235)
                box |= QRect(x, y, 1, 1);
    return box;
}

struct Difference {
    double meanAbs = 0;   // mean absolute difference per channel, 0..255
    double differing = 0; // fraction of pixels with a channel off by more than 64
};

// Both drawings trimmed to what they draw and brought to half the size of the
// reference, so that one-pixel edge and anti-aliasing differences do not
// count, then compared pixel by pixel.
Difference compare(const QImage& oursFull, const QImage& refFull)
{
    const QImage ours0 = oursFull.convertToFormat(QImage::Format_RGB32);
    const QImage ref0 = refFull.convertToFormat(QImage::Format_RGB32);
    const QRect ro = contentBox(ours0), rr = contentBox(ref0);
    if (ro.isEmpty() || rr.isEmpty())
        return {255, 1};
    const QSize size = rr.size() / 2;
    const QImage a = ours0.copy(ro).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage b = ref0.copy(rr).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    long off = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q)), dg = std::abs(qGreen(p) - qGreen(q)),
                      db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            if (std::max({dr, dg, db}) > 64)
                ++off;
        }
    const double n = double(size.width()) * size.height();
    return {sum / (3 * n), off / n};
}

QImage renderOurs(const QString& path, int width)
{
    auto pic = loadMetafilePicture(path, path);
    const QSizeF s = pic->sizeTwips();
    QImage img(width, qRound(width * s.height() / s.width()), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, img.width(), img.height()));
    return img;
}

struct CorpusCase {
    const char* file;
    double maxMean;
    double maxDiffering;
};

void PrintTo(const CorpusCase& c, std::ostream* os) { *os << c.file; }

class ThirdPartyCorpus : public ::testing::TestWithParam<CorpusCase> {};

// Tolerances: the two renderers use different font engines, anti-aliasing
// and gradient banding, and wmf2gd sizes a picture by what it draws rather
// than by the placeable header, so the comparison is made on the trimmed,
// softened drawings. Shapes, clipping, bitmaps and gradients must agree to a
// mean difference of 10 (of 255) with under 6 % of pixels clearly off;
// text, where the two differ most (font engines, and wmf2gd measures a
// picture's extent from its text only roughly and so scales it differently),
// to 30 and 22 % (its alignment is checked on crafted records). A wrong
// colour, position, clip or a missing element exceeds these by far.
TEST_P(ThirdPartyCorpus, MatchesLibwmfWithinTolerance)
{
    const CorpusCase c = GetParam();
    const QString wmf2gd = QStandardPaths::findExecutable(QStringLiteral("wmf2gd"));
    ASSERT_FALSE(wmf2gd.isEmpty()) << "wmf2gd (Debian package libwmf-bin) is needed for this test";
    const QString path = kData + QStringLiteral("/corpus/") + QLatin1String(c.file);
    QTemporaryDir tmp;
    const QString refPath = tmp.filePath(QStringLiteral("ref.png"));
    QProcess proc;
    proc.start(wmf2gd, {QStringLiteral("--maxwidth=400"), QStringLiteral("--maxheight=400"), QStringLiteral("--maxpect"),
                        QStringLiteral("-o"), refPath, path});
    ASSERT_TRUE(proc.waitForFinished(30000));
    ASSERT_EQ(proc.exitCode(), 0) << proc.readAllStandardError().toStdString();
    const QImage ref(refPath);
    ASSERT_FALSE(ref.isNull());
    const Difference d = compare(renderOurs(path, 400), ref);
    RecordProperty("meanAbs", QString::number(d.meanAbs, 'f', 2).toStdString());
    RecordProperty("differing", QString::number(d.differing, 'f', 4).toStdString());
    EXPECT_LE(d.meanAbs, c.maxMean) << c.file << " fraction off " << d.differing;
    EXPECT_LE(d.differing, c.maxDiffering) << c.file << " mean " << d.meanAbs;
}

INSTANTIATE_TEST_SUITE_P(LibreOfficeExports, ThirdPartyCorpus,
                         ::testing::Values(CorpusCase{"shapes.wmf", 10, 0.06}, CorpusCase{"shapes-plain.wmf", 10, 0.06},
                                           CorpusCase{"clip.wmf", 10, 0.06}, CorpusCase{"gradient.wmf", 10, 0.06},
                                           CorpusCase{"bitmap.wmf", 10, 0.06}, CorpusCase{"text.wmf", 30, 0.22}),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param.file).replace(QRegularExpression("[.-]"), "_").toStdString();
                         });

TEST(FuzzRegressions, EveryFoundInputLoadsAndDrawsWithoutHarm)
{
    for (const QFileInfo& found : QDir(kData + QStringLiteral("/regress")).entryInfoList(QDir::Files)) {
        QFile f(found.filePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << found.filePath().toStdString();
        if (auto pic = MetafilePicture::fromBytes(f.readAll(), found.fileName())) {
            QImage img(64, 48, QImage::Format_ARGB32_Premultiplied);
            QPainter p(&img);
            pic->draw(p, QRectF(0, 0, 64, 48));
        }
    }
}

} // namespace
