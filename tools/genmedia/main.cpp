// Writes the program's pictures, animation frames and sounds into the
// program folder given as the only argument.

#include "media.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: genmedia <program folder>\n");
        return 2;
    }
    // Drawing text needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    if (!genmedia::generateAll(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "genmedia: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
