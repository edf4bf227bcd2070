// "Print Worksheet" in the quiz window: what goes to the printer, what the
// teacher is told, and one job per press.
#include "tests/quiz/quizplay.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kPrinting = QStringLiteral("Your worksheet is now printing.");
const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kPaused = QStringLiteral("Your printer is paused. This will print when it is started again.");

multiple& openWorksheetQuiz(Rig& rig)
{
    multiple& quiz = openQuizWindow(rig);
    quiz.Label3[3].visible = true; // as the catalogue shows it
    return quiz;
}

// Presses "Print Worksheet" and lets the job go out.
void pressPrint(Rig& rig)
{
    multiple& quiz = *rig.app.peek<multiple>();
    rig.app.click(quiz.Label3[3]);
    rig.tick(quiz.Timer1);
}

} // namespace

// The page of a worksheet on a printable area 11520 twips wide: 16 pt header
// block, the topic and title centred at 32 pt, then ten 12 pt question blocks
// with options A and C at a third of the width, B and D at two thirds.
TEST(WorksheetPrint, SendsHeaderTitlesAndTwoColumnsOfOptions)
{
    Rig rig;
    openWorksheetQuiz(rig);
    pressPrint(rig);
    const QString header = QStringLiteral("The Oravians") + QString(57, ' ') + QStringLiteral("Lumbrook Publishing Ltd");
    const QStringList start = {
        "size|16", "font|Times New Roman", "x|1440", "print| |nl", "x|720", "print|" + header, "print| |nl",
        "print| |nl", "size|32", "x|3840", "print|The Oravians|nl", "x|3200", "print|Rivers and Lakes|nl",
        "print| |nl", "size|12",
        "x|720", "print|Question 1    Question text 1|nl", "x|3840", "print|A. 1 A", "x|7680", "print|B. 1 B|nl",
        "x|3840", "print|C. 1 C", "x|7680", "print|D. 1 D|nl", "print| |nl"};
    const QStringList end = {"x|720", "print|Question 10    Question text 10|nl", "x|3840", "print|A. 10 A",
                             "x|7680", "print|B. 10 B|nl", "x|3840", "print|C. 10 C", "x|7680",
                             "print|D. 10 D|nl", "print| |nl", "end"};
    const QStringList& ops = rig.printer.ops;
    ASSERT_EQ(ops.size(), 15 + 10 * 11 + 1);
    EXPECT_EQ(ops.mid(0, start.size()), start);
    EXPECT_EQ(ops.mid(ops.size() - end.size()), end);
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
}

struct Outcome {
    const char* name;
    int failAt;
    PrintOutcome outcome;
    QString message;
    bool ended;
};
void PrintTo(const Outcome& row, std::ostream* os) { *os << row.name; }


class WorksheetPrintOutcome : public ::testing::TestWithParam<Outcome> {};

TEST_P(WorksheetPrintOutcome, TellsTheTeacherAndEndsOnlyAWholeDocument)
{
    const Outcome row = GetParam();
    Rig rig;
    rig.printer.failAt = row.failAt;
    rig.printer.outcome = row.outcome;
    openWorksheetQuiz(rig);
    rig.sound.played.clear();
    pressPrint(rig);
    EXPECT_EQ(rig.messages.texts(), QStringList{row.message});
    EXPECT_EQ(rig.printer.ops.contains("end"), row.ended);
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
    EXPECT_TRUE(rig.app.isShown(*rig.app.peek<multiple>())) << "the quiz goes on";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, WorksheetPrintOutcome,
                         ::testing::Values(Outcome{"Printed", 0, PrintOutcome::Printed, kPrinting, true},
                                           Outcome{"PrinterPaused", 0, PrintOutcome::Held, kPaused, true},
                                           Outcome{"NoPrinterAtAll", 1, PrintOutcome::Printed, kProblem, false},
                                           Outcome{"FailsInQuestionFive", 60, PrintOutcome::Printed, kProblem, false},
                                           Outcome{"FailsAtTheEnd", 126, PrintOutcome::Printed, kProblem, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A burst of clicks on "Print Worksheet" once sent a job for every click.
TEST(WorksheetPrint, ABurstOfClicksMakesOneJob)
{
    Rig rig;
    multiple& quiz = openWorksheetQuiz(rig);
    for (int i = 0; i < 20; ++i)
        rig.app.click(quiz.Label3[3]);
    EXPECT_EQ(quiz.Label3[3].caption, "Printing...");
    rig.tick(quiz.Timer1);
    for (int i = 0; i < 20; ++i)
        rig.app.click(quiz.Label3[3]);
    rig.tick(quiz.Timer1); // the moment after sending is over
    EXPECT_EQ(rig.printer.ops.count("end"), 1);
    EXPECT_EQ(quiz.Label3[3].caption, "Print Worksheet");
    EXPECT_TRUE(quiz.Label3[3].enabled);
}

// "With answers" ticked adds a page for the teacher after the worksheet, in
// its look: heading and title centred, then each question's right letter and
// option (right answers run 1, 2, 3, 4, 1 ...). Clear, the job ends after
// question 10, as above.
TEST(WorksheetPrint, TheAnswerKeyFollowsOnItsOwnPage)
{
    Rig rig;
    openWorksheetQuiz(rig).Check1.value = 1;
    pressPrint(rig);
    QStringList key{"page", "size|16", "print| |nl", "size|32", "x|4640", "print|Answers|nl", "size|16",
                    "x|4480", "print|Rivers and Lakes|nl", "print| |nl", "size|12"};
    for (int n = 1; n <= 10; ++n)
        key << "x|720" << QStringLiteral("print|Question %1").arg(n) << "x|3840"
            << QStringLiteral("print|%1. %2 %1|nl").arg(QChar(u'A' + rightFor(n) - 1)).arg(n) << "print| |nl";
    const QStringList& ops = rig.printer.ops;
    EXPECT_EQ(ops.mid(ops.lastIndexOf("print|D. 10 D|nl") + 2), key << "end");
    EXPECT_EQ(rig.messages.texts(), QStringList{kPrinting});
}
