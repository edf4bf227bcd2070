#include "kernel/app.h"

#include "kernel/grey.h"
#include "platform/log.h"

#include <algorithm>

namespace oravians {

App::App(Services services) : Desktop(services) {}

App::~App()
{
    unloadAll();
    settle();
}

Window* App::find(std::type_index type) const
{
    for (const Form& f : forms_)
        if (f.type == type)
            return f.window.get();
    return nullptr;
}

void App::unload(Window& w)
{
    auto owner = [&] {
        return std::find_if(forms_.begin(), forms_.end(), [&](const Form& f) { return f.window.get() == &w; });
    };
    if (owner() == forms_.end())
        return;
    w.Form_Unload();
    // Form_Unload may have loaded or unloaded others: look again.
    auto it = owner();
    if (it == forms_.end())
        return;
    std::unique_ptr<Window> owned = std::move(it->window);
    forms_.erase(it);
    windowUnloading(&w, std::move(owned));
}

void App::unloadAll()
{
    // Windows above first, the latest loaded first; the backdrop last, as
    // every other window stands on it.
    for (const bool backdrop : {false, true}) {
        for (;;) {
            auto it = std::find_if(forms_.rbegin(), forms_.rend(),
                                   [&](const Form& f) { return f.window->borderless == backdrop; });
            if (it == forms_.rend())
                break;
            unload(*it->window);
        }
    }
}

void setupform(Window& w)
{
    w.back = kWindowBlue;
    w.caption = QStringLiteral("The Oravians");
    // A window without a Picture1 simply has none to colour.
    if (Control* picture = w.find(QStringLiteral("Picture1")))
        picture->back = Rgb{49, 135, 214};
    w.width = 12000;
    w.height = 9000;
    // Twips are the unit throughout the program.
    Screen& screen = w.desktop().screen();
    screen.setMousePointer(MousePointer::Hourglass);
    w.top = screen.heightTwips() / 2 - w.height / 2;
    w.left = screen.widthTwips() / 2 - w.width / 2;
    screen.setMousePointer(MousePointer::Default);
}

void playsound(App& app, const QString& relativePath)
{
    if (app.module1.soundon != 1)
        return;
    app.form<Grey>().SndDevil1.play(relativePath);
}

void clicksound(App& app) { playsound(app, QStringLiteral("wav\\click.wav")); }

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
