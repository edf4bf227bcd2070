#include "topics/guide.h"

namespace oravians {

guide::guide(App& app) : Window(app, QStringLiteral("guide")), app(app), print_(app, Label3[0], Timer1)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
}

void guide::Form_Load() { setupform(*this); }

void guide::Label3_Click(int index)
{
    Module1& m = app.module1;
    switch (index) {
    case 0:
        print_.click(Image2, page_);
        break;
    case 1:
        unload();
        break;
    case 2:
        m.pageno += 1;
        showPage();
        break;
    case 3:
        m.pageno -= 1;
        showPage();
        break;
    default:
        break;
    }
}

void guide::showPage()
{
    const int page = app.module1.pageno;
    Label2.caption.clear();
    putPage(QStringLiteral("wmf\\guide%1.wmf").arg(page), QStringLiteral("wmf2\\guide%1.wmf").arg(page));
    Label3[3].enabled = page > 1;
    Label3[2].enabled = page < kPages;
    Label1.caption = QStringLiteral("Page") + numberText(page) + QStringLiteral(" of 5");
}

void guide::putPage(const QString& screenFile, const QString& printFile)
{
    page_ = HeldPage::load(app, Image1, Image2, screenFile, printFile);
    Label4.caption = pageProblem(screenFile, page_.screenFault);
    Label4.visible = !Label4.caption.isEmpty();
}

void guide::Timer1_Timer() { print_.tick(); }

// Only the background resets the buttons; passing over a button leaves it as it is.
void guide::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label3);
}

} // namespace oravians
