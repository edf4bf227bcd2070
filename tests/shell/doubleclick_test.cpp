// The pointer as the window model sees it: a double click is a click and a
// double-click event, never two clicks, on every window.
#include "tests/quiz/quizplay.h"

#include <gtest/gtest.h>

namespace oravians {
namespace {

using testing::Rig;

// Presses and releases the left button over the middle of a control, moved
// by `dx` twips, at `ms` on the event clock.
void pointerClick(Rig& rig, Control& c, std::int64_t ms, float dx = 0)
{
    const QPointF at(c.absLeft() + c.width / 2 + dx, c.absTop() + c.height / 2);
    rig.app.pointerPress(c.window(), &c, kLeftButton, 0, at, ms);
    rig.app.pointerRelease(c, kLeftButton, 0, at);
}

struct Presses {
    const char* name;
    std::vector<std::int64_t> times; // of the presses on "Next Question >>"
    float away;                      // twips the second and later presses are from the first
    int questionShown;
    friend void PrintTo(const Presses& p, std::ostream* os) { *os << p.name; }
};

class NextQuestionPresses : public ::testing::TestWithParam<Presses> {};

// A pupil double-clicks "Next Question >>" on question 1: question 2 was
// skipped and marked wrong.
TEST_P(NextQuestionPresses, ShowTheRightQuestion)
{
    Rig rig;
    multiple& quiz = testing::openQuizWindow(rig);
    rig.app.click(quiz.Option1[testing::rightFor(1)]);
    const Presses& p = GetParam();
    for (std::size_t i = 0; i < p.times.size(); ++i)
        pointerClick(rig, quiz.Label3[1], p.times[i], i == 0 ? 0 : p.away);
    EXPECT_EQ(quiz.Label4.caption, "Question" + numberText(p.questionShown));
    EXPECT_EQ(rig.app.module1.questmark[1], 1);
    EXPECT_EQ(rig.app.module1.questmark[2], 0) << "question 2 is not marked before it is answered";
}

INSTANTIATE_TEST_SUITE_P(
    DoubleClick, NextQuestionPresses,
    ::testing::Values(Presses{"DoubleClickMovesOnOnce", {1000, 1200}, 0, 2},
                      Presses{"SlowSecondClickIsAClick", {1000, 1700}, 0, 3},
                      Presses{"SecondPressFarAwayIsAClick", {1000, 1200}, 300, 3},
                      Presses{"SecondPressANearbyPixelIsADoubleClick", {1000, 1200}, 45, 2},
                      Presses{"ThirdPressIsAClickAgain", {1000, 1200, 1400}, 0, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DoubleClick, TheDoubleClickEventReachesItsHandler)
{
    Rig rig;
    multiple& quiz = testing::openQuizWindow(rig);
    Control& next = quiz.Label3[1];
    int clicks = 0, doubles = 0;
    next.onClick = [&](int) { ++clicks; };
    next.onDblClick = [&](int) { ++doubles; };
    pointerClick(rig, next, 1000);
    pointerClick(rig, next, 1100);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
}

// A press dragged off its control before the release is no click. (Moves and
// releases going to the pressed control are the activities' real-host drags.)
TEST(DoubleClick, AReleaseOffThePressedControlIsNoClick)
{
    Rig rig;
    multiple& quiz = testing::openQuizWindow(rig);
    Control& next = quiz.Label3[1];
    int clicks = 0;
    next.onClick = [&](int) { ++clicks; };
    const QPointF on(next.absLeft() + 10, next.absTop() + 10);
    rig.app.pointerPress(quiz, &next, kLeftButton, 0, on, 1000);
    rig.app.pointerRelease(next, kLeftButton, 0, on + QPointF(0, next.height + 100));
    EXPECT_EQ(clicks, 0);
    pointerClick(rig, next, 3000);
    EXPECT_EQ(clicks, 1) << "a release on it is";
}

} // namespace
} // namespace oravians
