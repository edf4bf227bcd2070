#pragma once

#include "platform/desktop.h"
#include "shell/module1.h"

namespace oravians {

class Grey;
class Titlefrm;
class intro0;
class quellmore;
class inventions;
class teacher;
class guide;
class multiple;
class Welldone;
class Wrong;

// The program: its shared variables and one slot per window. Touching a
// slot (`app.intro0->...`, `app.intro0.show()`) creates and loads the window.
class App : public Desktop {
public:
    explicit App(Services services);
    ~App() override;

    Module1 module1;

    FormSlot<oravians::Grey, App> Grey{*this};
    FormSlot<oravians::Titlefrm, App> Titlefrm{*this};
    FormSlot<oravians::intro0, App> intro0{*this};
    FormSlot<oravians::quellmore, App> quellmore{*this};
    FormSlot<oravians::inventions, App> inventions{*this};
    FormSlot<oravians::teacher, App> teacher{*this};
    FormSlot<oravians::guide, App> guide{*this};
    FormSlot<oravians::multiple, App> multiple{*this};
    FormSlot<oravians::Welldone, App> Welldone{*this};
    FormSlot<oravians::Wrong, App> Wrong{*this};

    // Starts the program: the title screen is its first window.
    void start();

protected:
    void unloadAll() override;
};

// The common window set-up every 12000 x 9000 window runs first in its load.
void setupform(Window& w);

// Plays a wave file through the backdrop's sound component while sounds are on.
void playsound(App& app, const QString& relativePath);

// Loads a picture into an image or picture box. A missing or unreadable file
// leaves the control empty, is written once to the program's log and is
// returned as the fault (PictureFault::None when the picture loaded); the
// pupil is shown nothing.
PictureFault loadPicture(App& app, Control& control, const QString& relativePath);

// "Question" + " 3": a number written into a text the program's way.
QString numberText(int n);

} // namespace oravians
