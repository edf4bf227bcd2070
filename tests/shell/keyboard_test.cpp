// The program by keyboard alone: every key ends where the mouse's click would.
#include "kernel/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "tests/quiz/quizplay.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"
#include "worksheets/worksheets.h"

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
    intro0& menu = *rig.app.peek<intro0>();
    ASSERT_TRUE(tabTo(rig, menu.Label2[10]));
    rig.app.keyDown(kKeyReturn, 0);
    EXPECT_EQ(rig.app.top(), rig.app.peek<quellmore>());
    EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
}

Window& topicPage(Rig& r)
{
    r.app.click(menuByKeys(r).Label2[10]);
    return *r.app.top();
}

// Escape clicks the window's way back, which sounds its click.
struct EscapeCase {
    const char* name;
    std::function<Window&(Rig&)> open;
    QString topAfter; // empty: nothing happens
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
    EXPECT_EQ(rig.app.top()->name(), row.topAfter.isEmpty() ? w.name() : row.topAfter);
    EXPECT_EQ(rig.sound.played, row.topAfter.isEmpty() ? QStringList() : QStringList{"wav\\click.wav"});
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Escape,
    ::testing::Values(
        EscapeCase{"TopicPageBackToTheMenu", topicPage, "intro0"},
        EscapeCase{"MenuAsksToLeaveOnTheTitle", [](Rig& r) -> Window& { return menuByKeys(r); }, "Titlefrm"},
        EscapeCase{"ConfirmationCancelledBackToTheMenu",
                   [](Rig& r) -> Window& { r.app.click(menuByKeys(r).Label2[16]); return *r.app.top(); }, "intro0"},
        EscapeCase{"FirstTitleHasNoWayBack", [](Rig& r) -> Window& { return r.app.show<Titlefrm>(); }, ""},
        EscapeCase{"QuizClosesOverItsOpener",
                   [](Rig& r) -> Window& { topicPage(r); return testing::openQuizWindow(r); }, "quellmore"}),
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
    EXPECT_EQ(byKeys.sound.played.last(), byMouse.sound.played.last());
    byKeys.app.keyDown(kKeyUp, 0);
    byKeys.app.keyDown(kKeyUp, 0); // round to the last
    byKeys.app.keyDown(kKeyDown, 0); // and on to the first: question 1's right answer
    byKeys.app.keyDown(kKeyTab, 0);
    EXPECT_EQ(quiz.focus(), &quiz.Label3[1]);
    byKeys.app.keyDown(kKeyReturn, 0);
    EXPECT_EQ(byKeys.app.module1.questmark[1], 1);
}

TEST(Keyboard, SpaceTicksATickBoxAsAClickWould)
{
    Rig rig;
    worksheets& catalogue = rig.app.show<worksheets>();
    catalogue.Check2.value = 1;
    ASSERT_TRUE(tabTo(rig, catalogue.Check1));
    rig.app.type(QStringLiteral(" "));
    EXPECT_EQ(catalogue.Check1.value, 1);
    EXPECT_EQ(catalogue.Check2.value, 0) << "its Click ran";
}

// Space or Enter on a focused label button does what a click on it does.
struct PressCase {
    const char* name;
    std::function<Control&(Rig&)> button;
    int key; // typed: ' ' or Enter
};

class PressLikeClick : public ::testing::TestWithParam<PressCase> {};

TEST_P(PressLikeClick, SameSoundsMessagesPageAndWindow)
{
    const PressCase& row = GetParam();
    Rig byKeys, byMouse;
    Control& key = row.button(byKeys);
    Control& mouse = row.button(byMouse);
    ASSERT_TRUE(tabTo(byKeys, key));
    byKeys.sound.played.clear();
    byMouse.sound.played.clear();
    byKeys.app.keyPress(row.key);
    byMouse.app.click(mouse);
    byKeys.app.settle();
    byMouse.app.settle();
    EXPECT_EQ(byKeys.sound.played, byMouse.sound.played);
    EXPECT_EQ(byKeys.messages.shown.size(), byMouse.messages.shown.size());
    EXPECT_EQ(byKeys.app.module1.pageno, byMouse.app.module1.pageno);
    EXPECT_EQ(byKeys.app.top()->name(), byMouse.app.top()->name());
}

Control& keyFacts(Rig& r) { return static_cast<quellmore&>(topicPage(r)).Label3[4]; }

INSTANTIATE_TEST_SUITE_P(
    LabelButtons, PressLikeClick,
    ::testing::Values(PressCase{"SpaceOnKeyFacts", keyFacts, ' '},
                      PressCase{"SpaceOnATopicWithoutContent",
                                [](Rig& r) -> Control& { return menuByKeys(r).Label2[15]; }, ' '},
                      PressCase{"EnterOnNextPage",
                                [](Rig& r) -> Control& {
                                    r.app.click(keyFacts(r));
                                    return r.app.form<teacher>().Label3[2];
                                },
                                kKeyReturn}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace oravians
