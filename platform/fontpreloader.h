#pragma once

#include <QString>

#include <thread>

namespace oravians {

// Reads the system's fonts on a thread of its own while the program connects
// to the display and loads its title screen, which is otherwise the largest
// part of putting the first window up: the font configuration before the
// application object exists, the font database after it.
class FontPreloader {
public:
    // Starts reading the font configuration; construct before the application object.
    FontPreloader();
    ~FontPreloader();
    FontPreloader(const FontPreloader&) = delete;
    FontPreloader& operator=(const FontPreloader&) = delete;

    // Adds the program's own fonts (as addProgramFonts()), then fills the
    // application's font database in the background.
    void addProgramFonts(const QString& contentFolder);
    // Waits for the background work; call before the application object goes.
    void wait();

private:
    std::thread reader_;
};

} // namespace oravians
