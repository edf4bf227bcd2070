// A drag through the real Qt host, offscreen: real mouse events and keys, and
// a move repainting only what changed. (A real drag snapping onto its box on
// screen is the pointer activities' end-to-end test.)
#include "activities/quellmorelab.h"
#include "kernel/grey.h"
#include "platform/qt/host.h"
#include "platform/qt/qtscreen.h"
#include "platform/qt/qttimers.h"
#include "tests/support/fakes.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace oravians {
namespace {

using namespace oravians::testing;

struct HostParts {
    QtScreen realScreen;
    QtTimers realTimers;
};

// The activity shown through the host, real timers and screen, other services fakes.
struct HostRig : QObject, HostParts, Rig {
    Host host{app};
    QRegion painted;
    HostRig() : Rig({.screen = &realScreen, .timers = &realTimers})
    {
        realTimers.setDesktop(&app);
        host.setGeometry(QGuiApplication::primaryScreen()->geometry());
        host.show();
        host.installEventFilter(this);
        app.module1.soundon = 1;
        app.show<Grey>();
        app.show<quellmorelab>();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QPointF pixel(float x, float y)
    {
        return Host::clientRect(app.form<quellmorelab>()).topLeft() + QPointF(x, y) / kTwipsPerPixel * Host::scale();
    }
    QPoint centre(const Control& c) { return pixel(c.left + c.width / 2, c.top + c.height / 2).toPoint(); }
    // A real mouse event; Qt's test moves carry no button state.
    void send(QPoint to, Qt::MouseButtons held, QEvent::Type type = QEvent::MouseMove, Qt::MouseButton b = Qt::NoButton)
    {
        QMouseEvent e(type, to, host.mapToGlobal(to), b, held, {});
        QApplication::sendEvent(&host, &e);
    }
    // Polls, letting events run, until ok() holds or a generous time has passed.
    template <class F>
    static bool waitUntil(F ok)
    {
        QElapsedTimer clock;
        clock.start();
        while (!ok() && clock.elapsed() < 10000)
            QTest::qWait(20);
        return ok();
    }
};

// The right button pressed and released during a drag drops the label
// there; the left one still held keeps dragging it.
TEST(ActivityHost, ASecondButtonDuringADragKeepsTheLabel)
{
    HostRig rig;
    quellmorelab& lab = rig.app.form<quellmorelab>();
    Control& label = lab.Label2[0];
    const Control& box = lab.Label1[0];
    QTest::mousePress(&rig.host, Qt::LeftButton, {}, rig.centre(label));
    rig.send(rig.centre(box), Qt::LeftButton);
    rig.send(rig.centre(box), Qt::LeftButton | Qt::RightButton, QEvent::MouseButtonPress, Qt::RightButton);
    rig.send(rig.centre(box), Qt::LeftButton, QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(rig.sound.played.count("wav\\thud3.wav"), 1) << "the release dropped it onto the box";
    const Control& picture = lab.Image1[2];
    rig.send(rig.centre(picture), Qt::LeftButton);
    EXPECT_NEAR(label.top + label.height / 2, picture.top + picture.height / 2, 20) << "still dragged, under the picture";
}

// Tab, Space, Down and Escape from the real keyboard reach the carried label.
TEST(ActivityHost, KeysCarryALabelAndEscapePutsItBack)
{
    HostRig rig;
    Control& label = rig.app.form<quellmorelab>().Label2[0];
    rig.host.setFocus();
    QTest::keyClick(&rig.host, Qt::Key_Tab);
    QTest::keyClick(&rig.host, Qt::Key_Space);
    EXPECT_EQ(QPointF(label.left, label.top), QPointF(480, 5040)) << "carried to the first box";
    QTest::keyClick(&rig.host, Qt::Key_Down);
    EXPECT_EQ(label.top, 6600) << "the nearest frame below";
    QTest::keyClick(&rig.host, Qt::Key_Escape);
    EXPECT_EQ(QPointF(label.left, label.top), QPointF(3840, 7080));
}

TEST(ActivityHost, AMoveRepaintsTheLabelsOldAndNewPlaceOnly)
{
    HostRig rig;
    Control& label = rig.app.form<quellmorelab>().Label2[0];
    QTest::mousePress(&rig.host, Qt::LeftButton, {}, rig.centre(label));
    QTest::qWait(50);
    const QRect before = QRectF(rig.pixel(label.left, label.top), QSizeF(label.width, label.height) / 15).toAlignedRect();
    rig.painted = {};
    rig.send(rig.centre(label) + QPoint(-40, -30), Qt::LeftButton);
    const QRect after = QRectF(rig.pixel(label.left, label.top), QSizeF(label.width, label.height) / 15).toAlignedRect();
    ASSERT_TRUE(rig.waitUntil([&] { return !rig.painted.isEmpty(); }));
    const QRect allowed = (before | after).adjusted(-6, -6, 6, 6);
    EXPECT_TRUE(allowed.contains(rig.painted.boundingRect()))
        << "painted " << rig.painted.boundingRect().width() << "x" << rig.painted.boundingRect().height();
    EXPECT_TRUE((QRegion(before) - rig.painted).isEmpty()) << "the label's old place is painted over";
}

// A screen reader has a name for every label, box, start frame and button
// of an activity, the empty boxes and frames included.
TEST(ActivityHost, ScreenReadersNameEveryPartOfTheActivity)
{
    HostRig rig;
    QAccessibleInterface* screen = QAccessible::queryAccessibleInterface(&rig.host);
    ASSERT_TRUE(screen && screen->childCount() > 0);
    QAccessibleInterface* host = screen->child(screen->childCount() - 1); // the activity's dialog
    QStringList names;
    for (int k = 0; k < host->childCount(); ++k) {
        EXPECT_FALSE(host->child(k)->text(QAccessible::Name).isEmpty()) << "child " << k;
        names << host->child(k)->text(QAccessible::Name);
    }
    quellmorelab& lab = rig.app.form<quellmorelab>();
    for (const QString& part : {lab.Label2[0].caption, QStringLiteral("Box 1"), QStringLiteral("Start 1"),
                                QStringLiteral("Exit"), QStringLiteral("Start Again")})
        EXPECT_TRUE(names.contains(part)) << part.toStdString();
}

} // namespace
} // namespace oravians

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
