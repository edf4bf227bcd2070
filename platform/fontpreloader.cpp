#include "platform/fontpreloader.h"

#include "platform/fontmap.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

#include <string>
#include <unistd.h>

namespace oravians {

namespace {

// Where Debian and its relatives keep the Liberation faces.
const char* const kLiberationFolders[] = {"/usr/share/fonts/truetype/liberation",
                                          "/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/liberation"};

bool hasFamily(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family, nullptr);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* found = FcFontList(config, pattern, objects);
    const bool any = found && found->nfont > 0;
    if (found)
        FcFontSetDestroy(found);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return any;
}

// A configuration of the Liberation faces alone, read from the system's font
// caches; null where they are not there. The system's rendering rules are
// left out: the program's text asks for no hinting and for greyscale
// smoothing, which is what those rules give it too.
FcConfig* readFirstScreenFonts(const std::string& programFonts)
{
    // Someone who names a configuration of their own gets it from the start.
    if (getenv("FONTCONFIG_FILE") || getenv("FONTCONFIG_PATH") || getenv("FONTCONFIG_SYSROOT"))
        return nullptr;
    for (const char* folder : kLiberationFolders) {
        if (access((std::string(folder) + "/LiberationSerif-Regular.ttf").c_str(), R_OK) != 0)
            continue;
        const std::string xml = std::string("<fontconfig><dir>") + folder
                                + "</dir><cachedir>/var/cache/fontconfig</cachedir>"
                                  "<cachedir prefix=\"xdg\">fontconfig</cachedir></fontconfig>";
        FcConfig* config = FcConfigCreate();
        if (!config)
            return nullptr;
        if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcFalse)
            && FcConfigBuildFonts(config) && hasFamily(config, "Liberation Serif")
            && hasFamily(config, "Liberation Sans")) {
            // The program's Tahoma too; where it is not found there, it is
            // added as an application font instead.
            FcConfigAppFontAddDir(config, reinterpret_cast<const FcChar8*>(programFonts.c_str()));
            return config;
        }
        FcConfigDestroy(config);
    }
    return nullptr;
}

} // namespace

FontPreloader::~FontPreloader()
{
    wait();
    if (FcConfig* whole = pending_.exchange(nullptr))
        FcConfigDestroy(whole);
}

void FontPreloader::addProgramFonts(const QString& contentFolder)
{
    contentFolder_ = contentFolder;
    // Read here rather than on a thread: it takes a fraction of a
    // millisecond, less than starting a thread does.
    if (FcConfig* read = readFirstScreenFonts(QFile::encodeName(contentFolder + QStringLiteral("/fonts")).toStdString())) {
        FcConfigSetCurrent(read); // takes its own reference
        FcConfigDestroy(read);
        firstScreenOnly_ = true;
    }
    if (!firstScreenOnly_ || !hasFamily(nullptr, "Tahoma"))
        oravians::addProgramFonts(contentFolder);
}

void FontPreloader::loadAllFonts(std::function<void()> switched)
{
    switched_ = std::move(switched);
    if (!firstScreenOnly_) {
        if (switched_)
            switched_();
        return;
    }
    wait();
    reader_ = std::thread([this] {
        FcConfig* whole = FcInitLoadConfigAndFonts();
        if (!whole)
            return; // the first screen's fonts stay; the font system has said why on standard error
        pending_.store(whole);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this] {
                if (FcConfig* read = pending_.exchange(nullptr))
                    switchTo(read);
            },
            Qt::QueuedConnection);
    });
}

void FontPreloader::switchTo(FcConfig* whole)
{
    wait(); // it has finished: posting this was its last act
    FcConfigSetCurrent(whole);
    FcConfigDestroy(whole);
    firstScreenOnly_ = false;
    // Removing the application's fonts is what makes the font database read
    // the font system again, and only when there are some: the program's
    // own Tahoma came with the first fonts, so it is added first. It goes
    // straight back afterwards, as the whole configuration lacks it.
    addProgramFontsAgain(contentFolder_);
    QFontDatabase::removeAllApplicationFonts();
    addProgramFontsAgain(contentFolder_);
    reader_ = std::thread([] { QFontDatabase::families(); });
    if (switched_)
        switched_();
}

void FontPreloader::wait()
{
    if (reader_.joinable())
        reader_.join();
}

} // namespace oravians
