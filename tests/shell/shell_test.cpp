// The shell as a pupil meets it: title screen, main menu, sound switch, exit.
#include "kernel/grey.h"
#include "platform/log.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "tests/support/fakes.h"
#include "topics/quellmore.h"

#include <gtest/gtest.h>

namespace oravians {
namespace {

using testing::Rig;

const QString kClick = QStringLiteral("wav\\click.wav");

// The program started and "OK" pressed: the menu is on top.
struct OnTheMenu : ::testing::Test {
    Rig rig;
    App& app = rig.app;
    intro0& menu = (app.show<Titlefrm>(), app.click(app.form<Titlefrm>().Command1), app.form<intro0>());
};
using WindowModel = OnTheMenu;
using ExitConfirmation = OnTheMenu;
using MainMenu = OnTheMenu;
using RocketAnimation = OnTheMenu;

TEST(WindowLoading, TouchingAControlLoadsTheWindowFirst)
{
    Rig rig;
    EXPECT_FALSE(rig.app.loaded<intro0>());
    EXPECT_EQ(rig.app.module1.soundon, 0);
    rig.app.form<intro0>().Label1.caption; // a read is a touch
    EXPECT_TRUE(rig.app.loaded<intro0>());
    EXPECT_EQ(rig.app.module1.soundon, 1);
    EXPECT_FALSE(rig.app.isShown(rig.app.form<intro0>())) << "loaded, not shown";
}

TEST_F(WindowModel, UnloadReturnsAWindowToItsDesignState)
{
    rig.app.click(menu.Option2);
    rig.app.formMouseMove(menu, 0, 0, 10, 10);
    EXPECT_FALSE(menu.Label2[10].opaque);
    rig.app.unload<intro0>();
    rig.app.settle();
    EXPECT_FALSE(rig.app.loaded<intro0>());
    intro0& fresh = rig.app.form<intro0>();
    EXPECT_TRUE(fresh.Label2[10].opaque);
    EXPECT_EQ(fresh.Option1.value, 1);
    EXPECT_EQ(fresh.Option2.value, 0);
    EXPECT_EQ(rig.app.module1.soundon, 1) << "every load switches sounds on";
}

TEST_F(WindowModel, ShownWindowsStackAndClosingReturnsToTheOpener)
{
    EXPECT_FALSE(rig.app.loaded<Titlefrm>());
    rig.app.click(menu.Label2[10]);
    EXPECT_EQ(rig.app.top(), rig.app.peek<quellmore>());
    rig.app.unload<quellmore>();
    rig.app.settle();
    EXPECT_EQ(rig.app.top(), rig.app.peek<intro0>());
    const auto visible = rig.app.visibleWindows();
    ASSERT_EQ(visible.size(), 2u);
    EXPECT_EQ(visible.front(), rig.app.peek<Grey>());
}

TEST(Setupform, OnASmallScreenTopAndLeftGoNegative)
{
    Rig rig;
    rig.screen.w = 9600;
    rig.screen.h = 7200.5f;
    intro0& menu = rig.app.form<intro0>();
    EXPECT_FLOAT_EQ(menu.left, -1200);
    EXPECT_FLOAT_EQ(menu.top, 7200.5f / 2 - 4500) << "computed in floating point, not cut to whole twips";
}

TEST(TitleScreen, StartsOverTheBackdropAndAnimatesItsTwentyFrames)
{
    Rig rig;
    rig.app.show<Titlefrm>();
    Titlefrm& title = rig.app.form<Titlefrm>();
    ASSERT_EQ(rig.app.stack().size(), 2u);
    EXPECT_EQ(rig.app.stack()[0], rig.app.peek<Grey>());
    EXPECT_EQ(rig.app.top(), &title);
    ASSERT_TRUE(title.Picture1.picture);
    EXPECT_EQ(title.Picture1.picture->source(), "rocketsm\\rocket01.jpg");
    EXPECT_TRUE(rig.timers.isRunning(title.Timer1));
    EXPECT_FLOAT_EQ(title.left, (19200 - title.width) / 2);
    // The first tick shows frame two; frames wrap after twenty.
    for (int tick = 1; tick <= 20; ++tick) {
        rig.tick(title.Timer1);
        EXPECT_EQ(title.Picture1.picture->source(), QString::asprintf("rocketsm\\rocket%02d.jpg", tick % 20 + 1));
    }
}

TEST(TitleScreen, WithoutItsFirstFrameItBecomesAPlainWindowThatStillWorks)
{
    Rig rig;
    rig.pictures.missing << "rocketsm\\rocket01.jpg";
    rig.app.show<Titlefrm>();
    Titlefrm& title = rig.app.form<Titlefrm>();
    EXPECT_EQ(title.back, kWindowBlue);
    EXPECT_EQ(title.caption, "The Oravians");
    EXPECT_EQ(title.width, 12000);
    EXPECT_FALSE(rig.timers.isRunning(title.Timer1));
    rig.app.click(title.Command1);
    EXPECT_EQ(rig.app.top(), rig.app.peek<intro0>());
}

TEST(TitleScreen, TheVeryFirstExitEndsTheProgramWithoutAClick)
{
    Rig rig;
    rig.app.show<Titlefrm>();
    rig.app.click(rig.app.form<Titlefrm>().Command2);
    EXPECT_TRUE(rig.sound.played.isEmpty()) << "sounds are unset until the menu first loads";
    EXPECT_TRUE(rig.app.ended());
    EXPECT_TRUE(rig.app.loadedWindows().empty());
}

TEST_F(ExitConfirmation, CancelReturnsToTheMenuAndKeepsTheSoundChoice)
{
    rig.app.click(menu.Option2);
    rig.sound.played.clear();
    rig.app.click(menu.Label2[16]);
    Titlefrm& title = rig.app.form<Titlefrm>();
    EXPECT_EQ(title.Command1.caption, "Cancel") << "the opener's setting wins over the title's own";
    // The backdrop comes to the front over the menu, the title over it.
    EXPECT_EQ(rig.app.visibleWindows(), (std::vector<Window*>{rig.app.peek<Grey>(), &title}));
    rig.app.click(title.Command1);
    EXPECT_EQ(rig.app.top(), &menu);
    EXPECT_EQ(rig.app.module1.soundon, 0) << "the menu was not reloaded";
    EXPECT_EQ(menu.Option2.value, 1);
    EXPECT_TRUE(rig.sound.played.isEmpty()) << "Sound Off silences the confirmation's buttons";
    rig.app.click(menu.Label2[16]);
    rig.app.click(rig.app.form<Titlefrm>().Command2);
    EXPECT_TRUE(rig.sound.played.isEmpty());
    EXPECT_TRUE(rig.app.ended());
}

TEST_F(MainMenu, TopicsWithoutContentSaySo)
{
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9, 11, 12, 15}) {
        rig.messages.shown.clear();
        app.click(menu.Label2[i]);
        ASSERT_EQ(rig.messages.shown.size(), 1u) << i;
        EXPECT_TRUE(rig.messages.shown[0].text.contains(menu.Label2[i].caption));
        EXPECT_EQ(rig.app.top(), rig.app.peek<intro0>());
    }
}

TEST_F(MainMenu, TwoEntriesStayLitUntilThePointerCrossesTheBackground)
{
    rig.app.formMouseMove(menu, 0, 0, 5, 5);
    for (int i : menu.Label2.indices())
        EXPECT_FALSE(menu.Label2[i].opaque);
    rig.app.mouseMove(menu.Label2[8], 0, 0, 10, 10);
    rig.app.mouseMove(menu.Label2[9], 0, 0, 10, 10);
    EXPECT_TRUE(menu.Label2[8].opaque);
    EXPECT_TRUE(menu.Label2[9].opaque);
    EXPECT_FALSE(menu.Label2[10].opaque);
    rig.app.formMouseMove(menu, 0, 0, 5, 5);
    EXPECT_FALSE(menu.Label2[8].opaque);
    EXPECT_FALSE(menu.Label2[9].opaque);
}

QString frameOf(const Control& c) { return c.picture ? c.picture->source() : QString(); }

// The menu shows frame one for two ticks; during the exit confirmation both
// animations advance one counter.
TEST_F(RocketAnimation, TheMenuHoldsFrameOneThenSharesOneCounterWithTheConfirmation)
{
    EXPECT_EQ(frameOf(menu.Image1), "rocketsm\\rocket01.jpg");
    rig.tick(menu.Timer1);
    EXPECT_EQ(frameOf(menu.Image1), "rocketsm\\rocket01.jpg");
    rig.tick(menu.Timer1);
    EXPECT_EQ(frameOf(menu.Image1), "rocketsm\\rocket02.jpg");
    for (int i = 0; i < 3; ++i)
        rig.tick(menu.Timer1); // frame 5
    rig.app.click(menu.Label2[16]);
    Titlefrm& title = rig.app.form<Titlefrm>();
    EXPECT_EQ(rig.app.module1.rocketframe, 1) << "the title's load restarts the counter";
    EXPECT_TRUE(rig.timers.isRunning(menu.Timer1)) << "the menu keeps animating beneath";
    rig.tick(title.Timer1);
    rig.tick(menu.Timer1);
    rig.tick(title.Timer1);
    EXPECT_EQ(frameOf(title.Picture1), "rocketsm\\rocket04.jpg");
    EXPECT_EQ(frameOf(menu.Image1), "rocketsm\\rocket03.jpg");
}

TEST(Sound, PlaysThroughTheBackdropOnlyWhileSoundsAreOn)
{
    Rig rig;
    playsound(rig.app, "wav\\click.wav");
    EXPECT_TRUE(rig.sound.played.isEmpty());
    EXPECT_FALSE(rig.app.loaded<Grey>()) << "no sound, no touch";
    rig.app.module1.soundon = 1;
    playsound(rig.app, "wav\\click.wav");
    EXPECT_TRUE(rig.app.loaded<Grey>());
    EXPECT_EQ(rig.sound.played, QStringList{kClick});
}

// A window whose first button has a programming error in its handler.
class Faulty : public Window {
public:
    explicit Faulty(App& app) : Window(app, QStringLiteral("Faulty"))
    {
        Command1.onClick = [](int) { (void)std::vector<int>{}.at(3); };
        Command2.onClick = [this](int) { ++clicks; };
    }
    Ctl Command1{this, {.kind = Kind::CommandButton, .name = "Command1", .width = 600, .height = 300}};
    Ctl Command2{this, {.kind = Kind::CommandButton, .name = "Command2", .width = 600, .height = 300}};
    int clicks = 0;
};

// An out-of-range index in a handler is logged with the window's and the
// handler's names, and the next event is handled as usual.
TEST(EventGuard, AProgrammingErrorIsLoggedAndTheNextEventStillWorks)
{
    QStringList log;
    setLogSink([&](const QString& line) { log << line; });
    Rig rig;
    Faulty& w = rig.app.show<Faulty>();
    rig.app.click(w.Command1);
    rig.app.click(w.Command2);
    setLogSink(nullptr);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("Faulty.Command1_Click")) << log[0].toStdString();
    EXPECT_EQ(w.clicks, 1);
    EXPECT_TRUE(rig.app.isShown(w));
}

} // namespace
} // namespace oravians
