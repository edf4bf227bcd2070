// bench_worksheets: how long the worksheet wizard and the worksheet catalogue
// take to come up with 1000 registered titles: the window's load (reading
// the register from disk, for the catalogue) and its first paint, offscreen
// at the program's screen size. Target: under 16 ms each (one frame).
//   bench_worksheets [program folder, for its fonts] [repeats]
#include "kernel/app.h"
#include "platform/contentfiles.h"
#include "platform/fontmap.h"
#include "platform/qt/host.h"
#include "platform/qt/windowpainter.h"
#include "quiz/questionfile.h"
#include "tests/support/fakes.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace oravians;
using namespace oravians::testing;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The real content files under folder, fakes for everything else.
struct BenchRig {
    explicit BenchRig(const QString& folder) : files(folder) {}
    FakeSound sound;
    FakePrinter printer;
    FakeMessages messages;
    FakeScreen screen;
    FakeTimers timers;
    FakePictures pictures;
    FakeRandom random;
    FakeMeasure measure;
    FakeClipboard clipboard;
    ContentFiles files;
    App app{Services{&sound, &printer, &messages, &screen, &timers, &pictures, &random, &measure, &clipboard, &files}};
};

// Loads the window and paints it once, as the screen first shows it.
template <class W>
double openAndPaint(const QString& folder)
{
    BenchRig rig(folder);
    QImage image(800, 600, QImage::Format_RGB32);
    QElapsedTimer timer;
    timer.start();
    W& w = rig.app.template show<W>();
    QPainter p(&image);
    p.scale(1.0 / 15, 1.0 / 15); // 15 twips a pixel
    paintWindow(p, w, true);
    p.end();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 1)
        addProgramFonts(QString::fromLocal8Bit(argv[1]));
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 30;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("multiple"));
    QStringList lines{QStringLiteral(" 1000 ")};
    for (int i = 1; i <= 1000; ++i)
        lines << QStringLiteral("Worksheet number %1").arg(i);
    ContentFiles(dir.path()).replace(QStringLiteral("multiple\\track.txt"), encodeLines(lines));

    const std::vector<std::pair<const char*, std::function<double()>>> cases = {
        {"wizard", [&] { return openAndPaint<wizard>(dir.path()); }},
        {"catalogue", [&] { return openAndPaint<worksheets>(dir.path()); }},
    };
    std::printf("%-10s %10s %10s  (ms, %d runs, 1000 titles; target < 16)\n", "window", "median", "worst", repeats);
    for (const auto& [name, run] : cases) {
        run(); // fonts and caches warm, as after the program's start
        std::vector<double> t;
        for (int i = 0; i < repeats; ++i)
            t.push_back(run());
        std::printf("%-10s %10.2f %10.2f\n", name, median(t), *std::max_element(t.begin(), t.end()));
    }
    return 0;
}
