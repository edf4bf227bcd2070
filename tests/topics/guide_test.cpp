#include "topicstest.h"

namespace oravians::testing {
namespace {

struct GuideTest : MenuFixture {
    guide& openGuide()
    {
        clickMenu(20);
        return app.form<guide>();
    }
    Control& next() { return app.form<guide>().Label3[2]; }
    Control& previous() { return app.form<guide>().Label3[3]; }
};

// Neither the page viewer's page nor the guide's own last showing carries over.
TEST_F(GuideTest, OpeningStartsOnPageOneWhateverWasShownBefore)
{
    clickMenu(8);
    app.click(app.form<inventions>().Label3[5]);
    app.click(app.form<teacher>().Label3[2]);
    app.click(app.form<teacher>().Label3[2]);
    ASSERT_EQ(app.module1.pageno, 3);
    app.click(app.form<teacher>().Label3[1]);
    app.click(app.form<inventions>().Label3[2]);
    for (int showing = 1; showing <= 2; ++showing) {
        guide& g = openGuide();
        EXPECT_EQ(g.Label1.caption, "Page 1 of 5") << "showing " << showing;
        EXPECT_EQ(pictureOf(g.Image1), "wmf\\guide1.wmf");
        EXPECT_FALSE(previous().enabled);
        for (int page = 2; page <= 5; ++page)
            app.click(next());
        EXPECT_EQ(g.Label1.caption, "Page 5 of 5");
        EXPECT_FALSE(next().enabled);
        app.click(g.Label3[1]);
        EXPECT_FALSE(app.loaded<guide>());
        EXPECT_EQ(app.top(), app.peek<intro0>());
    }
}

TEST_F(GuideTest, BackgroundClearsTheButtonsButButtonsNeverLightUp)
{
    guide& g = openGuide();
    app.formMouseMove(g, 0, 0, 100, 100);
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(g.Label3[i].opaque) << "button " << i;
    app.mouseMove(g.Label3[0], 0, 0, 10, 10);
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(g.Label3[i].opaque) << "button " << i;
}

} // namespace
} // namespace oravians::testing
