// A full-marks quiz printed through the real printer service and the private
// print server; the other services are fakes.
#include "platform/printer/qtprinter.h"
#include "printharness.h"
#include "quizplay.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kPrinting = QStringLiteral("Your certificate is now printing.");

// The program over fakes, except for the printer.
struct PrintRig {
    FakeSound sound;
    std::unique_ptr<Printer> printer = makeSystemPrinter();
    FakeMessages messages;
    FakeScreen screen;
    FakeTimers timers;
    FakePictures pictures;
    App app{Services{&sound, printer.get(), &messages, &screen, &timers, &pictures}};
    void tick(Control& timer) { app.tick(timer); }
};

class CertificateOnPaper : public PrintQueueTest {
protected:
    // Full marks, the name typed, "Print Certificate" pressed.
    static void printCertificate(PrintRig& rig, const QString& name)
    {
        playQuiz(rig, [](int) { return false; });
        runTimerChain(rig);
        rig.app.type(name);
        rig.app.click(rig.app.Welldone.peek()->Label3[0]);
    }
};

bool isBlack(const QColor& c) { return c.red() < 110 && c.green() < 110 && c.blue() < 110; }

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

    // The frame: between the outer rectangles' left sides and the banner's
    // first letter, a column crosses only the ten top and bottom sides.
    const int dpi = 150;
    const QImage page = pdfPage(*pdf, dpi);
    ASSERT_FALSE(page.isNull());
    int frameLeft = -1;
    for (int x = 0; x < page.width() && frameLeft < 0; ++x)
        for (int y = page.height() / 3; y < page.height() * 2 / 3; ++y)
            if (isBlack(page.pixelColor(x, y))) {
                frameLeft = x;
                break;
            }
    ASSERT_GE(frameLeft, 0) << "no frame on the page";
    const int column = frameLeft + int((300 - 45) * dpi / 1440.0);
    QList<int> runs;
    bool inRun = false;
    for (int y = 0; y < page.height(); ++y) {
        const bool dark = isBlack(page.pixelColor(column, y));
        if (dark && !inRun)
            runs << y;
        inRun = dark;
    }
    ASSERT_EQ(runs.size(), 10) << "frame sides crossed at x=" << column;
    const double step = 45 * dpi / 1440.0; // rectangles 45 twips apart
    for (int i = 1; i < 5; ++i)
        EXPECT_NEAR(runs[i] - runs[i - 1], step, 2.0) << i;
    // Top and bottom sides mirror each other about the page's middle.
    EXPECT_NEAR(runs[0] + runs[9], runs[4] + runs[5], 3.0);
}

TEST_F(CertificateOnPaper, ARejectingQueueIsAProblemNotASuccess)
{
    ASSERT_TRUE(setQueueAccepting(false));
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann Pellow"));
    EXPECT_EQ(rig.messages.texts(), QStringList{kProblem});
    EXPECT_FALSE(waitForPrintedPdf(2000).has_value());
}

// A paused queue (stopped, still accepting) keeps the certificate for later.
TEST_F(CertificateOnPaper, APausedQueueHoldsTheCertificateUntilStarted)
{
    ASSERT_TRUE(setQueueEnabled(false));
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann Pellow"));
    EXPECT_EQ(rig.messages.texts(),
              QStringList{"Your printer is paused. This will print when it is started again."});
    EXPECT_FALSE(waitForPrintedPdf(2000).has_value());
    ASSERT_TRUE(setQueueEnabled(true));
    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "the held certificate did not print once started";
    EXPECT_TRUE(pdfText(*pdf).contains(QStringLiteral("Ann Pellow")));
}

TEST_F(CertificateOnPaper, PrintingAgainAfterAProblemWorks)
{
    ASSERT_TRUE(setQueueAccepting(false));
    PrintRig rig;
    printCertificate(rig, QStringLiteral("Ann"));
    ASSERT_TRUE(setQueueAccepting(true));
    rig.app.click(rig.app.Welldone.peek()->Label3[0]);
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
