// wmf_render: draws a metafile into a PNG with the program's player, for
// looking at pages and for the comparisons with other renderers.
//   wmf_render <in.wmf> <out.png> <width px> [background #rrggbb]
#include "platform/fontmap.h"
#include "platform/wmf/metafilepicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    oravians::registerBundledFonts();
    const QStringList a = app.arguments();
    if (a.size() < 4) {
        std::fprintf(stderr, "usage: wmf_render <in.wmf> <out.png> <width px> [background]\n");
        return 2;
    }
    try {
        auto pic = oravians::loadMetafilePicture(a[1], a[1]);
        const QSizeF s = pic->sizeTwips();
        const int w = a[3].toInt();
        const int h = qMax(1, qRound(w * s.height() / s.width()));
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        img.fill(a.size() > 4 ? QColor(a[4]) : QColor(Qt::white));
        QPainter p(&img);
        pic->draw(p, QRectF(0, 0, w, h));
        p.end();
        return img.save(a[2]) ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
