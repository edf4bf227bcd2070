// What the pupil is told when the certificate prints, is held or fails.
// What lands on paper is checked through the real printer in certificate_print_test.
#include "platform/log.h"
#include "quizplay.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kPrinting = QStringLiteral("Your certificate is now printing.");
const QString kPaused = QStringLiteral("Your printer is paused. This will print when it is started again.");

// The font size in force when text was printed (the fake printer's log).
float sizeOf(const QStringList& ops, const QString& text)
{
    float size = 0;
    for (const QString& op : ops) {
        if (op.startsWith(QLatin1String("size|")))
            size = op.section('|', 1).toFloat();
        if (op == "print|" + text + "|nl")
            return size;
    }
    return -1;
}

// failAt: the printer operation that fails (0: none; -1: the last).
struct PrintCase {
    const char* name;
    PrintOutcome outcome;
    int failAt;
    QString message;
};

struct CertificatePrinting : ::testing::TestWithParam<PrintCase> {};

TEST_P(CertificatePrinting, TellsThePupilOnceAndKeepsTheWindow)
{
    const PrintCase& c = GetParam();
    Rig probe;
    printCertificate(probe, "Ann");
    Rig rig;
    rig.printer.outcome = c.outcome;
    rig.printer.failAt = c.failAt < 0 ? int(probe.printer.ops.size()) : c.failAt;
    printCertificate(rig, "Ann");
    EXPECT_EQ(rig.messages.texts(), QStringList{c.message});
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
    EXPECT_EQ(rig.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(rig.printer.ops.contains("end"), c.failAt == 0) << "a failed job is never ended";
    EXPECT_TRUE(rig.sound.played.isEmpty());
    EXPECT_TRUE(rig.app.loaded<Welldone>()); // the pupil can try again
}

INSTANTIATE_TEST_SUITE_P(, CertificatePrinting,
                         ::testing::Values(PrintCase{"Printed", PrintOutcome::Printed, 0, kPrinting},
                                           PrintCase{"Held", PrintOutcome::Held, 0, kPaused},
                                           PrintCase{"FailsAtOnce", PrintOutcome::Printed, 1, kProblem},
                                           PrintCase{"FailsMidway", PrintOutcome::Printed, 20, kProblem},
                                           PrintCase{"FailsAtTheEnd", PrintOutcome::Printed, -1, kProblem}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

// The rig measures 100 twips a character: over a quarter of the 11520-twip
// page (more than 28 characters) the topic drops to 28 points.
TEST(Certificate, AWideTopicIsPrintedAt28Points)
{
    for (const QString& topic : {QStringLiteral("Oravian Inventions and Inventors"), QString(28, u'x')}) {
        Rig rig;
        playQuiz(rig, [](int) { return false; });
        rig.app.module1.topictitle = topic;
        rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
        EXPECT_EQ(sizeOf(rig.printer.ops, topic), topic.size() > 28 ? 28 : 36) << topic.toStdString();
    }
}

TEST(Certificate, AFullMarksActivityPrintsItsOwnScore)
{
    Rig rig;
    showScore(rig, 6, 6);
    runTimerChain(rig);
    rig.app.type("Tom");
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    EXPECT_GT(sizeOf(rig.printer.ops, "Tom"), 0);
    EXPECT_GT(sizeOf(rig.printer.ops, "You have scored 6 out of 6."), 0);
}

// A driver failing outside the printer's contract is a fault of the program,
// not a printer problem to tell the pupil about: it is logged, and the
// program goes on.
TEST(Certificate, AFailureOutsideThePrinterContractIsLoggedNotReported)
{
    QStringList log;
    setLogSink([&](const QString& line) { log << line; });
    Rig rig;
    rig.printer.driverFault = true;
    showScore(rig, 10, 10);
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    setLogSink(nullptr);
    EXPECT_TRUE(rig.messages.texts().isEmpty());
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("Welldone.Label3_Click(0)")) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains("driver fell over")) << log[0].toStdString();
    EXPECT_TRUE(rig.app.isShown(*rig.app.peek<Welldone>()));
}
