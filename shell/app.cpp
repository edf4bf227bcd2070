#include "shell/app.h"

#include "platform/log.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "topics/guide.h"
#include "topics/inventions.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"

namespace oravians {

App::App(Services services) : Desktop(services) {}

App::~App()
{
    unloadAll();
    settle();
}

void App::start() { Titlefrm.show(); }

void App::unloadAll()
{
    // Windows above first, the backdrop last.
    Wrong.unload();
    Welldone.unload();
    multiple.unload();
    guide.unload();
    teacher.unload();
    inventions.unload();
    quellmore.unload();
    intro0.unload();
    Titlefrm.unload();
    Grey.unload();
}

void setupform(Window& w)
{
    w.back = kWindowBlue;
    w.caption = QStringLiteral("The Oravians");
    // From here on a failing step is skipped and the next one runs.
    auto step = [](auto&& f) {
        try {
            f();
        } catch (const std::exception&) {
        }
    };
    step([&] {
        Control* picture = w.find(QStringLiteral("Picture1"));
        if (!picture)
            throw std::runtime_error("no Picture1");
        picture->back = Rgb{49, 135, 214};
    });
    step([&] {
        w.width = 12000;
        w.height = 9000;
    });
    // Step 6 (twips as the unit) holds throughout the program.
    Screen& screen = w.desktop().screen();
    step([&] { screen.setMousePointer(MousePointer::Hourglass); });
    step([&] {
        w.top = screen.heightTwips() / 2 - w.height / 2;
        w.left = screen.widthTwips() / 2 - w.width / 2;
    });
    step([&] { screen.setMousePointer(MousePointer::Default); });
}

void playsound(App& app, const QString& relativePath)
{
    if (app.module1.soundon != 1)
        return;
    app.Grey->SndDevil1.play(relativePath);
}

PictureFault loadPicture(App& app, Control& control, const QString& relativePath)
{
    try {
        control.setPicture(app.pictures().load(relativePath));
        return PictureFault::None;
    } catch (const PictureError& e) {
        control.setPicture(nullptr);
        // Once per file: an animation asks for a missing frame many times a second.
        logProblemOnce(e.fault() == PictureFault::Missing
                           ? QStringLiteral("Picture %1 is missing.").arg(relativePath)
                           : QStringLiteral("Picture %1 could not be read (%2).")
                                 .arg(relativePath, QString::fromStdString(e.what())));
        return e.fault();
    }
}

QString numberText(int n) { return QStringLiteral(" ") + QString::number(n); }

} // namespace oravians
