#include "quiz/multiple.h"

#include "quiz/questionfile.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"

namespace oravians {

multiple::multiple(App& app) : Window(app, QStringLiteral("multiple")), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    lightOnHover(Label3);
    Option1.setOnClick([this](int i) { Option1_Click(i); });
}

void multiple::Form_Load()
{
    setupform(*this);
    Module1& m = app.module1;
    m.score = 0;
    m.outof = 10;
    m.questno = 1;
    for (int i = 1; i <= 10; ++i)
        m.questmark[i] = 0;
    // The no-answer option sits under the picture, out of sight.
    Option1[5].left = Picture1.left + 240;
    Option1[5].top = Picture1.top + 240;
    for (int i = 1; i <= 4; ++i)
        Option1[i].back = kWindowBlue;
    Label6.caption = m.worktitle;
    showquest();
}

void multiple::showquest()
{
    const Module1& m = app.module1;
    const int n = m.questno;
    for (int i = 1; i <= 5; ++i)
        Option1[i].value = 0;
    Option1[5].value = 1;
    Label3[0].visible = true;
    Label3[1].caption = QStringLiteral("Next Question >>");
    Label4.caption = QStringLiteral("Question") + numberText(n);
    Label2.caption = m.questtext.at(n);
    Option1[1].caption = m.choice1.at(n);
    Option1[2].caption = m.choice2.at(n);
    Option1[3].caption = m.choice3.at(n);
    Option1[4].caption = m.choice4.at(n);
    if (n == 1)
        Label3[0].visible = false;
    if (n == 10)
        Label3[1].caption = QStringLiteral("Check Score >>");
    app.setFocus(Option1[5]);
}

void multiple::markAnswer()
{
    Module1& m = app.module1;
    // A right choice outside 1 to 4 comes only from a damaged file: no
    // option can be right then, so the question counts as wrong.
    const int k = rightChoiceNumber(m, m.questno);
    m.questmark.at(m.questno) = (k != 0 && Option1[k].value == 1) ? 1 : 0;
}

void multiple::endQuiz()
{
    Module1& m = app.module1;
    Wrong& wrong = app.form<Wrong>();
    for (int i = 1; i <= 10; ++i) {
        m.score += m.questmark[i];
        if (m.questmark[i] == 0) {
            Control& row = wrong.Label2[i - 1 - m.score];
            row.caption = numberText(i) + QStringLiteral(". ") + m.questtext[i];
            row.visible = true;
        }
    }
    m.topictitle = Label5.caption;
    wrong.Label6.caption = Label6.caption;

    Welldone& score = app.form<Welldone>();
    score.Label6.visible = false;
    score.Label5.visible = true;
    score.Label3[0].visible = true;
    app.show<Welldone>();
    unload();
}

void multiple::Label3_Click(int index)
{
    Module1& m = app.module1;
    switch (index) {
    case 0:
        if (m.questno > 1) {
            m.questno -= 1;
            showquest();
        }
        break;
    case 1:
        markAnswer();
        m.questno += 1;
        if (m.questno < 11)
            showquest();
        else
            endQuiz();
        break;
    case 2:
        unload();
        break;
    case 3:
        // Printing the set as a worksheet is not part of this version yet.
        break;
    }
    clicksound(app);
}

void multiple::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label3);
}

void multiple::Option1_Click(int) { playsound(app, QStringLiteral("wav\\typekey.wav")); }

} // namespace oravians
