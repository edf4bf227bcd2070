// libFuzzer target: any bytes through the metafile player, parsed and drawn.
#include "platform/fontmap.h"
#include "platform/wmf/metafilepicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

// Font configuration and Qt's font database keep caches for the life of the
// process; they are not the player's leaks.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libfreetype\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    oravians::registerBundledFonts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    auto pic = oravians::MetafilePicture::fromBytes(bytes, QStringLiteral("fuzz"));
    if (!pic)
        return 0;
    static QImage img(64, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    pic->draw(p, QRectF(0, 0, 64, 48));
    return 0;
}
