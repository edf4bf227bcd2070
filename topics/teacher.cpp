#include "topics/teacher.h"

namespace oravians {

QString pageFile(const QString& folder, const QString& key, int page)
{
    // A set has at most four pages; anything else names no file, so the page shows empty.
    static const char* const letters[] = {"a", "b", "c", "d"};
    const QString letter = page >= 1 && page <= 4 ? QString::fromLatin1(letters[page - 1]) : QString();
    return folder + QLatin1Char('\\') + key + letter + QStringLiteral(".wmf");
}

teacher::teacher(App& app)
    : Window(app, QStringLiteral("teacher")), app(app), print_(app, Label3[0], Timer2)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
    Timer2.onTimer = [this](int) { Timer2_Timer(); };
}

void teacher::Form_Load()
{
    setupform(*this);
    Module1& m = app.module1;
    if (m.pagecount == 1) {
        Label1.visible = false;
        Label3[2].visible = false;
        Label3[3].visible = false;
    }
    m.pageno = 1;
    showPageLabel();
}

void teacher::Label3_Click(int index)
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
        Label3[3].enabled = true;
        showPage();
        break;
    case 3:
        m.pageno -= 1;
        Label3[2].enabled = true;
        showPage();
        break;
    default:
        break;
    }
}

void teacher::showPage()
{
    Module1& m = app.module1;
    if (m.pageno == m.pagecount)
        Label3[2].enabled = false;
    if (m.pageno == 1)
        Label3[3].enabled = false;
    putPage(pageFile(QStringLiteral("wmf"), m.pagekey, m.pageno), pageFile(QStringLiteral("wmf2"), m.pagekey, m.pageno));
    showPageLabel();
}

void teacher::putPage(const QString& screenFile, const QString& printFile)
{
    page_ = HeldPage::load(app, Image1, Image2, screenFile, printFile);
    Label2.caption = pageProblem(screenFile, page_.screenFault);
    Label2.visible = !Label2.caption.isEmpty();
}

void teacher::showPageLabel()
{
    const Module1& m = app.module1;
    Label1.caption = QStringLiteral("Page") + numberText(m.pageno) + QStringLiteral(" of") + numberText(m.pagecount);
}

void teacher::Timer1_Timer()
{
    // The counter is never reset, so a later showing carries on where the last one stopped.
    int& frame = app.module1.logoframe;
    frame += 1;
    if (frame == 20)
        frame = 0;
    const QString file = frame < 10 ? QStringLiteral("logo\\lumb000%1.gif").arg(frame)
                                    : QStringLiteral("logo\\lumb00%1.gif").arg(frame);
    loadPicture(app, Picture1, file);
    Picture1.visible = true;
    Picture2.visible = true;
}

void teacher::Timer2_Timer() { print_.tick(); }

} // namespace oravians
