#include "topics/guide.h"

#include "topics/pageprint.h"

namespace oravians {

guide::guide(App& app) : Window(app, QStringLiteral("guide")), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
}

void guide::Form_Load() { setupform(*this); }

void guide::Label3_Click(int index)
{
    Module1& m = app.module1;
    switch (index) {
    case 0:
        printPagePicture(app, Image2);
        break;
    case 1:
        app.guide.unload();
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
    loadPicture(app, Image1, QStringLiteral("wmf\\guide%1.wmf").arg(page));
    loadPicture(app, Image2, QStringLiteral("wmf2\\guide%1.wmf").arg(page));
    Label3[3].enabled = page > 1;
    Label3[2].enabled = page < kPages;
    Label1.caption = QStringLiteral("Page") + numberText(page) + QStringLiteral(" of 5");
}

// Only the background resets the buttons; passing over a button leaves it as it is.
void guide::Form_MouseMove(int, int, float, float)
{
    for (const auto& [i, c] : Label3.elements())
        c->opaque = false;
}

} // namespace oravians
