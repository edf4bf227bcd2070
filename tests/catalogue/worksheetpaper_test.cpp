// A worksheet printed through the real printer service and the private print
// server: the questions on paper, options A and C in the left column, B and
// D in the right.
#include "printharness.h"
#include "tests/quiz/quizplay.h"

#include <QGuiApplication>
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
    const QStringList lines = text.split('\n');
    for (int n = 1; n <= 10; ++n) {
        const QString q = QStringLiteral("Question %1    Question text %1").arg(n);
        EXPECT_TRUE(text.contains(q)) << q.toStdString() << "\n" << text.toStdString();
        // A and B on one line, A to the left; C and D likewise.
        for (const auto& [left, right] : {std::pair{'A', 'B'}, std::pair{'C', 'D'}}) {
            const QString a = QStringLiteral("%1. %2 %1").arg(left).arg(n);
            const QString b = n == 3 && right == 'B' ? QStringLiteral("B. Salt , Pepper")
                                                     : QStringLiteral("%1. %2 %1").arg(right).arg(n);
            bool found = false;
            for (const QString& line : lines)
                if (line.contains(a) && line.contains(b)) {
                    found = true;
                    EXPECT_LT(line.indexOf(a), line.indexOf(b)) << line.toStdString();
                }
            EXPECT_TRUE(found) << a.toStdString() << " and " << b.toStdString() << " share no line\n"
                               << text.toStdString();
        }
    }
    // The columns start at a third and two thirds of the printable width.
    const PdfWords words = pdfWords(*pdf);
    const auto a = words.find("A."), b = words.find("B.");
    ASSERT_TRUE(a && b);
    EXPECT_GT(a->box.left(), words.page.width() * 0.25);
    EXPECT_LT(a->box.left(), words.page.width() * 0.45);
    EXPECT_GT(b->box.left(), words.page.width() * 0.6);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
