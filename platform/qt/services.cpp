#include "platform/qt/services.h"

#include "platform/pictures/rasterpicture.h"

#include <QClipboard>
#include <QGuiApplication>

#if __has_include("platform/sound/pulsesound.h")
#include "platform/sound/pulsesound.h"
#define ORAVIANS_HAVE_SOUND 1
#endif
#if __has_include("platform/printer/qtprinter.h")
#include "platform/printer/qtprinter.h"
#define ORAVIANS_HAVE_PRINTER 1
#endif

namespace oravians {

namespace {
class Silence : public SoundPlayer {
public:
    void play(const QString&) override {}
};
class NoPrinter : public Printer {
public:
    [[noreturn]] static void fail() { throw PrintError("no printer support in this build"); }
    float pageWidth() override { fail(); }
    float pageHeight() override { fail(); }
    void setFontName(const QString&) override { fail(); }
    void setFontSize(float) override { fail(); }
    void setForeColor(Rgb) override { fail(); }
    void setCurrentX(float) override { fail(); }
    float currentX() override { fail(); }
    float currentY() override { fail(); }
    float textWidth(const QString&) override { fail(); }
    void print(const QString&, bool) override { fail(); }
    void setDrawWidth(int) override { fail(); }
    void line(float, float, float, float, Rgb) override { fail(); }
    void paintPicture(const Picture&, float, float) override { fail(); }
    PrintOutcome endDoc() override { fail(); }
};
} // namespace

SystemServices::SystemServices(const QString& contentFolder, const QString& worksheetFolder)
    : files(contentFolder, worksheetFolder)
{
#ifdef ORAVIANS_HAVE_SOUND
    sound = std::make_unique<PulseSound>(contentFolder);
#else
    sound = std::make_unique<Silence>();
#endif
#ifdef ORAVIANS_HAVE_PRINTER
    printer = makeSystemPrinter();
#else
    printer = std::make_unique<NoPrinter>();
#endif
    pictures = std::make_unique<ContentPictures>(contentFolder);
}

SystemServices::~SystemServices() = default;

Services SystemServices::services()
{
    return Services{sound.get(), printer.get(), &messages, &screen, &timers, pictures.get(), &random, &measure,
                    &clipboard, &files};
}

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }

void QtClipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

} // namespace oravians
