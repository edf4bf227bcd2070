// The program by keyboard alone: every key ends where the mouse's click would.
#include "kernel/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "tests/quiz/quizplay.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"

#include <gtest/gtest.h>

namespace oravians {
namespace {

using testing::Rig;

// Tabs until c has the focus; false if a whole round never reaches it.
bool tabTo(Rig& rig, const Control& c)
{
    for (int i = 0; i < 40 && c.window().focus() != &c; ++i)
        rig.app.keyDown(kKeyTab, 0);
    return c.window().focus() == &c;
}

intro0& menuByKeys(Rig& rig)
{
    rig.app.show<Titlefrm>();
    rig.app.keyDown(kKeyReturn, 0);
    return *rig.app.peek<intro0>();
}

TEST(Keyboard, TitleOkByEnterThenATopicByTabAndEnter)
{
    Rig rig;
    rig.app.show<Titlefrm>();
    EXPECT_EQ(rig.app.form<Titlefrm>().focus(), &rig.app.form<Titlefrm>().Command1) << "OK takes the focus";
    EXPECT_FALSE(rig.app.keyboardInUse()) << "nothing shows it to a mouse user";
    rig.app.keyDown(kKeyReturn, 0);
    ASSERT_EQ(rig.app.top(), rig.app.peek<intro0>());
    EXPECT_FALSE(rig.app.loaded<Titlefrm>());

    intro0& menu = *rig.app.peek<intro0>();
    ASSERT_TRUE(tabTo(rig, menu.Label2[10]));
    EXPECT_TRUE(rig.app.keyboardInUse());
    rig.app.keyDown(kKeyReturn, 0);
    EXPECT_EQ(rig.app.top(), rig.app.peek<quellmore>());
    EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
}

TEST(Keyboard, TabVisitsShownLabelButtonsInReadingOrderAndOneStopPerOptionGroup)
{
    Rig rig;
    intro0& menu = menuByKeys(rig);
    const std::vector<Control*> order = menu.tabOrder();
    ASSERT_EQ(order.size(), 20u) << "the sound switch, then the nineteen buttons";
    EXPECT_EQ(order[0], &menu.Option1);
    EXPECT_EQ(order[1], &menu.Label2[20]) << "Teachers' Guide, highest";
    EXPECT_EQ(order[2], &menu.Label2[15]) << "Queen Orava, left of Health and Medicine";
    EXPECT_EQ(order[3], &menu.Label2[6]);
    EXPECT_EQ(order.back(), &menu.Label2[16]) << "Exit, lowest and rightmost";
    rig.app.keyDown(kKeyTab, kShiftMask);
    rig.app.keyDown(kKeyTab, kShiftMask);
    EXPECT_EQ(menu.focus(), &menu.Label2[19]) << "Shift+Tab goes back from the sound switch, round the end";
}

// Escape clicks the window's way back.
struct EscapeCase {
    const char* name;
    std::function<Window&(Rig&)> open;
    std::function<Window*(Rig&)> expectedTop;
    QString sound; // what the way back plays
};

class Escape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(Escape, GoesWhereTheWayBackGoes)
{
    const EscapeCase& row = GetParam();
    Rig rig;
    Window& w = row.open(rig);
    ASSERT_EQ(rig.app.top(), &w);
    rig.sound.played.clear();
    rig.app.keyDown(kKeyEscape, 0);
    rig.app.settle();
    EXPECT_EQ(rig.app.top(), row.expectedTop(rig));
    EXPECT_EQ(rig.sound.played, row.sound.isEmpty() ? QStringList() : QStringList{row.sound});
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Escape,
    ::testing::Values(
        EscapeCase{"TopicPageBackToTheMenu",
                   [](Rig& r) -> Window& { r.app.click(menuByKeys(r).Label2[10]); return *r.app.top(); },
                   [](Rig& r) -> Window* { return r.app.peek<intro0>(); }, "wav\\click.wav"},
        EscapeCase{"MenuAsksToLeaveOnTheTitle", [](Rig& r) -> Window& { return menuByKeys(r); },
                   [](Rig& r) -> Window* { return r.app.peek<Titlefrm>(); }, "wav\\click.wav"},
        EscapeCase{"ConfirmationCancelledBackToTheMenu",
                   [](Rig& r) -> Window& { r.app.click(menuByKeys(r).Label2[16]); return *r.app.top(); },
                   [](Rig& r) -> Window* { return r.app.peek<intro0>(); }, "wav\\click.wav"},
        EscapeCase{"FirstTitleHasNoWayBack", [](Rig& r) -> Window& { return r.app.show<Titlefrm>(); },
                   [](Rig& r) -> Window* { return r.app.peek<Titlefrm>(); }, ""},
        EscapeCase{"QuizClosesOverItsOpener",
                   [](Rig& r) -> Window& {
                       r.app.click(menuByKeys(r).Label2[10]);
                       return testing::openQuizWindow(r);
                   },
                   [](Rig& r) -> Window* { return r.app.peek<quellmore>(); }, "wav\\click.wav"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Keyboard, ArrowsChooseAQuizAnswerAsAClickWould)
{
    Rig byKeys, byMouse;
    multiple& quiz = testing::openQuizWindow(byKeys);
    multiple& clicked = testing::openQuizWindow(byMouse);
    byKeys.app.keyDown(kKeyDown, 0);
    byKeys.app.keyDown(kKeyDown, 0);
    byMouse.app.click(clicked.Option1[2]);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(quiz.Option1[i].value, clicked.Option1[i].value) << "option " << i;
    EXPECT_EQ(quiz.focus(), &quiz.Option1[2]);
    EXPECT_EQ(byKeys.sound.played.size(), 2) << "each option chosen plays as when clicked";
    EXPECT_EQ(byKeys.sound.played.last(), byMouse.sound.played.last());
    byKeys.app.keyDown(kKeyUp, 0);
    byKeys.app.keyDown(kKeyUp, 0);
    EXPECT_EQ(quiz.Option1[4].value, 1) << "Up from the first goes round to the last";

    // Question 1's right answer is option 1: Down to it, Tab to "Next Question >>", Enter.
    byKeys.app.keyDown(kKeyDown, 0);
    byKeys.app.keyDown(kKeyTab, 0);
    EXPECT_EQ(quiz.focus(), &quiz.Label3[1]);
    byKeys.app.keyDown(kKeyReturn, 0);
    EXPECT_EQ(byKeys.app.module1.questmark[1], 1);
    EXPECT_EQ(quiz.Label4.caption, "Question 2");
}

// A key on a focused label button does what a click on it does.
struct PressCase {
    const char* name;
    std::function<Control&(Rig&)> button;
    std::function<void(Rig&, Control&)> press;
};

class PressLikeClick : public ::testing::TestWithParam<PressCase> {};

TEST_P(PressLikeClick, SameSoundsMessagesAndWindow)
{
    const PressCase& row = GetParam();
    Rig byKeys, byMouse;
    Control& key = row.button(byKeys);
    Control& mouse = row.button(byMouse);
    ASSERT_TRUE(tabTo(byKeys, key));
    const Window* before = byKeys.app.top();
    byKeys.sound.played.clear();
    byMouse.sound.played.clear();
    row.press(byKeys, key);
    byMouse.app.click(mouse);
    byKeys.app.settle();
    byMouse.app.settle();
    EXPECT_EQ(byKeys.sound.played, byMouse.sound.played);
    EXPECT_EQ(byKeys.app.module1.pageno, byMouse.app.module1.pageno);
    EXPECT_EQ(byKeys.messages.shown.size(), byMouse.messages.shown.size());
    ASSERT_NE(byKeys.app.top(), nullptr);
    EXPECT_EQ(byKeys.app.top()->name(), byMouse.app.top()->name());
    EXPECT_TRUE(byKeys.app.top() != before || !byKeys.messages.shown.empty() || byKeys.app.module1.pageno == 2)
        << "the key did something";
}

const auto space = [](Rig& r, Control&) { r.app.type(QStringLiteral(" ")); };
const auto enter = [](Rig& r, Control&) { r.app.keyDown(kKeyReturn, 0); };

INSTANTIATE_TEST_SUITE_P(
    LabelButtons, PressLikeClick,
    ::testing::Values(
        PressCase{"SpaceOnKeyFacts",
                  [](Rig& r) -> Control& { r.app.click(menuByKeys(r).Label2[10]); return r.app.form<quellmore>().Label3[4]; },
                  space},
        PressCase{"SpaceOnATopicWithoutContent",
                  [](Rig& r) -> Control& { return menuByKeys(r).Label2[15]; }, space},
        PressCase{"EnterOnNextPage",
                  [](Rig& r) -> Control& {
                      r.app.click(menuByKeys(r).Label2[10]);
                      r.app.click(r.app.form<quellmore>().Label3[4]);
                      return r.app.form<teacher>().Label3[2];
                  },
                  enter}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace oravians
