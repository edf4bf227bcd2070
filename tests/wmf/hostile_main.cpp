// wmf_hostile: writes the expensive metafiles of tests/wmf/hostile.cpp into a
// folder, small versions for the fuzzer's seed corpus by default.
//   wmf_hostile <folder> [divisor, default 10; 1 gives the benchmark's sizes]
#include "tests/wmf/hostile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 2) {
        std::fprintf(stderr, "usage: wmf_hostile <folder> [divisor]\n");
        return 2;
    }
    QDir().mkpath(a[1]);
    for (const auto& h : wmftest::hostileFiles(a.size() > 2 ? a[2].toInt() : 10)) {
        QFile f(QDir(a[1]).filePath(h.name + QStringLiteral(".wmf")));
        if (!f.open(QIODevice::WriteOnly) || f.write(h.bytes) != h.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return 1;
        }
        std::printf("%s %lld bytes\n", qPrintable(f.fileName()), static_cast<long long>(h.bytes.size()));
    }
    return 0;
}
