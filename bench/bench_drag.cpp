// bench_drag: one pointer move during a drag, from the mouse event to the
// painted frame, on a 1280 x 1024 offscreen screen; the labelling activity
// with the program's pictures when a program folder is given.
//   bench_drag [program folder] [moves]
// Prints the median and 90th percentile in milliseconds and how much of the
// screen a move repainted, then the same with the whole screen repainted
// after every move, for comparison.
#include "activities/quellmorelab.h"
#include "kernel/grey.h"
#include "platform/pictures/rasterpicture.h"
#include "platform/fontmap.h"
#include "platform/qt/host.h"
#include "platform/qt/qtscreen.h"
#include "platform/qt/qttimers.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace oravians;
using namespace oravians::testing;

namespace {

struct PaintWatch : QObject {
    QRegion region;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(e)->region();
            ++paints;
        }
        return false;
    }
};

struct Result {
    double median, p90, share;
};

Result run(Host& host, quellmorelab& lab, int moves, bool whole)
{
    PaintWatch watch;
    host.installEventFilter(&watch);
    const QRectF client = Host::clientRect(lab);
    const float s = Host::scale();
    const auto at = [&](float x, float y) { return (client.topLeft() + QPointF(x, y) / kTwipsPerPixel * s).toPoint(); };
    Control& label = lab.Label2[0];
    const QPoint start = at(label.left + label.width / 2, label.top + label.height / 2);
    QMouseEvent press(QEvent::MouseButtonPress, start, host.mapToGlobal(start), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&host, &press);
    QApplication::processEvents();
    std::vector<double> times;
    double area = 0;
    for (int i = 0; i < moves; ++i) {
        // Round and round the middle of the window.
        const double angle = i * 0.05;
        const QPoint to = at(6000 + 3000 * float(std::cos(angle)), 4500 + 2500 * float(std::sin(angle)));
        watch.region = {};
        watch.paints = 0;
        QElapsedTimer timer;
        timer.start();
        QMouseEvent move(QEvent::MouseMove, to, host.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&host, &move);
        if (whole)
            host.update();
        while (watch.paints == 0)
            QApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (const QRect& r : watch.region)
            area += double(r.width()) * r.height();
    }
    QMouseEvent release(QEvent::MouseButtonRelease, start, host.mapToGlobal(start), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(&host, &release);
    QApplication::processEvents();
    host.removeEventFilter(&watch);
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 9 / 10],
            area / moves / (double(host.width()) * host.height())};
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    QFile config(dir.filePath("screen.json"));
    config.open(QIODevice::WriteOnly);
    config.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1280, "height": 1024,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    QApplication qapp(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int moves = argc > 2 ? std::max(10, atoi(argv[2])) : 400;
    if (!folder.isEmpty())
        addProgramFonts(folder);

    FakeSound sound;
    FakePrinter printer;
    FakeMessages messages;
    QtScreen screen;
    QtTimers timers;
    FakePictures fake;
    ContentPictures content{folder};
    FakeRandom random;
    FakeMeasure measure;
    FakeFiles files;
    App app{Services{&sound, &printer, &messages, &screen, &timers,
                     folder.isEmpty() ? static_cast<PictureLoader*>(&fake) : &content, &random, &measure, nullptr,
                     &files}};
    timers.setDesktop(&app);
    Host host{app};
    host.setGeometry(QGuiApplication::primaryScreen()->geometry());
    host.show();
    app.show<Grey>();
    quellmorelab& lab = app.show<quellmorelab>();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    std::printf("screen %dx%d, %s pictures, %d moves\n", host.width(), host.height(),
                folder.isEmpty() ? "no" : "the program's", moves);
    for (const bool whole : {false, true}) {
        const Result r = run(host, lab, moves, whole);
        std::printf("%-26s median %.3f ms, 90%% %.3f ms, %.1f%% of the screen painted a move\n",
                    whole ? "whole screen every move:" : "what changed:", r.median, r.p90, 100 * r.share);
    }
    std::printf("target: median under 2 ms\n");
    return 0;
}
