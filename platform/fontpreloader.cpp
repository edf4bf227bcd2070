#include "platform/fontpreloader.h"

#include "platform/fontmap.h"

#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace oravians {

FontPreloader::FontPreloader() : reader_([] { FcInit(); }) {}

FontPreloader::~FontPreloader() { wait(); }

void FontPreloader::addProgramFonts(const QString& contentFolder)
{
    // The font database reads the same configuration; once is enough.
    wait();
    oravians::addProgramFonts(contentFolder);
    // The database is guarded by its own lock, so the first window's text
    // simply waits for it if it is not filled by then.
    reader_ = std::thread([] { QFontDatabase::families(); });
}

void FontPreloader::wait()
{
    if (reader_.joinable())
        reader_.join();
}

} // namespace oravians
