// genpages: turns page sources into the screen (wmf/) and print (wmf2/)
// metafiles of the program folder.
//   genpages <program folder> <source.page>...
#include "platform/fontmap.h"
#include "tools/genpages/pagegen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

using namespace oravians;
using namespace oravians::pages;

int main(int argc, char** argv)
{
    // Text is measured with the real fonts, which needs a GUI application;
    // the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerBundledFonts();
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: genpages <program folder> <source.page>...\n");
        return 2;
    }
    const QDir program(args[0]);
    int failures = 0;
    for (const QString& sourcePath : args.mid(1)) {
        const QString pageName = QFileInfo(sourcePath).fileName();
        QFile in(sourcePath);
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "genpages: %s: cannot read the page source\n", qPrintable(sourcePath));
            ++failures;
            continue;
        }
        PageSource page;
        QString error;
        if (!parsePage(QString::fromUtf8(in.readAll()), &page, &error)) {
            std::fprintf(stderr, "genpages: page %s: %s\n", qPrintable(pageName), qPrintable(error));
            ++failures;
            continue;
        }
        const QString name = outputName(pageName);
        for (auto [version, folder] : {std::pair{Version::Screen, "wmf"}, std::pair{Version::Print, "wmf2"}}) {
            QByteArray bytes;
            if (!buildPage(page, name, version, &bytes, &error)) {
                std::fprintf(stderr, "genpages: page %s: %s\n", qPrintable(pageName), qPrintable(error));
                ++failures;
                break;
            }
            program.mkpath(QString::fromLatin1(folder));
            QSaveFile out(program.filePath(QString::fromLatin1(folder) + QLatin1Char('/') + name));
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
                std::fprintf(stderr, "genpages: cannot write %s: %s\n", qPrintable(out.fileName()), qPrintable(out.errorString()));
                ++failures;
                break;
            }
        }
    }
    return failures ? 1 : 0;
}
