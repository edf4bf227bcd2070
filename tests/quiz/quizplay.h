#pragma once

// Playing a quiz the way a pupil does, over the fake services.
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "kernel/grey.h"
#include "platform/fontmeasure.h"
#include "platform/printer/qtprinter.h"
#include "tests/support/fakes.h"

#include <functional>

namespace oravians::testing {

inline int rightFor(int n) { return (n - 1) % 4 + 1; }
inline int wrongFor(int n) { return rightFor(n) % 4 + 1; }

// A question bank of ten questions whose right answers are 1, 2, 3, 4, 1, 2 ...
inline void fillBank(Module1& m, const QString& title = QStringLiteral("Rivers and Lakes"))
{
    m.worktitle = title;
    for (int n = 1; n <= 10; ++n) {
        m.questtext[n] = QStringLiteral("Question text %1").arg(n);
        m.choice1[n] = QStringLiteral("%1 A").arg(n);
        m.choice2[n] = QStringLiteral("%1 B").arg(n);
        m.choice3[n] = QStringLiteral("%1 C").arg(n);
        m.choice4[n] = QStringLiteral("%1 D").arg(n);
        m.rightchoice[n] = QString::number(rightFor(n));
    }
}

// The program over fakes, except for the system's printer and the real text
// measure: for tests that print through the print server.
struct RealPrintParts {
    std::unique_ptr<Printer> realPrinter = makeSystemPrinter();
    FontMeasure realMeasure;
};
struct PrintRig : RealPrintParts, Rig {
    PrintRig() : Rig({.printer = realPrinter.get(), .measure = &realMeasure}) {}
};

// Ten questions "<title> question n", options north, south, east and west,
// the right one `right` (a digit line as the file holds it).
inline QuestionSet tenQuestions(const QString& title, const QString& right = QStringLiteral("2"))
{
    QuestionSet set{title, {}};
    for (int n = 1; n <= 10; ++n)
        set.questions.push_back(
            {QStringLiteral("%1 question %2").arg(title).arg(n), {"north", "south", "east", "west"}, {right}});
    return set;
}

// Opens the quiz as a topic page does once the bank is filled.
inline multiple& openQuizWindow(Rig& rig)
{
    rig.app.module1.soundon = 1;
    fillBank(rig.app.module1);
    multiple& quiz = rig.app.form<multiple>();
    rig.app.form<multiple>().Label5.caption = QStringLiteral("The Oravians");
    rig.app.show<multiple>();
    return quiz;
}

// Answers the question on screen with option k (0: no answer) and presses the next button.
inline void answer(Rig& rig, int k)
{
    multiple& quiz = *rig.app.peek<multiple>();
    if (k != 0)
        rig.app.click(quiz.Option1[k]);
    rig.app.click(quiz.Label3[1]);
}

// Plays a whole quiz; wrong(n) says whether question n is answered wrongly.
inline void playQuiz(Rig& rig, const std::function<bool(int)>& wrong)
{
    openQuizWindow(rig);
    for (int n = 1; n <= 10; ++n)
        answer(rig, wrong(n) ? wrongFor(n) : rightFor(n));
}

// Runs the score window's three one-shot steps in order.
inline void runTimerChain(Rig& rig)
{
    Welldone& w = *rig.app.peek<Welldone>();
    rig.tick(w.Timer1);
    rig.tick(w.Timer2);
    rig.tick(w.Timer3);
}

// Opens the score window as an activity does.
inline Welldone& showScore(Rig& rig, int score, int outof)
{
    rig.app.module1.soundon = 1;
    rig.app.module1.score = score;
    rig.app.module1.outof = outof;
    return rig.app.show<Welldone>();
}

// Full marks in a quiz, the name typed, "Print Certificate" pressed; the
// sounds until then forgotten.
inline void printCertificate(Rig& rig, const QString& name)
{
    playQuiz(rig, [](int) { return false; });
    runTimerChain(rig);
    rig.app.type(name);
    rig.sound.played.clear();
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
}

} // namespace oravians::testing
