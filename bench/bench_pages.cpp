// bench_pages: how fast the program's player draws the generated pages,
// compared with libwmf's wmf2gd on the same files.
//   bench_pages <program folder> [repeats]
// For every page (screen and print versions) it times, at screen size
// (page twips / 15, about 784 x 528) and at 1200 dpi print size:
//   draw   - drawing an already loaded page (what the page viewer repaints),
//   load   - reading + parsing + drawing (opening a page),
//   +png   - reading + parsing + drawing + writing a PNG, like for like with
//            wmf2gd, which always reads the file and writes a PNG,
//   wmf2gd - the wmf2gd process writing its PNG.
// It prints medians in milliseconds and the ratios wmf2gd / load and
// wmf2gd / +png (PNG compression takes most of the time at 1200 dpi, for
// both programs).
#include "platform/fontmap.h"
#include "platform/wmf/metafilepicture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace oravians;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timeIt(int repeats, const std::function<void()>& fn)
{
    std::vector<double> t;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(t);
}

QSize pixelsFor(const Picture& pic, double dpi)
{
    const QSizeF s = pic.sizeTwips() / 1440.0 * dpi;
    return QSize(qRound(s.width()), qRound(s.height()));
}

QImage draw(const Picture& pic, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    pic.draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerBundledFonts();
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_pages <program folder> [repeats]\n");
        return 2;
    }
    const QDir program(args[1]);
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    const QString wmf2gd = QStandardPaths::findExecutable(QStringLiteral("wmf2gd"));
    QTemporaryDir tmp;

    std::vector<QString> files;
    for (const char* folder : {"wmf", "wmf2"})
        for (const QString& n : QDir(program.filePath(QLatin1String(folder))).entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name))
            files.push_back(program.filePath(QLatin1String(folder) + QLatin1Char('/') + n));
    if (files.empty()) {
        std::fprintf(stderr, "no pages in %s/wmf: build the content first\n", qPrintable(args[1]));
        return 1;
    }

    double totals[2][4] = {};
    std::printf("%-28s %7s %7s %7s %7s %6s %6s | %8s %8s %8s %8s %6s %6s\n", "page (ms)", "draw", "load", "+png", "wmf2gd",
                "r.load", "r.png", "draw1200", "load1200", "+png1200", "wmf2gd", "r.load", "r.png");
    for (const QString& path : files) {
        const QString label = QFileInfo(QFileInfo(path).path()).fileName() + QLatin1Char('/') + QFileInfo(path).fileName();
        auto pic = loadMetafilePicture(path, path);
        double row[2][4] = {};
        int col = 0;
        for (double dpi : {96.0, 1200.0}) {
            const QSize size = pixelsFor(*pic, dpi);
            const int reps = dpi > 100 ? std::max(1, repeats / 3) : repeats;
            const QString out = tmp.filePath(QStringLiteral("ours.png"));
            row[col][0] = timeIt(reps, [&] { draw(*pic, size); });
            row[col][1] = timeIt(reps, [&] {
                auto p = loadMetafilePicture(path, path);
                draw(*p, size);
            });
            row[col][2] = timeIt(reps, [&] {
                auto p = loadMetafilePicture(path, path);
                draw(*p, size).save(out, "PNG");
            });
            if (!wmf2gd.isEmpty()) {
                row[col][3] = timeIt(reps, [&] {
                    QProcess proc;
                    proc.start(wmf2gd, {QStringLiteral("--maxwidth=%1").arg(size.width()),
                                        QStringLiteral("--maxheight=%1").arg(size.height()), QStringLiteral("--maxpect"),
                                        QStringLiteral("-o"), tmp.filePath(QStringLiteral("ref.png")), path});
                    proc.waitForFinished(600000);
                });
            }
            ++col;
        }
        auto line = [](const QString& name, const double r[2][4]) {
            std::printf("%-28s %7.2f %7.2f %7.2f %7.2f %6.1f %6.1f | %8.1f %8.1f %8.1f %8.1f %6.1f %6.1f\n", qPrintable(name),
                        r[0][0], r[0][1], r[0][2], r[0][3], r[0][3] / std::max(1e-9, r[0][1]), r[0][3] / std::max(1e-9, r[0][2]),
                        r[1][0], r[1][1], r[1][2], r[1][3], r[1][3] / std::max(1e-9, r[1][1]), r[1][3] / std::max(1e-9, r[1][2]));
            std::fflush(stdout);
        };
        line(label, row);
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 4; ++b)
                totals[a][b] += row[a][b];
    }
    auto total = [&]() {
        std::printf("%-28s %7.2f %7.2f %7.2f %7.2f %6.1f %6.1f | %8.1f %8.1f %8.1f %8.1f %6.1f %6.1f\n", "TOTAL", totals[0][0],
                    totals[0][1], totals[0][2], totals[0][3], totals[0][3] / std::max(1e-9, totals[0][1]),
                    totals[0][3] / std::max(1e-9, totals[0][2]), totals[1][0], totals[1][1], totals[1][2], totals[1][3],
                    totals[1][3] / std::max(1e-9, totals[1][1]), totals[1][3] / std::max(1e-9, totals[1][2]));
    };
    total();

    // Opening the page viewer: read and parse the largest screen page, draw it at 800 x 600.
    QString first = files.front();
    for (const QString& f : files)
        if (f.contains(QLatin1String("/wmf/")) && QFileInfo(f).size() > QFileInfo(first).size())
            first = f;
    const double open = timeIt(std::max(20, repeats * 4), [&] {
        auto p = loadMetafilePicture(first, first);
        QImage img(800, 600, QImage::Format_RGB32);
        img.fill(QColor(0, 78, 152));
        QPainter painter(&img);
        const QSizeF px = p->sizeTwips() / 15.0;
        p->draw(painter, QRectF(QPointF(8, 0), px));
    });
    std::printf("\nparse + draw of %s in an 800 x 600 window: %.2f ms (median; target < 16 ms)\n",
                qPrintable(QFileInfo(first).fileName()), open);
    if (wmf2gd.isEmpty())
        std::printf("wmf2gd not found (Debian libwmf-bin): no comparison\n");
    return 0;
}
