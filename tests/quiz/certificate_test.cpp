// The certificate as the printer receives it, and what the pupil is told.
#include "platform/log.h"
#include "quizplay.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kBanner = QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");
const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kPrinting = QStringLiteral("Your certificate is now printing.");

// The rig measures the topic line as 100 twips a character, so a title of more than
// 28 characters is wider than a quarter of the fake page (2880 twips).
class Certificate : public ::testing::Test {
protected:
    // Full marks in a quiz, the name typed, "Print Certificate" pressed.
    void printAfterQuiz(Rig& rig, const QString& name)
    {
        playQuiz(rig, [](int) { return false; });
        runTimerChain(rig);
        rig.app.type(name);
        rig.sound.played.clear();
        rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    }
};

// The printer operations the certificate should produce on the fake printer
// (11520 x 15840 twips, text 10 twips a character per point).
QStringList expectedOps(const QString& topic, float topicSize, const QString& name, const QString& scoreLine)
{
    const float W = 11520, H = 15840;
    QStringList ops;
    float size = 0;
    auto setSize = [&](float s) {
        size = s;
        ops << "size|" + QString::number(s);
    };
    auto blank = [&] { ops << "print| |nl"; };
    auto centred = [&](const QString& t) {
        ops << "x|" + QString::number((W - float(t.size()) * size * 10) / 2);
        ops << "print|" + t + "|nl";
    };
    ops << "font|Times New Roman";
    setSize(25);
    ops << "colour|0,0,255";
    blank();
    ops << "print|" + kBanner + kBanner + "|nl";
    blank();
    blank();
    blank();
    ops << "colour|255,0,0";
    setSize(36);
    ops << "font|Times New Roman";
    centred("The Oravians");
    blank();
    ops << "colour|0,0,255";
    setSize(36);
    if (topicSize != 36)
        setSize(topicSize);
    centred(topic);
    ops << "print||nl";
    setSize(36);
    blank();
    blank();
    blank();
    ops << "colour|0,0,128";
    setSize(28);
    centred("Excellent Work");
    setSize(28);
    blank();
    centred(name);
    ops << "print||nl";
    setSize(28);
    centred(scoreLine);
    blank();
    setSize(36);
    blank();
    blank();
    ops << "colour|0,0,255";
    setSize(25);
    ops << "font|Times New Roman";
    blank();
    ops << "colour|0,0,0";
    ops << "print|" + kBanner + kBanner + "|nl";
    ops << "width|2";
    auto line = [&](float x1, float y1, float x2, float y2) {
        ops << QStringLiteral("line|%1,%2,%3,%4|0,0,0").arg(x1).arg(y1).arg(x2).arg(y2);
    };
    const int pairs[5][2] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
    for (int k = 0; k < 5; ++k) {
        const float a = pairs[k][0], b = pairs[k][1];
        line(a, b, W - a, b);
        line(a, b, a, H - b);
        line(W - a, b, W - a, H - b);
        line(a, H - b, W - a, H - b);
        if (k < 3) {
            line(a + 600, b + 7050, W - a - 600, b + 7050);
            line(a + 600, b + 7050, a + 600, H - b - 3750);
            line(W - a - 600, b + 7050, W - a - 600, H - b - 3750);
            line(a + 600, H - b - 3750, W - a - 600, H - b - 3750);
        }
    }
    ops << "end";
    return ops;
}

} // namespace

TEST_F(Certificate, AFullMarksQuizPrintsTheWholeCertificateInOrder)
{
    Rig rig;
    printAfterQuiz(rig, "Ann Pellow");
    EXPECT_EQ(rig.printer.ops,
              expectedOps("The Oravians", 36, "Ann Pellow", "You have scored 10 out of 10."));
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
    EXPECT_EQ(rig.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
    EXPECT_TRUE(rig.sound.played.isEmpty()); // no click on the printing path
}

// A paused printer keeps the certificate; the pupil once heard it was printing.
TEST_F(Certificate, APausedPrinterHoldsTheCertificateAndSaysSo)
{
    Rig rig;
    rig.printer.outcome = PrintOutcome::Held;
    printAfterQuiz(rig, "Ann Pellow");
    EXPECT_EQ(rig.printer.ops,
              expectedOps("The Oravians", 36, "Ann Pellow", "You have scored 10 out of 10."));
    EXPECT_EQ(rig.messages.texts(),
              QStringList{"Your printer is paused. This will print when it is started again."});
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
}

TEST_F(Certificate, TheFrameIsFiveRectanglesEachFollowedByItsInnerBoxForTheFirstThree)
{
    Rig rig;
    printAfterQuiz(rig, "Ann");
    QStringList lines = rig.printer.ops.filter(QRegularExpression("^line\\|"));
    ASSERT_EQ(lines.size(), 32); // 5 outer rectangles and 3 inner boxes of four lines each
    // The first rectangle: 45 twips in from the sides, 270 from top and bottom.
    EXPECT_EQ(lines[0], "line|45,270,11475,270|0,0,0");
    EXPECT_EQ(lines[1], "line|45,270,45,15570|0,0,0");
    EXPECT_EQ(lines[2], "line|11475,270,11475,15570|0,0,0");
    EXPECT_EQ(lines[3], "line|45,15570,11475,15570|0,0,0");
    // Its inner box follows at once.
    EXPECT_EQ(lines[4], "line|645,7320,10875,7320|0,0,0");
    EXPECT_EQ(lines[7], "line|645,11820,10875,11820|0,0,0");
    // The last rectangle has no inner box.
    EXPECT_EQ(lines[31], "line|225,15390,11295,15390|0,0,0");
    EXPECT_EQ(rig.printer.ops.indexOf("width|2"), rig.printer.ops.indexOf(lines[0]) - 1);
}

TEST_F(Certificate, AWideTopicIsPrintedAt28Points)
{
    Rig rig;
    playQuiz(rig, [](int) { return false; });
    rig.app.module1.topictitle = "Oravian Inventions and Inventors"; // 32 characters: 3200 > 2880
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    EXPECT_EQ(rig.printer.ops, expectedOps("Oravian Inventions and Inventors", 28, "",
                                           "You have scored 10 out of 10."));
}

TEST_F(Certificate, ATopicJustAtAQuarterOfThePageStaysAt36Points)
{
    Rig rig;
    playQuiz(rig, [](int) { return false; });
    rig.app.module1.topictitle = QString(28, u'x'); // exactly 2880
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    EXPECT_EQ(rig.printer.ops, expectedOps(QString(28, u'x'), 36, "", "You have scored 10 out of 10."));
}

TEST_F(Certificate, AnEmptyNameBoxPrintsAnEmptyCentredLine)
{
    Rig rig;
    printAfterQuiz(rig, "");
    const QStringList& ops = rig.printer.ops;
    const qsizetype at = ops.indexOf("print|Excellent Work|nl");
    ASSERT_GE(at, 0);
    EXPECT_EQ(ops[at + 3], "x|5760");
    EXPECT_EQ(ops[at + 4], "print||nl");
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
}

TEST_F(Certificate, AFullMarksActivityPrintsItsOwnScoreAndTheLastQuizTopic)
{
    Rig rig;
    rig.app.module1.topictitle = "";
    rig.app.module1.score = 6;
    rig.app.module1.outof = 6;
    rig.app.show<Welldone>();
    Welldone& w = *rig.app.peek<Welldone>();
    runTimerChain(rig);
    rig.app.type("Tom");
    rig.app.click(w.Label3[0]);
    EXPECT_EQ(rig.printer.ops, expectedOps("", 36, "Tom", "You have scored 6 out of 6."));
}

TEST_F(Certificate, AFailureAtAnyPrinterStepStopsPrintingAndSaysSo)
{
    Rig probe;
    printAfterQuiz(probe, "Ann");
    const int total = int(probe.printer.ops.size());
    for (int failAt : {1, 2, 5, 20, total - 1, total}) {
        Rig rig;
        rig.printer.failAt = failAt;
        printAfterQuiz(rig, "Ann");
        EXPECT_EQ(rig.printer.ops.size(), failAt - 1) << failAt;
        EXPECT_FALSE(rig.printer.ops.contains("end")) << failAt;
        EXPECT_EQ(rig.messages.texts(), QStringList{kProblem}) << failAt;
        EXPECT_TRUE(rig.sound.played.isEmpty());
        EXPECT_TRUE(rig.app.loaded<Welldone>()); // the pupil can try again
    }
}

namespace {
// A printer whose driver fails in a way the certificate does not expect.
class BrokenPrinter : public FakePrinter {
public:
    PrintOutcome endDoc() override { throw std::runtime_error("driver fell over"); }
};
} // namespace

// A driver failing outside the printer's contract is a fault of the program,
// not a printer problem to tell the pupil about: it is logged, and the
// program goes on.
TEST_F(Certificate, AFailureOutsideThePrinterContractIsLoggedNotReported)
{
    QStringList log;
    setLogSink([&](const QString& line) { log << line; });
    FakeSound sound;
    BrokenPrinter printer;
    FakeMessages messages;
    FakeScreen screen;
    FakeTimers timers;
    FakePictures pictures;
    FakeRandom random;
    FakeMeasure measure;
    FakeFiles files;
    App app{Services{&sound, &printer, &messages, &screen, &timers, &pictures, &random, &measure, nullptr, &files}};
    app.module1.score = 10;
    app.module1.outof = 10;
    app.show<Welldone>();
    app.click(app.peek<Welldone>()->Label3[0]);
    setLogSink(nullptr);
    EXPECT_TRUE(messages.texts().isEmpty());
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("Welldone.Label3_Click(0)")) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains("driver fell over")) << log[0].toStdString();
    EXPECT_TRUE(app.isShown(*app.peek<Welldone>()));
}
