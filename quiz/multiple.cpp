#include "quiz/multiple.h"

#include "quiz/questionfile.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"

#include "platform/log.h"

namespace oravians {

multiple::multiple(App& app) : Window(app, QStringLiteral("multiple")), app(app), print_(app, Label3[3], Timer1)
{
    Timer1.onTimer = [this](int) { print_.tick(); };
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
        print_.click([this, withAnswers = Check1.value == 1] { return Printpage(withAnswers); });
        break;
    }
    clicksound(app);
}

QString worksheetHeader()
{
    return QStringLiteral("The Oravians") + QString(57, QLatin1Char(' ')) + QStringLiteral("Lumbrook Publishing Ltd");
}

QString unprintableWorksheetMessage(const QString& line)
{
    return QStringLiteral("Your worksheet has not been printed: this computer has no letters for \"%1\".")
        .arg(line.trimmed());
}

bool multiple::Printpage(bool withAnswers)
{
    Printer& p = app.printer();
    const Module1& m = app.module1;
    const auto tell = [&](const QString& text) {
        app.messages().show(text, MsgButtons::Ok, QStringLiteral("The Oravians"));
    };
    PrintOutcome outcome;
    try {
        const float W = p.pageWidth();
        const auto centred = [&](const QString& text) {
            p.setCurrentX((W - p.textWidth(text)) / 2);
            p.print(text);
        };
        p.setFontSize(16);
        p.setFontName(QStringLiteral("Times New Roman"));
        p.setCurrentX(W / 8);
        p.print(QStringLiteral(" "));
        p.setCurrentX(W / 16);
        p.print(worksheetHeader(), false);
        p.print(QStringLiteral(" "));
        p.print(QStringLiteral(" "));
        p.setFontSize(32);
        centred(Label5.caption);
        centred(Label6.caption);
        p.print(QStringLiteral(" "));
        p.setFontSize(12);
        for (int n = 1; n <= 10; ++n) {
            p.setCurrentX(W / 16);
            p.print(QStringLiteral("Question") + numberText(n) + QStringLiteral("    ") + m.questtext[n]);
            // Options run in two columns; a long one runs into the next column.
            p.setCurrentX(W * 2 / 6);
            p.print(QStringLiteral("A. ") + m.choice1[n], false);
            p.setCurrentX(W * 4 / 6);
            p.print(QStringLiteral("B. ") + m.choice2[n]);
            p.setCurrentX(W * 2 / 6);
            p.print(QStringLiteral("C. ") + m.choice3[n], false);
            p.setCurrentX(W * 4 / 6);
            p.print(QStringLiteral("D. ") + m.choice4[n]);
            p.print(QStringLiteral(" "));
        }
        if (withAnswers)
            printAnswers(p);
        outcome = p.endDoc();
    } catch (const UnprintableText& e) {
        // A worksheet with a question missing is worse than none: say which.
        logProblem(QStringLiteral("Worksheet not printed: ") + QString::fromStdString(e.what()));
        tell(unprintableWorksheetMessage(e.text));
        return false;
    } catch (const PrintError&) {
        tell(QStringLiteral("There was a problem printing to your printer."));
        return false;
    }
    // A paused printer holds the worksheet: saying it is printing would send
    // the teacher to an idle printer.
    tell(outcome == PrintOutcome::Held ? QStringLiteral("Your printer is paused. This will print when it is started again.")
                                       : QStringLiteral("Your worksheet is now printing."));
    return true;
}

void multiple::printAnswers(Printer& p)
{
    const Module1& m = app.module1;
    const float W = p.pageWidth();
    const auto centred = [&](const QString& text) {
        p.setCurrentX((W - p.textWidth(text)) / 2);
        p.print(text);
    };
    // Its own page, so the worksheet can be copied for the class without it.
    p.newPage();
    p.setFontSize(16);
    p.print(QStringLiteral(" "));
    p.setFontSize(32);
    centred(QStringLiteral("Answers"));
    p.setFontSize(16);
    centred(Label6.caption);
    p.print(QStringLiteral(" "));
    p.setFontSize(12);
    const std::array<QString, 11>* choices[] = {&m.choice1, &m.choice2, &m.choice3, &m.choice4};
    for (int n = 1; n <= 10; ++n) {
        p.setCurrentX(W / 16);
        p.print(QStringLiteral("Question") + numberText(n), false);
        p.setCurrentX(W * 2 / 6);
        const int k = rightChoiceNumber(m, n);
        p.print(k == 0 ? QStringLiteral("(no right answer is marked)")
                       : QString(QChar(u'A' + k - 1)) + QStringLiteral(". ") + choices[k - 1]->at(n));
        p.print(QStringLiteral(" "));
    }
}

void multiple::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label3);
}

void multiple::Option1_Click(int) { playsound(app, QStringLiteral("wav\\typekey.wav")); }

} // namespace oravians
