// The generated pages as a pupil and a teacher see them: every page renders
// on screen and on paper, and reading the screen version back (OCR) gives
// the words of its source.
#include "platform/wmf/metafilepicture.h"
#include "tests/printer/printharness.h"
#include "tools/genpages/pagegen.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::pages;

namespace {

const QString kProgram = QStringLiteral(ORAVIANS_PROGRAM_DIR);
const QString kSources = QStringLiteral(ORAVIANS_PAGE_SOURCE_DIR);
const QString kGenerator = QStringLiteral(ORAVIANS_GENPAGES);

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

std::vector<std::string> pageSources()
{
    std::vector<std::string> out;
    for (const QString& name : QDir(kSources).entryList({QStringLiteral("*.page")}, QDir::Files, QDir::Name))
        out.push_back(name.toStdString());
    return out;
}

// Draws a page the way the page viewer shows it: the window's dark blue
// behind the screen version, white paper behind the print version.
QImage renderPage(const QString& path, double scale, QColor background)
{
    auto pic = loadMetafilePicture(path, path);
    const QSizeF px = pic->sizeTwips() / 15.0 * scale;
    QImage img(qRound(px.width()), qRound(px.height()), QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    pic->draw(p, QRectF(QPointF(0, 0), px));
    return img;
}

int countPixels(const QImage& img, const std::function<bool(QColor)>& pred, QRect area = QRect())
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (area.isNull() || area.contains(x, y)) && pred(img.pixelColor(x, y));
    return n;
}

QSet<QString> words(const QString& text)
{
    QSet<QString> out;
    for (const QString& w : text.toLower().split(QRegularExpression(QStringLiteral("[^a-z0-9]+")), Qt::SkipEmptyParts))
        if (w.size() > 3)
            out.insert(w);
    return out;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string n = info.param;
    std::replace_if(n.begin(), n.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return n;
}

class GeneratedPage : public ::testing::TestWithParam<std::string> {
protected:
    QString name() const { return outputName(QString::fromStdString(GetParam())); }
    // The page's source; its body text, with the heading or without.
    PageSource source() const
    {
        PageSource src;
        QString error;
        EXPECT_TRUE(parsePage(readText(kSources + QLatin1Char('/') + QString::fromStdString(GetParam())), &src, &error))
            << error.toStdString();
        return src;
    }
    QString text(const PageSource& src, bool withHeading) const
    {
        QString all = withHeading ? src.heading : QString();
        for (const auto& b : src.blocks)
            all += QLatin1Char(' ') + b.text;
        return all;
    }
};

TEST_P(GeneratedPage, ScreenAndPrintVersionsFitTheViewerAndShowText)
{
    // On screen: the page viewer's picture area above its buttons. On paper:
    // printed with its corner at (1000, 1000) twips of the printable area, it
    // must end inside A4 and Letter (about 11200 x 15800 twips).
    for (const auto& [folder, most] : {std::pair{"/wmf/", QSizeF(11760, 7920)}, {"/wmf2/", QSizeF(10000, 14500)}}) {
        const QString path = kProgram + QLatin1String(folder) + name();
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString() << " was not generated";
        auto meta = std::dynamic_pointer_cast<const MetafilePicture>(loadMetafilePicture(path, path));
        ASSERT_TRUE(meta);
        EXPECT_TRUE(meta->placeable());
        EXPECT_FALSE(meta->damaged());
        EXPECT_EQ(meta->skippedRecords(), 0);
        EXPECT_LE(meta->sizeTwips().width(), most.width()) << folder;
        EXPECT_LE(meta->sizeTwips().height(), most.height()) << folder;
    }
    // Screen: light text on the window's blue. Paper: dark text on white.
    const QImage screen = renderPage(kProgram + QStringLiteral("/wmf/") + name(), 1, QColor(0, 78, 152));
    const int light = countPixels(screen, [](QColor c) { return c.red() > 200 && c.green() > 200; });
    EXPECT_GT(light, screen.width() * screen.height() / 100) << "screen version looks blank";
    const QImage paper = renderPage(kProgram + QStringLiteral("/wmf2/") + name(), 1, Qt::white);
    const int dark = countPixels(paper, [](QColor c) { return c.red() < 90 && c.green() < 90; });
    EXPECT_GT(dark, paper.width() * paper.height() / 100) << "print version looks blank";
}

// Reads the screen version back at twice the screen size with tesseract.
// At least 90 % of the source's words longer than three letters must be
// found, so no page is blank, clipped or unreadable.
TEST_P(GeneratedPage, ReadingTheScreenVersionBackGivesItsWords)
{
    const QString tesseract = QStandardPaths::findExecutable(QStringLiteral("tesseract"));
    ASSERT_FALSE(tesseract.isEmpty()) << "tesseract (Debian tesseract-ocr) is needed for this test";
    const QImage page = renderPage(kProgram + QStringLiteral("/wmf/") + name(), 2, QColor(0, 78, 152));
    // Tesseract reads dark on light best: grey and invert.
    QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    grey.invertPixels();
    QTemporaryDir tmp;
    const QString png = tmp.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(grey.save(png));
    QProcess ocr;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    ocr.setProcessEnvironment(env);
    ocr.start(tesseract, {png, QStringLiteral("stdout"), QStringLiteral("-l"), QStringLiteral("eng")});
    ASSERT_TRUE(ocr.waitForFinished(120000));
    const QSet<QString> read = words(QString::fromUtf8(ocr.readAllStandardOutput()));

    const QSet<QString> expected = words(text(source(), true));
    ASSERT_FALSE(expected.isEmpty());
    QStringList missing;
    for (const QString& w : expected)
        if (!read.contains(w))
            missing << w;
    const double found = 1.0 - double(missing.size()) / expected.size();
    EXPECT_GE(found, 0.90) << name().toStdString() << ": missing " << missing.join(QLatin1Char(' ')).toStdString();
}

// The print version drawn into a PDF as the printer would: its text must
// come out as text (heading and most words found by pdftotext).
TEST_P(GeneratedPage, PrintVersionKeepsItsTextInAPdf)
{
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("page.pdf"));
    {
        auto pic = loadMetafilePicture(kProgram + QStringLiteral("/wmf2/") + name(), name());
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        p.scale(1200.0 / 1440.0, 1200.0 / 1440.0); // painter units: twips
        pic->draw(p, QRectF(QPointF(1000, 1000), pic->sizeTwips()));
    }
    const QString printed = oravians::testing::pdfText(pdf); // by pdftotext (Debian poppler-utils)
    const PageSource src = source();
    EXPECT_TRUE(printed.simplified().contains(src.heading.simplified())) << printed.toStdString();
    const QSet<QString> expected = words(text(src, false)), got = words(printed);
    int found = 0;
    for (const QString& w : expected)
        found += got.contains(w) ? 1 : 0;
    EXPECT_GE(double(found) / std::max<qsizetype>(1, expected.size()), 0.98);
}

INSTANTIATE_TEST_SUITE_P(AllPages, GeneratedPage, ::testing::ValuesIn(pageSources()), testName);

TEST(AcknowledgmentsPage, LeavesTheLogoCornerFree)
{
    // The window draws its logo at x 9000-10830, y 3720-6975 (window twips);
    // the page sits 120 twips right of the window's edge.
    // (Only on screen: the printed page has no logo.)
    const QImage img = renderPage(kProgram + QStringLiteral("/wmf/acknowledgments.wmf"), 1, Qt::black);
    const QRect logo(QPoint((9000 - 120) / 15, 3720 / 15), QPoint((10830 - 120) / 15, 6975 / 15));
    EXPECT_EQ(countPixels(img, [](QColor c) { return c != Qt::black; }, logo), 0);
}

// --- the generator ---------------------------------------------------------------

TEST(PageGenerator, ReadsHeadingPicturesParagraphsAndBulletsAndRefusesWhatItCannotDraw)
{
    PageSource p;
    QString error;
    QByteArray out;
    ASSERT_TRUE(parsePage("heading: A Heading\npicture: Quill\n\nFirst paragraph.\n- item one\n\nLast one.\n", &p, &error));
    EXPECT_EQ(p.heading, "A Heading");
    EXPECT_EQ(p.pictures, QStringList{"quill"});
    ASSERT_EQ(p.blocks.size(), 3u);
    EXPECT_FALSE(p.blocks[0].bullet);
    EXPECT_TRUE(p.blocks[1].bullet);
    EXPECT_EQ(p.blocks[1].text, "item one");
    EXPECT_FALSE(parsePage("no heading here\n", &p, &error));
    EXPECT_FALSE(parsePage("heading: x\npicture: a\npicture: b\npicture: c\n", &p, &error));
    // A picture it does not know, a character outside the code page.
    ASSERT_TRUE(parsePage("heading: H\npicture: dragon\n\nText.\n", &p, &error));
    EXPECT_FALSE(buildPage(p, "x.wmf", Version::Screen, &out, &error));
    EXPECT_TRUE(error.contains("dragon"));
    ASSERT_TRUE(parsePage(QString::fromUtf8("heading: H\n\nA rocket \xF0\x9F\x9A\x80 here.\n"), &p, &error));
    EXPECT_FALSE(buildPage(p, "x.wmf", Version::Screen, &out, &error));
}

TEST(PageGenerator, PageThatDoesNotFitFailsTheBuildNamingThePage)
{
    QTemporaryDir tmp;
    const QString src = tmp.filePath(QStringLiteral("far-too-long.page"));
    QFile f(src);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("heading: A Page With Far Too Much To Say\npicture: book\n\n");
    for (int i = 0; i < 60; ++i)
        f.write("This sentence is here to make the page much longer than any page can be.\n");
    f.close();
    QProcess gen;
    gen.start(kGenerator, {tmp.filePath(QStringLiteral("out")), src});
    ASSERT_TRUE(gen.waitForFinished(60000));
    EXPECT_NE(gen.exitCode(), 0);
    const QString err = QString::fromUtf8(gen.readAllStandardError());
    EXPECT_TRUE(err.contains("far-too-long.page")) << err.toStdString();
    EXPECT_TRUE(err.contains("does not fit")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("out/wmf/far too long.wmf"))));
}

} // namespace
