// A full-marks quiz printed through the real printer service and the private
// print server; the other services are fakes.
#include "printharness.h"
#include "quizplay.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kPrinting = QStringLiteral("Your certificate is now printing.");

using CertificateOnPaper = PrintQueueTest;

bool isBlack(const QColor& c) { return c.red() < 110 && c.green() < 110 && c.blue() < 110; }

bool isNavy(const QColor& c) { return c.red() < 90 && c.green() < 90 && c.blue() > 70 && c.blue() < 200; }

// Sets the paper the test queue offers by default; false if the server refused.
bool setQueuePaper(const QString& media)
{
    return runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), kPrintQueue, QStringLiteral("-o"),
                                               QStringLiteral("media-default=") + media})
        .has_value();
}

// The rows (in pixels) of the page's horizontal rules: rows more than half
// dark across the page, runs of such rows counted once (their middle).
QList<int> horizontalRules(const QImage& page)
{
    QList<int> rules;
    int runStart = -1;
    for (int y = 0; y <= page.height(); ++y) {
        int dark = 0;
        if (y < page.height())
            for (int x = 0; x < page.width(); ++x)
                dark += isBlack(page.pixelColor(x, y)) ? 1 : 0;
        const bool rule = dark > page.width() / 2;
        if (rule && runStart < 0)
            runStart = y;
        if (!rule && runStart >= 0) {
            rules << (runStart + y - 1) / 2;
            runStart = -1;
        }
    }
    return rules;
}

} // namespace

TEST_F(CertificateOnPaper, NameTopicScoreBannersAndFrameArrive)
{
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann Pellow"));
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});

    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";
    const QString text = pdfText(*pdf);
    EXPECT_EQ(text.count(QStringLiteral("The Oravians")), 2) << text.toStdString(); // product and topic
    EXPECT_TRUE(text.contains(QStringLiteral("Excellent Work"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ann Pellow"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("You have scored 10 out of 10."))) << text.toStdString();
    EXPECT_GE(text.count(QStringLiteral("Well Done")), 4) << text.toStdString(); // two banner lines
    // Top to bottom: banner, product, topic, praise, name, score, banner.
    const PdfWords words = pdfWords(*pdf);
    const auto excellent = words.find(QStringLiteral("Excellent"));
    const auto ann = words.find(QStringLiteral("Ann"));
    const auto scored = words.find(QStringLiteral("scored"));
    ASSERT_TRUE(excellent && ann && scored);
    EXPECT_LT(excellent->box.top(), ann->box.top());
    EXPECT_LT(ann->box.top(), scored->box.top());
    EXPECT_NEAR(ann->box.center().x(), words.page.width() / 2, words.page.width() / 10); // centred

}

// A pupil's name in another script printed nothing and no one was told.
struct ScriptName {
    const char* script;
    const char* name;
    bool readable;          // pdftotext gives the letters back in order
    const char* fontNeeded; // part of an embedded font's name (serif, as the line), or empty
};

class NameInAnyScript : public CertificateOnPaper, public ::testing::WithParamInterface<ScriptName> {};

TEST_P(NameInAnyScript, IsPrintedOnTheCertificate)
{
    const ScriptName row = GetParam();
    const QString name = QString::fromUtf8(row.name);
    PrintRig rig;
    printCertificate(rig, name);
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";

    // Ink of the name's colour between "Excellent Work" and the score line.
    const PdfWords words = pdfWords(*pdf);
    const auto excellent = words.find(QStringLiteral("Excellent"));
    const auto scored = words.find(QStringLiteral("scored"));
    ASSERT_TRUE(excellent && scored);
    const int dpi = 100;
    const QImage page = pdfPage(*pdf, dpi);
    ASSERT_FALSE(page.isNull());
    const double px = dpi / 72.0;
    int ink = 0;
    for (int y = int(excellent->box.bottom() * px) + 2; y < int(scored->box.top() * px) - 2; ++y)
        for (int x = 0; x < page.width(); ++x)
            ink += isNavy(page.pixelColor(x, y)) ? 1 : 0;
    EXPECT_GT(ink, 100) << "nothing drawn on the name line";

    if (row.readable) {
        // Compatibility forms (a radical for an ideograph) count as the letter.
        const QString text = pdfText(*pdf).normalized(QString::NormalizationForm_KC);
        EXPECT_TRUE(text.contains(name.normalized(QString::NormalizationForm_KC))) << text.toStdString();
    }
    if (*row.fontNeeded) {
        // The pdffonts listing: one line per font, its "emb" column yes or no.
        const QString fonts = QString::fromUtf8(runTool(QStringLiteral("pdffonts"), {*pdf}).value_or(""));
        EXPECT_TRUE(fonts.contains(QRegularExpression(QLatin1String(row.fontNeeded) + ".* yes ")))
            << fonts.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, NameInAnyScript,
                         ::testing::Values(ScriptName{"Chinese", "王小明", true, "SerifCJK"},
                                           ScriptName{"Arabic", "ليلى حداد", false, "NaskhArabic"},
                                           ScriptName{"Devanagari", "अनन्या शर्मा", false, "Devanagari"},
                                           ScriptName{"Cyrillic", "Алёна Петрова", true, ""},
                                           ScriptName{"Greek", "Ξανθή Παππά", true, ""},
                                           ScriptName{"AccentedLatin", "Zoë Ñúñez", true, ""}),
                         [](const auto& info) { return std::string(info.param.script); });

// Letters no installed font has: the pupil is told, and no certificate
// without its name comes out.
TEST_F(CertificateOnPaper, ANameNoFontCanPrintIsToldNotDropped)
{
    PrintRig rig;
    const QString name = QStringLiteral("Ann ") + QChar(0xE000) + QChar(0xE001);
    printCertificate(rig, name);
    ASSERT_EQ(rig.messages.texts().size(), 1);
    EXPECT_TRUE(rig.messages.texts().first().contains(name)) << rig.messages.texts().first().toStdString();
    EXPECT_NE(rig.messages.texts().first(), kPrinting);
    EXPECT_FALSE(waitForPrintedPdf(3000).has_value());
}

// The bottom banner was struck through by the frame: lines advanced by the
// font's line spacing, extra leading included.
class CertificateOnPaperSize : public CertificateOnPaper, public ::testing::WithParamInterface<const char*> {
protected:
    void TearDown() override
    {
        setQueuePaper(QStringLiteral("iso_a4_210x297mm"));
        CertificateOnPaper::TearDown();
    }
};

TEST_P(CertificateOnPaperSize, BottomBannerClearsTheFrame)
{
    ASSERT_TRUE(setQueuePaper(QString::fromLatin1(GetParam())));
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann Pellow"));
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";
    const auto pages = runTool(QStringLiteral("pdfinfo"), {*pdf});
    ASSERT_TRUE(pages);
    EXPECT_TRUE(QString::fromUtf8(*pages).contains(QRegularExpression(QStringLiteral("Pages: +1\n"))))
        << "the certificate ran onto a second page";

    const int dpi = 150;
    const QImage page = pdfPage(*pdf, dpi);
    ASSERT_FALSE(page.isNull());
    // Five outer rectangles and three inner boxes: sixteen rules, the last
    // five the outer rectangles' bottom sides.
    const QList<int> rules = horizontalRules(page);
    ASSERT_EQ(rules.size(), 16) << ::testing::PrintToString(std::vector<int>(rules.begin(), rules.end()));
    const int frameBottom = rules[11];    // the innermost outer bottom side
    const int innerBoxBottom = rules[10]; // the lowest inner box side
    const int innerBoxTop = rules[7];     // the innermost inner box's top side
    const int innermostBottom = rules[8]; // and its bottom side

    const PdfWords words = pdfWords(*pdf);
    std::optional<PdfWord> banner;
    for (const PdfWord& w : words.words)
        if (w.text == QLatin1String("Well") && (!banner || w.box.top() > banner->box.top()))
            banner = w;
    ASSERT_TRUE(banner);
    const double px = dpi / 72.0;
    EXPECT_LT(banner->box.bottom() * px, frameBottom - 1) << "the frame strikes through the bottom banner";
    EXPECT_GT(banner->box.top() * px, innerBoxBottom + 1);

    // "Excellent Work", the name and the score line stand inside the inner
    // boxes, clear of their lines.
    const auto excellent = words.find(QStringLiteral("Excellent"));
    const auto score = words.find(QStringLiteral("scored"));
    ASSERT_TRUE(excellent && score);
    EXPECT_GT(excellent->box.top() * px, innerBoxTop + 1) << "the inner boxes' tops strike through \"Excellent Work\"";
    EXPECT_LT(score->box.bottom() * px, innermostBottom - 1) << "the inner boxes' bottoms strike through the score line";
}

INSTANTIATE_TEST_SUITE_P(Paper, CertificateOnPaperSize,
                         ::testing::Values("iso_a4_210x297mm", "na_letter_8.5x11in"),
                         [](const auto& info) {
                             return std::string(QString::fromLatin1(info.param).startsWith(QLatin1String("iso"))
                                                    ? "A4" : "Letter");
                         });

// A rejecting queue is a problem, not a success; once it accepts again,
// printing again works.
TEST_F(CertificateOnPaper, PrintingAgainAfterAProblemWorks)
{
    ASSERT_TRUE(setQueueAccepting(false));
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann"));
    EXPECT_FALSE(waitForPrintedPdf(2000).has_value());
    ASSERT_TRUE(setQueueAccepting(true));
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    EXPECT_EQ(rig.messages.texts(), (QStringList{kProblem, kPrinting}));
    EXPECT_TRUE(waitForPrintedPdf(30000).has_value());
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
