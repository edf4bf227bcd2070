// The quiz window as a pupil plays it.
#include "quizplay.h"

#include <gtest/gtest.h>
#include <set>

using namespace oravians;
using namespace oravians::testing;

namespace {
Wrong& wrongWindow(Rig& rig) { return *rig.app.peek<Wrong>(); }

QStringList shownRows(Rig& rig)
{
    QStringList rows;
    for (int r = 0; r < 10; ++r)
        if (wrongWindow(rig).Label2[r].visible)
            rows << wrongWindow(rig).Label2[r].caption;
    return rows;
}
// The quiz window opened on a bank of ten questions.
struct QuizWindow : ::testing::Test {
    Rig rig;
    multiple& quiz = openQuizWindow(rig);
};
} // namespace

TEST_F(QuizWindow, OpensOnQuestionOneWithTitleTopicAndNoChoiceMade)
{
    EXPECT_EQ(rig.app.top(), &quiz);
    EXPECT_EQ(quiz.caption, "The Oravians");
    EXPECT_EQ(quiz.Label6.caption, "Rivers and Lakes");
    EXPECT_EQ(quiz.Label5.caption, "The Oravians");
    EXPECT_EQ(quiz.Label4.caption, "Question 1");
    EXPECT_EQ(quiz.Label2.caption, "Question text 1");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(quiz.Option1[i].caption, QStringLiteral("1 %1").arg(QChar('A' + i - 1)));
        EXPECT_EQ(quiz.Option1[i].value, 0);
        EXPECT_EQ(quiz.Option1[i].back, kWindowBlue);
    }
    EXPECT_EQ(quiz.Option1[5].value, 1);
    EXPECT_FALSE(quiz.Option1[5].visible);
    EXPECT_EQ(quiz.focus(), &quiz.Option1[5]);
    EXPECT_FALSE(quiz.Label3[0].visible);
    EXPECT_EQ(quiz.Label3[1].caption, "Next Question >>");
    EXPECT_FALSE(quiz.Label3[3].visible);
    EXPECT_FALSE(quiz.Check1.visible) << "pupils never see the answer key's box";
    EXPECT_EQ(rig.app.module1.score, 0);
    EXPECT_EQ(rig.app.module1.outof, 10);
}

TEST_F(QuizWindow, PreviousIsHiddenOnOneAndCheckScoreAppearsOnTenUntilGoingBack)
{
    for (int n = 1; n <= 9; ++n)
        answer(rig, rightFor(n));
    EXPECT_EQ(quiz.Label4.caption, "Question 10");
    EXPECT_EQ(quiz.Option1[2].caption, "10 B");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(quiz.Option1[i].value, 0) << "a new question shows no choice, even after an answer";
    EXPECT_TRUE(quiz.Label3[0].visible);
    EXPECT_EQ(quiz.Label3[1].caption, "Check Score >>");
    rig.app.click(quiz.Label3[0]);
    EXPECT_EQ(quiz.Label4.caption, "Question 9");
    EXPECT_EQ(quiz.Label3[1].caption, "Next Question >>");
    for (int n = 9; n > 1; --n)
        rig.app.click(quiz.Label3[0]);
    EXPECT_EQ(quiz.Label4.caption, "Question 1");
    EXPECT_FALSE(quiz.Label3[0].visible);
}

TEST_F(QuizWindow, ChangingAnEarlierAnswerReplacesItsMark)
{
    answer(rig, rightFor(1));
    answer(rig, rightFor(2));
    answer(rig, rightFor(3));
    EXPECT_EQ(rig.app.module1.questmark[3], 1);
    rig.app.click(quiz.Label3[0]);
    EXPECT_EQ(quiz.Label4.caption, "Question 3");
    answer(rig, 0); // unanswered is wrong
    EXPECT_EQ(rig.app.module1.questmark[3], 0);
    rig.app.click(quiz.Label3[0]);
    answer(rig, wrongFor(3));
    EXPECT_EQ(rig.app.module1.questmark[3], 0);
    rig.app.click(quiz.Label3[0]);
    rig.app.click(quiz.Option1[wrongFor(3)]);
    answer(rig, rightFor(3)); // only the last choice before Next counts
    EXPECT_EQ(rig.app.module1.questmark[3], 1);
    for (int n = 4; n <= 10; ++n)
        answer(rig, rightFor(n));
    EXPECT_EQ(rig.app.module1.score, 10);
}

// Which questions are answered wrongly: each has a row, " 5. Question text 5", in order.
struct WrongRows {
    const char* name;
    std::set<int> wrong;
};

struct WrongAnswerList : ::testing::TestWithParam<WrongRows> {};

TEST_P(WrongAnswerList, FillsItsRowsFromTheTop)
{
    Rig rig;
    playQuiz(rig, [](int n) { return GetParam().wrong.count(n) > 0; });
    QStringList rows;
    for (int n : GetParam().wrong)
        rows << QStringLiteral(" %1. Question text %1").arg(n);
    EXPECT_EQ(rig.app.module1.score, 10 - int(GetParam().wrong.size()));
    EXPECT_EQ(shownRows(rig), rows);
    EXPECT_EQ(wrongWindow(rig).Label6.caption, "Rivers and Lakes");
    EXPECT_EQ(wrongWindow(rig).Label2[9].top, 7080) << "the last row sits just above the closing line";
}

INSTANTIATE_TEST_SUITE_P(, WrongAnswerList,
                         ::testing::Values(WrongRows{"TwoFiveAndNine", {2, 5, 9}}, WrongRows{"FirstAndLast", {1, 10}},
                                           WrongRows{"None", {}}, WrongRows{"All", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Opened again afterwards, the quiz starts at question one with score zero.
TEST(QuizRun, TheTenthAnswerHandsOverToTheScoreWindowAndReopeningStartsAgain)
{
    Rig rig;
    playQuiz(rig, [](int n) { return n == 4; });
    EXPECT_FALSE(rig.app.loaded<multiple>());
    EXPECT_FALSE(rig.app.peek<Wrong>() && rig.app.isShown(*rig.app.peek<Wrong>()));
    Welldone* score = rig.app.peek<Welldone>();
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(rig.app.top(), score);
    EXPECT_EQ(rig.app.module1.topictitle, "The Oravians");
    EXPECT_EQ(score->Label1.caption, "Good work. You have scored 9 out of 10.");
    rig.app.unload<Welldone>();
    rig.app.unload<Wrong>();
    multiple& quiz = openQuizWindow(rig);
    EXPECT_EQ(quiz.Label4.caption, "Question 1");
    EXPECT_EQ(rig.app.module1.score, 0);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(rig.app.module1.questmark[n], 0);
}

TEST(QuizRun, ExitClosesTheQuizAndTheOpenerIsOnTopAgain)
{
    Rig rig;
    rig.app.show<Grey>();
    multiple& quiz = openQuizWindow(rig);
    answer(rig, 1);
    rig.sound.played.clear();
    rig.app.click(quiz.Label3[2]);
    EXPECT_FALSE(rig.app.loaded<multiple>());
    EXPECT_EQ(rig.app.top(), rig.app.peek<Grey>());
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
}

TEST_F(QuizWindow, OptionsTypeAndButtonsClickWhileSoundIsOn)
{
    rig.app.click(quiz.Option1[2]);
    rig.app.click(quiz.Label3[1]);
    rig.app.click(quiz.Label3[0]);
    EXPECT_EQ(rig.sound.played, (QStringList{"wav\\typekey.wav", "wav\\click.wav", "wav\\click.wav"}));
}

TEST_F(QuizWindow, SoundOffMeansSilence)
{
    rig.app.module1.soundon = 0;
    rig.app.click(quiz.Option1[2]);
    rig.app.click(quiz.Label3[1]);
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST_F(QuizWindow, HoverHighlightsAButtonAndTheBackgroundClearsThemAll)
{
    EXPECT_TRUE(quiz.Label3[1].opaque);
    rig.app.formMouseMove(quiz, 0, 0, 100, 100);
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(quiz.Label3[i].opaque);
    rig.app.mouseMove(quiz.Label3[2], 0, 0, 10, 10);
    EXPECT_TRUE(quiz.Label3[2].opaque);
    EXPECT_FALSE(quiz.Label3[1].opaque);
}

TEST(QuizWindowDamagedBank, ARightChoiceOutsideOneToFourIsMarkedWrongWithoutFailing)
{
    for (const char* bad : {"0", "5", "", "x", "12", "-3"}) {
        Rig rig;
        openQuizWindow(rig);
        rig.app.module1.rightchoice[1] = bad;
        rig.app.module1.rightchoice[2] = bad;
        answer(rig, 1);
        answer(rig, 0);
        for (int n = 3; n <= 10; ++n)
            answer(rig, rightFor(n));
        EXPECT_EQ(rig.app.module1.questmark[1], 0) << bad;
        EXPECT_EQ(rig.app.module1.questmark[2], 0) << bad;
        EXPECT_EQ(rig.app.module1.score, 8) << bad;
        EXPECT_EQ(shownRows(rig).size(), 2) << bad;
    }
}
