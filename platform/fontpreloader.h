#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <thread>

typedef struct _FcConfig FcConfig;

namespace oravians {

// Puts the title screen up without waiting for the system's fonts. Reading
// the whole font configuration (several hundred faces and their rules) and
// matching against it took longer than everything else in the first window,
// and the title needs three families. So the font system starts with only
// those (the Liberation faces and the program's Tahoma); once the title is
// painted, the whole configuration is read on a thread and the program
// switches to it, for other scripts' letters, message boxes and printing.
// Where the three families are not found on their own, the whole
// configuration is read at once instead, as any program would.
class FontPreloader {
public:
    FontPreloader() = default;
    ~FontPreloader();
    FontPreloader(const FontPreloader&) = delete;
    FontPreloader& operator=(const FontPreloader&) = delete;

    // Reads the title screen's fonts and makes them current, with the
    // program's own (as addProgramFonts()); call once the application object
    // is made, before anything draws text.
    void addProgramFonts(const QString& contentFolder);
    // After the first paint, on the GUI thread: reads the whole configuration
    // in the background and switches to it when it is read (at once if it is
    // the one already in use). `switched` runs then, on the GUI thread.
    void loadAllFonts(std::function<void()> switched = {});
    // True once every installed font is known.
    bool allFontsLoaded() const { return !firstScreenOnly_; }
    // Waits for the background work; call before the application object goes.
    void wait();

private:
    void switchTo(FcConfig* whole);

    std::thread reader_;
    bool firstScreenOnly_ = false;
    std::atomic<FcConfig*> pending_{nullptr}; // read, not yet switched to
    QString contentFolder_;
    std::function<void()> switched_;
};

} // namespace oravians
