// The drag-and-drop activities over fakes: what the pupil sees (positions,
// the "Check Score" button, the score window) and hears.
#include "activities/inventionslab.h"
#include "activities/quellmorelab.h"
#include "activities/quellmoreord.h"
#include "quiz/welldone.h"
#include "tests/support/fakes.h"
#include "topics/inventions.h"
#include "topics/quellmore.h"

#include <gtest/gtest.h>

namespace oravians::testing {
namespace {

const QString kThud = QStringLiteral("wav\\thud3.wav");

template <class W>
struct Activity {
    Rig rig;
    App& app = rig.app;
    W& w;
    Activity() : w(app.form<W>())
    {
        app.module1.soundon = 1;
        app.show<W>();
    }
    Control& label(int i) { return w.Label2[i]; }
    // A pointer drag: the label's centre follows the pointer to (x, y), then the release.
    void drag(int i, float x, float y)
    {
        Control& l = label(i);
        app.mouseMove(l, kLeftButton, 0, x - l.left, y - l.top);
        app.mouseUp(l, kLeftButton, 0, x - l.left, y - l.top);
    }
    // Onto target box j, by the pointer at its middle.
    void onto(int i, int j) { drag(i, w.Label1[j].left + w.Label1[j].width / 2, w.Label1[j].top + w.Label1[j].height / 2); }
    void placeAt(int i, float left, float top)
    {
        label(i).left = left;
        label(i).top = top;
        app.mouseUp(label(i), kLeftButton, 0, 0, 0);
    }
    QPointF at(int i) { return {label(i).left, label(i).top}; }
    bool checkShown() { return w.Label3[2].visible; }
    QString scoreShown()
    {
        app.click(w.Label3[2]);
        return app.loaded<Welldone>() ? app.form<Welldone>().Label1.caption : QString();
    }
    int thuds() { return int(rig.sound.played.count(kThud)); }
};

TEST(Activities, TopicPagesOpenThemUnderTheirTitleLoadedFromTheirDesign)
{
    Rig rig;
    rig.app.show<quellmore>();
    rig.app.click(rig.app.form<quellmore>().Label3[1]);
    quellmorelab& lab = rig.app.form<quellmorelab>();
    EXPECT_EQ(rig.app.top(), &lab);
    EXPECT_EQ(lab.Label6.caption, "Edmund Quellmore");
    EXPECT_EQ(rig.pictures.loads.last(), activitytexts::kBookPictures[3]);
    EXPECT_EQ(lab.controls().front(), &lab.Label2[3]) << "dragged labels pass beneath everything";

    rig.app.click(rig.app.form<quellmore>().Label3[3]);
    EXPECT_EQ(rig.app.top(), rig.app.peek<quellmoreord>());
    EXPECT_TRUE(rig.app.isShown(rig.app.form<quellmore>())) << "over the topic page";
    EXPECT_EQ(rig.app.form<quellmoreord>().Label6.caption, "Edmund Quellmore");
    rig.app.show<inventions>();
    rig.app.click(rig.app.form<inventions>().Label3[1]);
    EXPECT_EQ(rig.app.top(), rig.app.peek<inventionslab>());
    EXPECT_EQ(rig.app.form<inventionslab>().Label6.caption, "Oravian Inventions");
}

struct Boundary {
    const char* name;
    float left, top; // relative to target box 0 at (480, 5040), 2805 x 375
    bool snaps;
};

class DropZone : public ::testing::TestWithParam<Boundary> {};

TEST_P(DropZone, SnapsOnlyStrictlyInside)
{
    Activity<quellmorelab> a;
    const Boundary b = GetParam();
    a.placeAt(0, 480 + b.left, 5040 + b.top);
    EXPECT_EQ(a.at(0), b.snaps ? QPointF(480, 5040) : QPointF(480 + b.left, 5040 + b.top));
    EXPECT_EQ(a.thuds(), b.snaps ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Activities, DropZone,
    ::testing::Values(Boundary{"OnRightEdge", 2805, 0, false}, Boundary{"OnLeftLimit", -1402.5f, 0, false},
                      Boundary{"OnTopLimit", 0, -187.5f, false}, Boundary{"OnBottomEdge", 0, 375, false},
                      Boundary{"JustInsideRight", 2804.9f, 374.9f, true},
                      Boundary{"JustInsideLeft", -1402.4f, -187.4f, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A move with both buttons held drags nothing; a release without moving, of
// any button, snaps again with a thud; the left button alone drags, the
// label's centre following the pointer.
TEST(Activities, OnlyTheLeftButtonAloneDragsAndAnyReleaseSnaps)
{
    Activity<quellmorelab> a;
    a.app.mouseMove(a.label(0), kLeftButton | kRightButton, 0, 500, 500);
    EXPECT_EQ(a.at(0), QPointF(3840, 7080));
    a.app.mouseUp(a.label(0), kLeftButton, 0, 10, 10);
    a.app.mouseUp(a.label(0), kRightButton, 0, 10, 10);
    EXPECT_EQ(a.at(0), QPointF(3840, 7080));
    EXPECT_EQ(a.thuds(), 2);
    a.app.mouseMove(a.label(0), kLeftButton, 0, 500, 500);
    EXPECT_EQ(a.at(0), QPointF(3840 + 500 - 1402.5f, 7080 + 500 - 187.5f));
}

TEST(Activities, OverlappingZonesSnapInTurnWithAThudEach)
{
    Activity<quellmoreord> a;
    // Target box 0 moved to overlap start frame 0 just below it.
    a.w.Label1[0].left = 1200;
    a.w.Label1[0].top = 2300;
    a.placeAt(3, 1250, 2350);
    EXPECT_EQ(a.at(3), QPointF(1200, 2040)) << "the last zone in order that still holds";
    EXPECT_EQ(a.thuds(), 2);
}

TEST(Activities, AdjacentStartFramesOverlapAndTheLowerIndexWins)
{
    Activity<quellmoreord> a;
    a.placeAt(3, 1200, 2500); // inside the zones of frames 0 (at 2040) and 1 (at 2760)
    EXPECT_EQ(a.at(3), QPointF(1200, 2040));
    EXPECT_EQ(a.thuds(), 1);
    a.app.click(a.w.Label3[1]);
    EXPECT_EQ(a.at(3), QPointF(1200, 5640)) << "Start Again: back to its own frame";
}

TEST(Activities, TwoLabelsOnOneBoxShowCheckScoreWithABoxEmpty)
{
    Activity<quellmorelab> a;
    for (auto [label, box] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{2, 2}})
        a.onto(label, box);
    EXPECT_FALSE(a.checkShown());
    a.onto(3, 3);
    EXPECT_TRUE(a.checkShown());
    EXPECT_EQ(a.scoreShown(), "Good work. You have scored 3 out of 4.") << "label 1 on box 0 scores nothing";
}

TEST(Activities, CheckScoreSurvivesDraggingOffUntilStartAgain)
{
    Activity<quellmorelab> a;
    for (int i = 0; i < 4; ++i)
        a.onto(i, i);
    a.drag(2, 6000, 2000);
    EXPECT_TRUE(a.checkShown());
    a.app.click(a.w.Label3[1]);
    EXPECT_FALSE(a.checkShown());
    EXPECT_EQ(a.at(2), QPointF(3840, 6600));
}

TEST(Activities, EveryButtonSetsScoreToZeroAndClicks)
{
    for (int button : {1, 0}) {
        Activity<quellmorelab> a;
        a.app.module1.score = 7;
        a.app.click(a.w.Label3[button]);
        EXPECT_EQ(a.app.module1.score, 0);
        EXPECT_EQ(a.rig.sound.played, QStringList{"wav\\click.wav"});
        EXPECT_EQ(a.app.loaded<quellmorelab>(), button == 1);
    }
}

TEST(Activities, InventorsPairIsInterchangeable)
{
    Activity<inventionslab> a;
    for (auto [label, box] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 3}, std::pair{3, 2}})
        a.onto(label, box);
    EXPECT_EQ(a.scoreShown(), "Excellent work. You have scored 4 out of 4.");

    Activity<inventionslab> both;
    for (auto [label, box] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 2}, std::pair{3, 2}})
        both.onto(label, box);
    EXPECT_TRUE(both.checkShown());
    EXPECT_EQ(both.scoreShown(), "Good work. You have scored 2 out of 4.");
}

// Tab to each label, Space, Tab along boxes and frames (target box 0, start
// frame 0, target box 1, ...), Space; then Tab to "Check Score" and Space.
TEST(Activities, TheKeyboardPathScoresAsThePointerDoes)
{
    const int boxOf[6] = {0, 1, 3, 2, 4, 5}; // two events swapped
    Activity<quellmoreord> keys;
    App& app = keys.app;
    app.keyDown(kKeyTab, 0);
    app.type(" ");
    app.keyDown(kKeyDown, 0);
    EXPECT_EQ(keys.label(0).back, kYellow) << "carried, drawn in its colours swapped";
    app.keyDown(kKeyEscape, 0);
    EXPECT_EQ(keys.at(0), QPointF(1200, 2040)) << "Escape puts it back";
    EXPECT_EQ(keys.label(0).back, kBlack);
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(app.form<quellmoreord>().focus(), &keys.label(i));
        app.type(" ");
        for (int t = 0; t < 2 * boxOf[i]; ++t)
            app.keyDown(kKeyTab, 0);
        app.type(" ");
        app.keyDown(kKeyTab, 0);
    }
    EXPECT_EQ(keys.thuds(), 6);
    ASSERT_TRUE(keys.checkShown());
    app.keyDown(kKeyTab, 0); // past "Start Again"
    app.type(" ");
    ASSERT_TRUE(app.loaded<Welldone>());
    EXPECT_EQ(app.form<Welldone>().Label1.caption, "Good work. You have scored 4 out of 6.");
}

TEST(Activities, ArrowsCarryALabelToTheNearestZoneThatWay)
{
    Activity<quellmoreord> a;
    a.app.keyDown(kKeyTab, 0);
    a.app.type(" "); // carried to target box 0, at 8400, 2880
    a.app.keyDown(kKeyUp, 0);
    EXPECT_EQ(a.at(0), QPointF(8400, 1680));
    a.app.keyDown(kKeyLeft, 0);
    EXPECT_EQ(a.at(0), QPointF(1200, 2040)) << "the nearest start frame to the left";
}

} // namespace
} // namespace oravians::testing
