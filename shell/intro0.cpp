#include "shell/intro0.h"

#include "shell/rocket.h"
#include "shell/titlefrm.h"
#include "topics/guide.h"
#include "topics/inventions.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

namespace oravians {

intro0::intro0(App& app) : Window(app, QStringLiteral("intro0")), app(app)
{
    Label2.setOnClick([this](int i) { Label2_Click(i); });
    lightOnHover(Label2);
    Option1.onClick = [this](int) { Option1_Click(); };
    Option2.onClick = [this](int) { Option2_Click(); };
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
}

void intro0::Form_Load()
{
    setupform(*this);
    loadPicture(app, Image1, rocketFile(1));
    Option1.back = kWindowBlue;
    Option2.back = kWindowBlue;
    Frame1.back = kWindowBlue;
    app.module1.soundon = 1;
    app.module1.rocketframe = 0;
    Timer1.setEnabled(true);
}

void intro0::Label2_Click(int index)
{
    switch (index) {
    case 8:
        app.show<inventions>();
        break;
    case 10:
        app.show<quellmore>();
        break;
    case 16:
        // Touching the title screen loads it, which brings the backdrop over this menu.
        app.form<Titlefrm>().Command1.caption = QStringLiteral("Cancel");
        app.show<Titlefrm>();
        break;
    case 17:
        app.show<wizard>();
        break;
    case 18:
        // The catalogue takes the menu's place; its "Exit" brings the menu back.
        app.show<worksheets>();
        unload();
        break;
    case 19:
        showAcknowledgments();
        break;
    case 20:
        showGuide();
        break;
    default:
        noContent(index);
        break;
    }
    clicksound(app);
}

void intro0::showAcknowledgments()
{
    teacher& viewer = app.form<teacher>();
    viewer.Label1.visible = false;
    viewer.Label3[2].visible = false;
    viewer.Label3[3].visible = false;
    viewer.putPage(QStringLiteral("wmf\\acknowledgments.wmf"), QStringLiteral("wmf2\\acknowledgments.wmf"));
    loadPicture(app, viewer.Picture2, QStringLiteral("logo\\lumbrook2.bmp"));
    viewer.back = Rgb{49, 130, 212};
    viewer.Timer1.setEnabled(true);
    app.show<teacher>();
}

void intro0::showGuide()
{
    app.form<guide>().putPage(QStringLiteral("wmf\\guide1.wmf"), QStringLiteral("wmf2\\guide1.wmf"));
    app.module1.pageno = 1;
    app.show<guide>();
}

void intro0::noContent(int index)
{
    app.messages().show(QStringLiteral("There are no pages about \"%1\" in this program yet. "
                                       "Try Edmund Quellmore or Oravian Inventions.")
                            .arg(Label2[index].caption),
                        MsgButtons::Ok, QStringLiteral("The Oravians"));
}

void intro0::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label2);
}

void intro0::Option1_Click() { app.module1.soundon = 1; }

void intro0::Option2_Click() { app.module1.soundon = 0; }

void intro0::Timer1_Timer()
{
    app.module1.rocketframe = nextRocketFrame(app.module1.rocketframe);
    loadPicture(app, Image1, rocketFile(app.module1.rocketframe));
}

} // namespace oravians
