// bench_pages: how fast the program's player draws the generated pages,
// compared with libwmf's wmf2gd on the same files.
//   bench_pages <program folder> [repeats]
// For every page (screen and print versions) it times, at screen size
// (page twips / 15, about 784 x 528) and at 1200 dpi print size:
//   ours draw   - drawing an already loaded page (what the page viewer repaints),
//   ours file   - reading + parsing + drawing + writing a PNG (like for like
//                 with wmf2gd, which always reads the file and writes a PNG),
//   wmf2gd      - the wmf2gd process writing its PNG.
// It prints medians in milliseconds and the ratio wmf2gd / ours file.
#include "platform/wmf/fontmap.h"
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
        for (const QString& n : program.entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name))
            files.push_back(program.filePath(QLatin1String(folder) + QLatin1Char('/') + n));
    if (files.empty()) {
        std::fprintf(stderr, "no pages in %s/wmf: build the content first\n", qPrintable(args[1]));
        return 1;
    }

    struct Totals {
        double draw = 0, file = 0, ref = 0;
    } screen, print;

    std::printf("%-34s %10s %10s %10s %7s | %10s %10s %10s %7s\n", "page", "draw", "file", "wmf2gd", "ratio",
                "draw1200", "file1200", "wmf2gd1200", "ratio");
    for (const QString& path : files) {
        const QString label = QFileInfo(QFileInfo(path).path()).fileName() + QLatin1Char('/') + QFileInfo(path).fileName();
        auto pic = loadMetafilePicture(path, path);
        double row[2][3] = {};
        int col = 0;
        for (double dpi : {96.0, 1200.0}) {
            const QSize size = pixelsFor(*pic, dpi);
            const int reps = dpi > 100 ? std::max(1, repeats / 3) : repeats;
            const QString out = tmp.filePath(QStringLiteral("ours.png"));
            row[col][0] = timeIt(reps, [&] { draw(*pic, size); });
            row[col][1] = timeIt(reps, [&] {
                auto p = loadMetafilePicture(path, path);
                draw(*p, size).save(out, "PNG");
            });
            if (!wmf2gd.isEmpty()) {
                row[col][2] = timeIt(reps, [&] {
                    QProcess proc;
                    proc.start(wmf2gd, {QStringLiteral("--maxwidth=%1").arg(size.width()),
                                        QStringLiteral("--maxheight=%1").arg(size.height()), QStringLiteral("--maxpect"),
                                        QStringLiteral("-o"), tmp.filePath(QStringLiteral("ref.png")), path});
                    proc.waitForFinished(600000);
                });
            }
            ++col;
        }
        std::printf("%-34s %10.2f %10.2f %10.2f %7.1f | %10.1f %10.1f %10.1f %7.1f\n", qPrintable(label), row[0][0], row[0][1],
                    row[0][2], row[0][1] > 0 ? row[0][2] / row[0][1] : 0, row[1][0], row[1][1], row[1][2],
                    row[1][1] > 0 ? row[1][2] / row[1][1] : 0);
        std::fflush(stdout);
        screen.draw += row[0][0];
        screen.file += row[0][1];
        screen.ref += row[0][2];
        print.draw += row[1][0];
        print.file += row[1][1];
        print.ref += row[1][2];
    }
    std::printf("%-34s %10.2f %10.2f %10.2f %7.1f | %10.1f %10.1f %10.1f %7.1f\n", "TOTAL", screen.draw, screen.file,
                screen.ref, screen.file > 0 ? screen.ref / screen.file : 0, print.draw, print.file, print.ref,
                print.file > 0 ? print.ref / print.file : 0);

    // Opening the page viewer: read and parse one page, draw it at 800 x 600.
    const QString first = files.front();
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
