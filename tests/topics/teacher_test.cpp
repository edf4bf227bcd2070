#include "topicstest.h"

namespace oravians::testing {
namespace {

// The page viewer as the inventions topic opens it for its key facts.
struct PageViewerTest : MenuFixture {
    teacher& openKeyFacts()
    {
        clickMenu(8);
        app.click(app.form<inventions>().Label3[4]);
        return app.form<teacher>();
    }
    Control& next() { return app.form<teacher>().Label3[2]; }
    Control& previous() { return app.form<teacher>().Label3[3]; }
};

TEST_F(PageViewerTest, PagesForwardToTheLastPageAndBackToTheFirst)
{
    teacher& viewer = openKeyFacts();
    EXPECT_FALSE(previous().enabled);
    EXPECT_TRUE(next().enabled);
    EXPECT_TRUE(viewer.Label1.visible);

    rig.sound.played.clear();
    app.click(next());
    EXPECT_EQ(viewer.Label1.caption, "Page 2 of 3");
    EXPECT_TRUE(previous().enabled);
    app.click(next());
    EXPECT_EQ(viewer.Label1.caption, "Page 3 of 3");
    EXPECT_FALSE(next().enabled);
    EXPECT_TRUE(previous().enabled);
    EXPECT_EQ(pictureOf(viewer.Image1), "wmf\\key inventionsc.wmf");
    EXPECT_EQ(pictureOf(viewer.Image2), "wmf2\\key inventionsc.wmf");

    app.click(next()); // disabled: nothing happens
    EXPECT_EQ(app.module1.pageno, 3);

    app.click(previous());
    EXPECT_EQ(viewer.Label1.caption, "Page 2 of 3");
    EXPECT_TRUE(next().enabled);
    app.click(previous());
    EXPECT_EQ(viewer.Label1.caption, "Page 1 of 3");
    EXPECT_FALSE(previous().enabled);
    EXPECT_TRUE(next().enabled);
    EXPECT_EQ(pictureOf(viewer.Image1), "wmf\\key inventionsa.wmf");
    EXPECT_EQ(pictureOf(viewer.Image2), "wmf2\\key inventionsa.wmf");
    EXPECT_TRUE(rig.sound.played.isEmpty()) << "the viewer plays no sound";

    // Exit returns to the topic page; opened again, the viewer starts on page one.
    app.click(next());
    app.click(app.form<teacher>().Label3[1]);
    EXPECT_FALSE(app.loaded<teacher>());
    EXPECT_EQ(app.top(), app.peek<inventions>());
    app.click(app.form<inventions>().Label3[4]);
    EXPECT_EQ(app.form<teacher>().Label1.caption, "Page 1 of 3");
}

TEST_F(PageViewerTest, MissingScreenPageIsNamedOnThePageAndPagingWorks)
{
    rig.pictures.missing.insert("wmf\\key inventionsb.wmf");
    teacher& viewer = openKeyFacts();
    EXPECT_FALSE(viewer.Label2.visible);
    app.click(next());
    EXPECT_EQ(viewer.Image1.picture, nullptr);
    EXPECT_EQ(viewer.Label1.caption, "Page 2 of 3");
    EXPECT_TRUE(viewer.Label2.visible);
    EXPECT_EQ(viewer.Label2.caption, "The page wmf\\key inventionsb.wmf could not be found.");
    app.click(next());
    EXPECT_EQ(pictureOf(viewer.Image1), "wmf\\key inventionsc.wmf");
    EXPECT_FALSE(viewer.Label2.visible);
}

// The acknowledgments page, opened from the main menu.
using AcknowledgmentsTest = MenuFixture;

TEST_F(AcknowledgmentsTest, ShowsThePageWithoutPagingAndPrintsItsPaperVersion)
{
    clickMenu(19);
    ASSERT_EQ(app.top(), app.peek<teacher>());
    teacher& viewer = app.form<teacher>();
    EXPECT_FALSE(viewer.Label1.visible);
    EXPECT_FALSE(viewer.Label3[2].visible);
    EXPECT_FALSE(viewer.Label3[3].visible);
    EXPECT_TRUE(viewer.Label3[0].visible);
    EXPECT_TRUE(viewer.Label3[1].visible);
    EXPECT_EQ(pictureOf(viewer.Image1), "wmf\\acknowledgments.wmf");
    EXPECT_EQ(pictureOf(viewer.Image2), "wmf2\\acknowledgments.wmf");
    EXPECT_EQ(pictureOf(viewer.Picture2), "logo\\lumbrook2.bmp");
    app.click(viewer.Label3[0]);
    rig.tick(viewer.Timer2);
    EXPECT_EQ(rig.printer.ops, (QStringList{"print||nl", "picture|wmf2\\acknowledgments.wmf|1000,1000", "end"}));
}

TEST_F(AcknowledgmentsTest, LogoAppearsAtTheFirstTickAndCarriesOnNextTime)
{
    clickMenu(19);
    rig.tick(app.form<teacher>().Timer1);
    EXPECT_EQ(pictureOf(app.form<teacher>().Picture1), "logo\\lumb0001.gif");
    EXPECT_TRUE(app.form<teacher>().Picture1.visible);
    EXPECT_TRUE(app.form<teacher>().Picture2.visible);
    QStringList seen;
    for (int i = 0; i < 20; ++i) {
        rig.tick(app.form<teacher>().Timer1);
        seen << pictureOf(app.form<teacher>().Picture1);
    }
    EXPECT_EQ(seen[8], "logo\\lumb0010.gif");
    EXPECT_EQ(seen[17], "logo\\lumb0019.gif");
    EXPECT_EQ(seen[18], "logo\\lumb0000.gif"); // twenty frames, then round again
    EXPECT_EQ(seen[19], "logo\\lumb0001.gif");

    const auto runningBefore = rig.timers.running.size();
    app.click(app.form<teacher>().Label3[1]);
    EXPECT_FALSE(app.loaded<teacher>());
    EXPECT_EQ(rig.timers.running.size(), runningBefore - 1) << "the logo stops with its window";

    clickMenu(19);
    EXPECT_FALSE(app.form<teacher>().Picture1.visible) << "a new showing starts with the logo hidden";
    rig.tick(app.form<teacher>().Timer1);
    EXPECT_EQ(pictureOf(app.form<teacher>().Picture1), "logo\\lumb0002.gif");
}

} // namespace
} // namespace oravians::testing
