// The score window after a quiz and after an activity, and its celebration.
#include "quizplay.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

// What the window shows for one result; wrongAnswers < 0 means an activity.
struct Band {
    const char* name;
    int wrongAnswers, score, outof;
    const char* message, *hint, *advice, *button; // hint null: hidden; others empty: hidden
    bool nameBox;
};

struct ScoreBands : ::testing::TestWithParam<Band> {};

TEST_P(ScoreBands, ShowTheirMessageHintAndButtons)
{
    const Band& b = GetParam();
    Rig rig;
    if (b.wrongAnswers >= 0)
        playQuiz(rig, [&](int n) { return n <= b.wrongAnswers; });
    else
        showScore(rig, b.score, b.outof);
    const Welldone& w = *rig.app.peek<Welldone>();
    EXPECT_EQ(w.caption, "The Oravians");
    EXPECT_EQ(w.Label1.caption, b.message);
    EXPECT_EQ(w.Label5.visible, b.hint != nullptr);
    if (b.hint)
        EXPECT_EQ(w.Label5.caption, b.hint);
    EXPECT_EQ(w.Label6.visible ? w.Label6.caption : QString(), b.advice);
    EXPECT_EQ(w.Label3[0].visible ? w.Label3[0].caption : QString(), b.button);
    EXPECT_TRUE(w.Label3[1].visible);
    EXPECT_EQ(w.Text1.visible, b.nameBox);
    EXPECT_EQ(w.Label2.visible, b.nameBox);
}

const char* kCheck = "Click the button above to check which questions you answered incorrectly.";

INSTANTIATE_TEST_SUITE_P(
    , ScoreBands,
    ::testing::Values(
        Band{"QuizFullMarks", 0, 10, 10, "Excellent work. You have scored 10 out of 10.", "", "", "Print Certificate",
             true},
        Band{"QuizOneShort", 1, 9, 10, "Good work. You have scored 9 out of 10.", kCheck, "", "Check Wrong Answers",
             false},
        Band{"QuizTwoShort", 2, 8, 10, "Good work. You have scored 8 out of 10.", kCheck, "", "Check Wrong Answers",
             false},
        Band{"QuizThreeShort", 3, 7, 10, "You have scored 7 out of 10.", kCheck, "", "Check Wrong Answers", false},
        Band{"ActivityFullMarks", -1, 6, 6, "Excellent work. You have scored 6 out of 6.", nullptr, "",
             "Print Certificate", true},
        Band{"ActivityOneShort", -1, 5, 6, "Good work. You have scored 5 out of 6.", nullptr,
             "Read the Key Facts and try again.", "", false},
        Band{"ActivityFarShort", -1, 2, 6, "You have scored 2 out of 6.", nullptr, "Read the Key Facts and try again.", "",
             false}),
    [](const auto& info) { return std::string(info.param.name); });

// The celebration depends on the score (not on what it is out of) and the draw.
struct Celebration {
    const char* name;
    int score, outof;
    double draw;
    const char* sound; // empty: silence
};

struct Celebrations : ::testing::TestWithParam<Celebration> {};

TEST_P(Celebrations, PlayTheSoundOfTheScoreAndDraw)
{
    const Celebration& c = GetParam();
    Rig rig;
    rig.random.next = c.draw;
    showScore(rig, c.score, c.outof);
    rig.sound.played.clear();
    runTimerChain(rig);
    EXPECT_EQ(rig.sound.played, *c.sound ? QStringList{c.sound} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    , Celebrations,
    ::testing::Values(Celebration{"Twelve", 12, 12, 0.99, "wav\\halleluj.wav"},
                      Celebration{"ElevenLow", 11, 11, 0.0, "wav\\fanf4.wav"},
                      Celebration{"ElevenHigh", 11, 11, 0.5, "wav\\slot_payoff.wav"},
                      Celebration{"TenLow", 10, 10, 0.49, "wav\\fanf2.wav"},
                      Celebration{"TenHigh", 10, 10, 0.5, "wav\\fanf3.wav"},
                      Celebration{"NineLow", 9, 10, 0.0, "wav\\crowd.wav"},
                      Celebration{"NineMiddle", 9, 10, 0.34, "wav\\cheer2.wav"},
                      Celebration{"NineHigh", 9, 10, 0.99, "wav\\klaxon.wav"},
                      Celebration{"EightLow", 8, 10, 0.1, "wav\\flute.wav"},
                      Celebration{"EightMiddle", 8, 10, 0.5, "wav\\gong.wav"},
                      Celebration{"EightHigh", 8, 10, 0.7, "wav\\clap2.wav"},
                      Celebration{"SevenLow", 7, 10, 0.2, "wav\\drumroll.wav"},
                      Celebration{"SevenMiddle", 7, 10, 0.4, "wav\\laser2.wav"},
                      Celebration{"SevenHigh", 7, 10, 0.9, "wav\\whizz.wav"},
                      Celebration{"SixLow", 6, 10, 0.3, "wav\\clap3.wav"},
                      Celebration{"SixHigh", 6, 10, 0.6, "wav\\clown.wav"},
                      Celebration{"SixOutOfSix", 6, 6, 0.0, "wav\\clap3.wav"},
                      Celebration{"FiveOutOfSix", 5, 6, 0.0, ""},
                      Celebration{"Five", 5, 10, 0.0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST(ScoreWindow, TheTimerChainShowsTheRocketFocusesTheNameAndCelebratesOnce)
{
    Rig rig;
    rig.random.next = 0.7;
    playQuiz(rig, [](int) { return false; });
    Welldone& w = *rig.app.peek<Welldone>();
    rig.sound.played.clear();
    rig.app.formMouseMove(w, 0, 0, 10, 10); // the pupil's pointer crossed the window
    EXPECT_FALSE(w.Label3[0].opaque);

    rig.tick(w.Timer1);
    ASSERT_NE(w.Picture1.picture, nullptr);
    EXPECT_EQ(w.Picture1.picture->source(), "rocketsm\\rocket01.jpg");
    rig.tick(w.Timer2);
    EXPECT_EQ(w.focus(), &w.Text1);
    EXPECT_TRUE(w.Label3[0].opaque);
    EXPECT_TRUE(rig.sound.played.isEmpty());
    rig.tick(w.Timer3);
    rig.tick(w.Timer3);
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\fanf3.wav"});

    rig.app.type("Wilhelmina Araminta Fenwick-Brackwater");
    EXPECT_EQ(w.Text1.caption, "Wilhelmina Araminta Fenwi"); // at most 25 letters
}

TEST(ScoreWindow, WithoutFullMarksTheFocusStaysAwayAndSoundOffIsSilent)
{
    Rig rig;
    playQuiz(rig, [](int n) { return n == 1; });
    rig.app.module1.soundon = 0;
    rig.sound.played.clear();
    runTimerChain(rig);
    Welldone& w = *rig.app.peek<Welldone>();
    EXPECT_NE(w.focus(), &w.Text1);
    rig.app.click(w.Label3[0]);
    rig.app.click(w.Label3[1]);
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST(ScoreWindow, CheckWrongAnswersOpensTheListAboveAndExitClosesBoth)
{
    Rig rig;
    rig.app.show<Grey>();
    playQuiz(rig, [](int n) { return n == 3; });
    Welldone& w = *rig.app.peek<Welldone>();
    rig.sound.played.clear();
    rig.app.click(w.Label3[0]);
    EXPECT_EQ(rig.app.top(), rig.app.peek<Wrong>());
    EXPECT_TRUE(rig.app.isShown(w));
    EXPECT_TRUE(rig.printer.ops.isEmpty());
    rig.app.click(w.Label3[1]);
    EXPECT_FALSE(rig.app.loaded<Welldone>());
    EXPECT_FALSE(rig.app.loaded<Wrong>());
    EXPECT_EQ(rig.app.top(), rig.app.peek<Grey>());
    EXPECT_EQ(rig.sound.played, (QStringList{"wav\\click.wav", "wav\\click.wav"}));
}
