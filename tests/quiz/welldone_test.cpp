// The score window after a quiz and after an activity, and its celebration.
#include "platform/clockrandom.h"
#include "quizplay.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

// Fixes the celebration draw for one test.
class ScoreWindow : public ::testing::Test {
protected:

    // Opens the score window as an activity does.
    Welldone& openFromActivity(Rig& rig, int score, int outof)
    {
        rig.app.module1.soundon = 1;
        rig.app.module1.score = score;
        rig.app.module1.outof = outof;
        rig.app.show<Welldone>();
        return *rig.app.peek<Welldone>();
    }
};

} // namespace

TEST_F(ScoreWindow, QuizWithFullMarksOffersTheCertificateAndTheNameBox)
{
    Rig rig;
    playQuiz(rig, [](int) { return false; });
    Welldone& w = *rig.app.peek<Welldone>();
    EXPECT_EQ(w.caption, "The Oravians");
    EXPECT_EQ(w.Label1.caption, "Excellent work. You have scored 10 out of 10.");
    EXPECT_FALSE(w.Label6.visible);
    EXPECT_TRUE(w.Label5.visible);
    EXPECT_EQ(w.Label5.caption, "");
    EXPECT_TRUE(w.Label3[0].visible);
    EXPECT_EQ(w.Label3[0].caption, "Print Certificate");
    EXPECT_TRUE(w.Text1.visible);
    EXPECT_TRUE(w.Label2.visible);
    EXPECT_EQ(w.Text1.maxLength, 25);
}

TEST_F(ScoreWindow, QuizOneOrTwoShortSaysGoodWorkAndOffersTheWrongAnswers)
{
    for (int wrong : {1, 2}) {
        Rig rig;
        playQuiz(rig, [wrong](int n) { return n <= wrong; });
        Welldone& w = *rig.app.peek<Welldone>();
        EXPECT_EQ(w.Label1.caption, QStringLiteral("Good work. You have scored %1 out of 10.").arg(10 - wrong));
        EXPECT_FALSE(w.Label6.visible);
        EXPECT_TRUE(w.Label5.visible);
        EXPECT_EQ(w.Label5.caption, "Click the button above to check which questions you answered incorrectly.");
        EXPECT_TRUE(w.Label3[0].visible);
        EXPECT_EQ(w.Label3[0].caption, "Check Wrong Answers");
        EXPECT_FALSE(w.Text1.visible);
        EXPECT_FALSE(w.Label2.visible);
    }
}

TEST_F(ScoreWindow, QuizThreeOrMoreShortJustGivesTheScore)
{
    Rig rig;
    playQuiz(rig, [](int n) { return n <= 3; });
    Welldone& w = *rig.app.peek<Welldone>();
    EXPECT_EQ(w.Label1.caption, "You have scored 7 out of 10.");
    EXPECT_TRUE(w.Label5.visible);
    EXPECT_EQ(w.Label3[0].caption, "Check Wrong Answers");
    EXPECT_TRUE(w.Label3[0].visible);
    EXPECT_FALSE(w.Label6.visible);
}

TEST_F(ScoreWindow, ActivityWithFullMarksOffersTheCertificateWithoutTheHint)
{
    Rig rig;
    Welldone& w = openFromActivity(rig, 6, 6);
    EXPECT_EQ(w.Label1.caption, "Excellent work. You have scored 6 out of 6.");
    EXPECT_FALSE(w.Label6.visible);
    EXPECT_FALSE(w.Label5.visible);
    EXPECT_TRUE(w.Label3[0].visible);
    EXPECT_EQ(w.Label3[0].caption, "Print Certificate");
    EXPECT_TRUE(w.Text1.visible);
    EXPECT_TRUE(w.Label2.visible);
}

TEST_F(ScoreWindow, ActivityShortOfFullMarksAdvisesReadingAgainWithOnlyExit)
{
    Rig rig;
    Welldone& w = openFromActivity(rig, 5, 6);
    EXPECT_EQ(w.Label1.caption, "Good work. You have scored 5 out of 6.");
    EXPECT_TRUE(w.Label6.visible);
    EXPECT_EQ(w.Label6.caption, "Read the Key Facts and try again.");
    EXPECT_FALSE(w.Label5.visible);
    EXPECT_FALSE(w.Label3[0].visible);
    EXPECT_TRUE(w.Label3[1].visible);
    EXPECT_FALSE(w.Text1.visible);
    rig.random.next = 0.0;
    rig.sound.played.clear();
    runTimerChain(rig);
    EXPECT_TRUE(rig.sound.played.isEmpty());

    Rig other;
    Welldone& low = openFromActivity(other, 2, 6);
    EXPECT_EQ(low.Label1.caption, "You have scored 2 out of 6.");
}

TEST_F(ScoreWindow, TheTimerChainShowsTheRocketFocusesTheNameAndCelebratesOnce)
{
    Rig rig;
    rig.random.next = 0.7;
    playQuiz(rig, [](int) { return false; });
    Welldone& w = *rig.app.peek<Welldone>();
    rig.sound.played.clear();
    EXPECT_TRUE(rig.timers.isRunning(w.Timer1));
    EXPECT_FALSE(rig.timers.isRunning(w.Timer2));
    EXPECT_EQ(w.Timer1.interval, 1);
    EXPECT_EQ(w.Timer2.interval, 10);
    EXPECT_EQ(w.Timer3.interval, 1);
    rig.app.formMouseMove(w, 0, 0, 10, 10); // the pupil's pointer crossed the window
    EXPECT_FALSE(w.Label3[0].opaque);

    rig.tick(w.Timer1);
    ASSERT_NE(w.Picture1.picture, nullptr);
    EXPECT_EQ(w.Picture1.picture->source(), "rocketsm\\rocket01.jpg");
    EXPECT_FALSE(rig.timers.isRunning(w.Timer1));
    EXPECT_TRUE(rig.timers.isRunning(w.Timer2));

    rig.tick(w.Timer2);
    EXPECT_EQ(w.focus(), &w.Text1);
    EXPECT_TRUE(w.Label3[0].opaque);
    EXPECT_TRUE(w.Label3[1].opaque);
    EXPECT_FALSE(rig.timers.isRunning(w.Timer2));
    EXPECT_TRUE(rig.timers.isRunning(w.Timer3));
    EXPECT_TRUE(rig.sound.played.isEmpty());

    rig.tick(w.Timer3);
    EXPECT_FALSE(rig.timers.isRunning(w.Timer3));
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\fanf3.wav"});
    rig.tick(w.Timer3);
    EXPECT_EQ(rig.sound.played.size(), 1);

    rig.app.type("Ann Pellow");
    EXPECT_EQ(w.Text1.caption, "Ann Pellow");
}

TEST_F(ScoreWindow, TheNameBoxTakesAtMostTwentyFiveCharacters)
{
    Rig rig;
    playQuiz(rig, [](int) { return false; });
    runTimerChain(rig);
    rig.app.type("Wilhelmina Araminta Fenwick-Brackwater");
    EXPECT_EQ(rig.app.peek<Welldone>()->Text1.caption, "Wilhelmina Araminta Fenwi");
}

TEST_F(ScoreWindow, WithoutFullMarksTheFocusStaysAway)
{
    Rig rig;
    playQuiz(rig, [](int n) { return n == 1; });
    Welldone& w = *rig.app.peek<Welldone>();
    runTimerChain(rig);
    EXPECT_NE(w.focus(), &w.Text1);
}

TEST_F(ScoreWindow, EachScoreHasItsCelebrationSound)
{
    struct Case {
        int score;
        double r;
        const char* sound;
    };
    const Case cases[] = {
        {12, 0.99, "wav\\halleluj.wav"}, {11, 0.0, "wav\\fanf4.wav"},    {11, 0.5, "wav\\slot_payoff.wav"},
        {10, 0.49, "wav\\fanf2.wav"},    {10, 0.5, "wav\\fanf3.wav"},     {9, 0.0, "wav\\crowd.wav"},
        {9, 0.34, "wav\\cheer2.wav"},    {9, 0.99, "wav\\klaxon.wav"},    {8, 0.1, "wav\\flute.wav"},
        {8, 0.5, "wav\\gong.wav"},       {8, 0.7, "wav\\clap2.wav"},      {7, 0.2, "wav\\drumroll.wav"},
        {7, 0.4, "wav\\laser2.wav"},     {7, 0.9, "wav\\whizz.wav"},      {6, 0.3, "wav\\clap3.wav"},
        {6, 0.6, "wav\\clown.wav"},      {5, 0.0, ""},                    {0, 0.5, ""},
        {4, 0.9, ""},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.random.next = c.r;
        openFromActivity(rig, c.score, c.score == 12 || c.score == 11 ? c.score : 10);
        rig.sound.played.clear();
        runTimerChain(rig);
        const QStringList expected = *c.sound ? QStringList{c.sound} : QStringList{};
        EXPECT_EQ(rig.sound.played, expected) << "score " << c.score << " draw " << c.r;
    }
}

TEST_F(ScoreWindow, FiveOutOfTenPlaysNoSound)
{
    Rig rig;
    rig.random.next = 0.5;
    playQuiz(rig, [](int n) { return n > 5; });
    rig.sound.played.clear();
    runTimerChain(rig);
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST_F(ScoreWindow, TheSoundDependsOnTheScoreNotOnWhatItIsOutOf)
{
    Rig rig;
    rig.random.next = 0.0;
    openFromActivity(rig, 6, 6);
    rig.sound.played.clear();
    runTimerChain(rig);
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\clap3.wav"});
}

TEST_F(ScoreWindow, WithSoundOffNothingCelebratesAndNothingClicks)
{
    Rig rig;
    rig.random.next = 0.0;
    playQuiz(rig, [](int n) { return n == 1; });
    rig.app.module1.soundon = 0;
    rig.sound.played.clear();
    runTimerChain(rig);
    Welldone& w = *rig.app.peek<Welldone>();
    rig.app.click(w.Label3[0]);
    rig.app.click(w.Label3[1]);
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST_F(ScoreWindow, TheDefaultDrawAlwaysPicksAListedSound)
{
    for (int i = 0; i < 50; ++i) {
        const double r = ClockRandom().draw();
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
    }
    EXPECT_EQ(celebrationSound(9, 1.0), "wav\\klaxon.wav");
    EXPECT_EQ(celebrationSound(9, -0.5), "wav\\crowd.wav");
}

TEST_F(ScoreWindow, CheckWrongAnswersOpensTheListAboveAndClicks)
{
    Rig rig;
    playQuiz(rig, [](int n) { return n == 3; });
    Welldone& w = *rig.app.peek<Welldone>();
    rig.sound.played.clear();
    rig.app.click(w.Label3[0]);
    ASSERT_NE(rig.app.peek<Wrong>(), nullptr);
    EXPECT_EQ(rig.app.top(), rig.app.peek<Wrong>());
    EXPECT_TRUE(rig.app.isShown(w));
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
    EXPECT_TRUE(rig.printer.ops.isEmpty());
}

TEST_F(ScoreWindow, ExitClosesTheScoreWindowAndTheWrongAnswers)
{
    Rig rig;
    rig.app.show<Grey>();
    playQuiz(rig, [](int n) { return n == 3; });
    Welldone& w = *rig.app.peek<Welldone>();
    rig.app.click(w.Label3[0]);
    rig.sound.played.clear();
    rig.app.click(w.Label3[1]);
    EXPECT_FALSE(rig.app.loaded<Welldone>());
    EXPECT_FALSE(rig.app.loaded<Wrong>());
    EXPECT_EQ(rig.app.top(), rig.app.peek<Grey>());
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
}
