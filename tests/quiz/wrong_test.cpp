// The wrong-answers window.
#include "quizplay.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

TEST(WrongAnswers, ShowsTheSetTitleAndHeadingAndExitClosesItAndTheScoreWindowSilently)
{
    Rig rig;
    rig.app.show<Grey>();
    playQuiz(rig, [](int n) { return n == 4 || n == 7; });
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    Wrong& w = *rig.app.peek<Wrong>();
    EXPECT_EQ(rig.app.top(), &w);
    EXPECT_EQ(w.caption, "The Oravians");
    EXPECT_EQ(w.Label6.caption, "Rivers and Lakes");
    EXPECT_EQ(w.Label4.caption, "You answered the following questions incorrectly.");
    EXPECT_EQ(w.Label5.caption, "Read the Key Facts and try again.");
    EXPECT_EQ(w.Label2[0].caption, " 4. Question text 4"); // the rows' texts: a table in multiple_test
    rig.sound.played.clear();
    rig.app.click(w.Label3[1]);
    EXPECT_FALSE(rig.app.loaded<Wrong>());
    EXPECT_FALSE(rig.app.loaded<Welldone>());
    EXPECT_EQ(rig.app.top(), rig.app.peek<Grey>());
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST(WrongAnswers, RowsOfOneQuizNeverCarryIntoTheNext)
{
    Rig rig;
    playQuiz(rig, [](int) { return true; });
    rig.app.click(rig.app.peek<Welldone>()->Label3[0]);
    rig.app.click(rig.app.peek<Wrong>()->Label3[1]);
    playQuiz(rig, [](int n) { return n == 5; });
    Wrong& w = *rig.app.peek<Wrong>();
    EXPECT_EQ(w.Label2[0].caption, " 5. Question text 5");
    EXPECT_FALSE(w.Label2[1].visible);
}
