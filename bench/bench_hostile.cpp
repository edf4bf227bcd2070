// bench_hostile: what the metafile player spends on files built to be
// expensive (tests/wmf/hostile.cpp), each opened and drawn once at 800 x 600
// as the page viewer would.
//   bench_hostile [seconds allowed per file, default 120] [part of the file names to run]
// Every file runs in a child process of its own so that its peak memory is
// its own: the table gives load + draw time and the growth of peak resident
// memory over the child's state before it (Qt and fonts already loaded).
// The budget the player promises: under 1 s and 256 MB for any file up to 1 MB.
#include "platform/fontmap.h"
#include "platform/log.h"
#include "platform/wmf/metafilepicture.h"
#include "tests/wmf/hostile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace oravians;

namespace {

long procStatusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

void loadAndDraw(const QString& path)
{
    auto pic = loadMetafilePicture(path, path);
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(QColor(0, 78, 152));
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, 800, 600));
}

// The child: warm up on a small page of text, then measure one file.
int runOne(const QString& path, const QString& warmup)
{
    loadAndDraw(warmup);
    int budgets = 0;
    setLogSink([&](const QString& line) {
        ++budgets;
        std::fprintf(stderr, "%s\n", qPrintable(line));
    });
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // resets the peak resident size
    }
    const long before = procStatusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    loadAndDraw(path);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const long peak = procStatusKb("VmHWM:");
    std::printf("%.1f %ld %d\n", ms, (peak - before) / 1024, budgets);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerBundledFonts();
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--one"))
        return runOne(args[2], args[3]);
    const int allowed = args.size() > 1 ? std::max(1, args[1].toInt()) : 120;

    QTemporaryDir tmp;
    const QString warmup = tmp.filePath(QStringLiteral("warmup.wmf"));
    {
        QFile f(warmup);
        f.open(QIODevice::WriteOnly);
        for (const auto& h : wmftest::hostileFiles(100))
            if (h.name == QLatin1String("hostile-fonts"))
                f.write(h.bytes); // a few lines of text
    }
    std::printf("%-26s %-54s %9s %10s %9s %7s\n", "file", "what", "size KB", "load+draw", "peak MB", "logged");
    const QString only = args.size() > 2 ? args[2] : QString();
    for (const auto& h : wmftest::hostileFiles()) {
        if (!h.name.contains(only))
            continue;
        const QString path = tmp.filePath(h.name + QStringLiteral(".wmf"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(h.bytes);
        f.close();
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--one"), path, warmup});
        QString time = QStringLiteral("> %1 s").arg(allowed), peak = QStringLiteral("?"), logged = QStringLiteral("?");
        if (child.waitForFinished(allowed * 1000)) {
            const QStringList out = QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char(' '));
            if (out.size() == 3) {
                time = QString::number(out[0].toDouble(), 'f', 1) + QStringLiteral(" ms");
                peak = out[1];
                logged = out[2].trimmed();
            } else
                time = QStringLiteral("failed");
        } else {
            child.kill();
            child.waitForFinished();
        }
        std::printf("%-26s %-54s %9.1f %10s %9s %7s\n", qPrintable(h.name), qPrintable(h.what), h.bytes.size() / 1024.0,
                    qPrintable(time), qPrintable(peak), qPrintable(logged));
        std::fflush(stdout);
    }
    return 0;
}
