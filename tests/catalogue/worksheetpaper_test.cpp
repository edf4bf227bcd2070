// A worksheet printed through the real printer service and the private print
// server: the questions on paper, options A and C in the left column, B and
// D in the right.
#include "printharness.h"
#include "tests/quiz/quizplay.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

class WorksheetOnPaper : public PrintQueueTest {};

} // namespace

TEST_F(WorksheetOnPaper, QuestionsAndTwoColumnsOfOptionsArrive)
{
    PrintRig rig;
    multiple& quiz = openQuizWindow(rig);
    rig.app.module1.choice2[3] = QStringLiteral("Salt , Pepper"); // read back from "Salt & Pepper"
    quiz.Label3[3].visible = true;
    rig.app.click(quiz.Label3[3]);
    rig.tick(quiz.Timer1);
    EXPECT_EQ(rig.messages.texts(), QStringList{"Your worksheet is now printing."});

    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";
    const QString text = pdfText(*pdf);
    EXPECT_TRUE(text.contains("Lumbrook Publishing Ltd")) << text.toStdString();
    EXPECT_TRUE(text.contains("Rivers and Lakes")) << text.toStdString();
    for (int n = 1; n <= 10; ++n) {
        const QString q = QStringLiteral("Question %1    Question text %1").arg(n);
        EXPECT_TRUE(text.contains(q)) << q.toStdString() << "\n" << text.toStdString();
        // A and B on one line, A to the left; C and D likewise.
        const QString b = n == 3 ? QStringLiteral("Salt , Pepper") : QStringLiteral("%1 B").arg(n);
        for (const QString& pair : {QStringLiteral("A. %1 A +B. ").arg(n) + QRegularExpression::escape(b),
                                    QStringLiteral("C. %1 C +D. %1 D").arg(n)})
            EXPECT_TRUE(text.contains(QRegularExpression(pair))) << pair.toStdString() << "\n" << text.toStdString();
    }
    // The columns start at a third and two thirds of the printable width.
    const PdfWords words = pdfWords(*pdf);
    const auto a = words.find("A."), b = words.find("B.");
    ASSERT_TRUE(a && b);
    EXPECT_GT(a->box.left(), words.page.width() * 0.25);
    EXPECT_LT(a->box.left(), words.page.width() * 0.45);
    EXPECT_GT(b->box.left(), words.page.width() * 0.6);
}

// The answer key comes out as the second sheet of the same job, for the
// teacher alone: "Answers", then each question's right letter and option.
TEST_F(WorksheetOnPaper, TheAnswerKeyIsTheSecondPage)
{
    PrintRig rig;
    multiple& quiz = openQuizWindow(rig);
    quiz.Label3[3].visible = quiz.Check1.visible = true;
    rig.app.click(quiz.Check1);
    rig.app.click(quiz.Label3[3]);
    rig.tick(quiz.Timer1);
    const auto pdf = waitForPrintedPdf(30000);
    ASSERT_TRUE(pdf.has_value()) << "no PDF came out of the test queue";
    const QStringList pages = pdfText(*pdf).split(u'\f', Qt::SkipEmptyParts); // a form feed ends each page
    ASSERT_EQ(pages.size(), 2) << pdfText(*pdf).toStdString();
    EXPECT_TRUE(pages[1].trimmed().startsWith("Answers")) << pages[1].toStdString();
    for (int n = 1; n <= 10; ++n) {
        const QString line = QStringLiteral("Question %1 +%2\\. %1 %2").arg(n).arg(QChar(u'A' + rightFor(n) - 1));
        EXPECT_TRUE(pages[1].contains(QRegularExpression(line))) << line.toStdString() << pages[1].toStdString();
    }
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
