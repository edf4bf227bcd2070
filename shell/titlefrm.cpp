#include "shell/titlefrm.h"

#include "kernel/grey.h"
#include "shell/intro0.h"
#include "shell/rocket.h"

namespace oravians {

Titlefrm::Titlefrm(App& app) : Window(app, QStringLiteral("Titlefrm")), app(app)
{
    caption = QStringLiteral(" ");
    back = kLightGrey;
    setClientSize(5460, 6570);
    Command1.onClick = [this](int) { Command1_Click(); };
    Command2.onClick = [this](int) { Command2_Click(); };
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
}

void Titlefrm::Form_Load()
{
    Screen& screen = app.screen();
    top = screen.heightTwips() / 2 - height / 2;
    left = screen.widthTwips() / 2 - width / 2;
    app.module1.rocketframe = 1;
    app.show<Grey>();
    if (loadPicture(app, Picture1, rocketFile(1)) != PictureFault::None) {
        // Without its first frame the title still works as a plain window.
        setupform(*this);
        bringToFront(Frame1);
        return;
    }
    Timer1.setEnabled(true);
}

void Titlefrm::Command1_Click()
{
    app.show<intro0>();
    unload();
    clicksound(app);
}

void Titlefrm::Command2_Click()
{
    clicksound(app);
    app.endProgram();
}

Control* Titlefrm::cancelControl()
{
    return Command1.caption == QLatin1String("Cancel") ? &Command1 : nullptr;
}

void Titlefrm::Timer1_Timer()
{
    app.module1.rocketframe = nextRocketFrame(app.module1.rocketframe);
    loadPicture(app, Picture1, rocketFile(app.module1.rocketframe));
}

} // namespace oravians
