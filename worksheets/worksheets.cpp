#include "worksheets/worksheets.h"

#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "shell/intro0.h"
#include "worksheets/interchange.h"
#include "worksheets/register.h"
#include "worksheets/wizard.h"

#include "platform/log.h"

#include <algorithm>

namespace oravians {

namespace {

// The one thing the teacher is told when a worksheet cannot be used.
class Corrupted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const QString kCorrupted = QStringLiteral("This worksheet seems to be corrupted.");

} // namespace

worksheets::worksheets(App& app) : Window(app, QStringLiteral("worksheets")), app(app)
{
    Check1.onClick = [this](int) { Check1_Click(); };
    Check2.onClick = [this](int) { Check2_Click(); };
    Label2.setOnClick([this](int i) { Label2_Click(i); });
    lightOnHover(Label2);
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    Label5.setOnClick([this](int i) { Label5_Click(i); });
    lightOnHover(Label5);
}

std::vector<ControlProps> worksheets::titleSlots()
{
    std::vector<ControlProps> design;
    for (int i = 1; i <= kSlots; ++i) {
        const bool left = i <= 12;
        design.push_back(labelButton({.name = "Label2", .index = i, .left = left ? 120.0f : 6120.0f,
                                        .top = 720.0f + 600.0f * float(left ? i - 1 : i - 13), .width = 5715,
                                        .height = 375, .fontSize = 12, .visible = false}));
    }
    design.push_back(labelButton({.name = "Label2", .index = 0, .caption = "Exit", .left = 10560, .top = 7920,
                                    .width = 1245, .fontSize = 18, .cancel = true}));
    return design;
}

void worksheets::Form_Load()
{
    // Each step stands alone: an unreadable register still leaves a usable window.
    setupform(*this);
    try {
        readRegister(app);
    } catch (const RegisterError& e) {
        logProblem(QStringLiteral("The worksheet register could not be read: ") + QString::fromStdString(e.what()));
    }
    Check1.back = kWindowBlue;
    Check2.back = kWindowBlue;
    Module1& m = app.module1;
    m.catpage = 0;
    for (int k = 1; k <= kSlots; ++k) {
        Label2[k].visible = false;
        Label2[k].font.size = 12;
    }
    int last = std::clamp(m.trackcount, 0, kRegisterCapacity);
    if (last > kSlots) {
        last = kSlots;
        Label3[1].visible = true;
    }
    for (int k = 1; k <= last; ++k) {
        Label2[k].caption = m.tracktitles[k];
        Label2[k].visible = true;
    }
}

void worksheets::workpage()
{
    const Module1& m = app.module1;
    const int p = m.catpage;
    for (int k = 1; k <= kSlots; ++k) {
        Label2[k].caption.clear();
        Label2[k].visible = false;
    }
    Label3[0].visible = p > 0;
    Label4.caption = QStringLiteral("Page") + numberText(p + 1);
    // Pages run as far as the register has titles: "Next Page >>" while any lies beyond.
    const int count = std::clamp(m.trackcount, 0, kRegisterCapacity);
    Label3[1].visible = count > kSlots * (p + 1);
    const int last = std::min(count, kSlots * (p + 1));
    for (int t = kSlots * p + 1; t <= last; ++t) {
        Label2[t - kSlots * p].caption = m.tracktitles[t];
        Label2[t - kSlots * p].visible = true;
    }
}

void worksheets::redrawTitles()
{
    const Module1& m = app.module1;
    const int first = kSlots * m.catpage;
    for (int k = 1; k <= kSlots; ++k) {
        Label2[k].visible = false;
        Label2[k].caption = first + k <= kRegisterCapacity ? m.tracktitles[first + k] : QString();
    }
    const int shown = std::min(kSlots, std::clamp(m.trackcount, 0, kRegisterCapacity) - first);
    for (int k = 1; k <= shown; ++k)
        Label2[k].visible = true;
}

void worksheets::Check1_Click()
{
    if (Check1.value == 1)
        Check2.value = 0;
}

void worksheets::Check2_Click()
{
    if (Check2.value == 1)
        Check1.value = 0;
}

void worksheets::Label3_Click(int index)
{
    Module1& m = app.module1;
    m.catpage += index == 0 ? -1 : 1;
    m.catpage = std::max(m.catpage, 0);
    workpage();
    clicksound(app);
}

void worksheets::Label2_Click(int index)
{
    clicksound(app);
    if (index == 0) {
        app.show<intro0>();
        unload();
        return;
    }
    try {
        useWorksheet(Label2[index].caption);
    } catch (const std::runtime_error& e) {
        // A missing or damaged question file, or a register that cannot be
        // rewritten: nothing further happens.
        logProblem(QStringLiteral("Worksheet \"%1\" could not be used: %2")
                       .arg(Label2[index].caption, QString::fromStdString(e.what())));
        app.messages().show(kCorrupted, MsgButtons::Ok, QStringLiteral("The Oravians"));
    }
}

void worksheets::useWorksheet(const QString& title)
{
    // A register edited by hand must not lead outside the worksheet folder.
    if (title.contains(QLatin1Char('/')) || title.contains(QLatin1Char('\\')))
        throw Corrupted("the title names a path");
    // The file is read whatever the mode, before the tick boxes are looked at.
    const std::optional<QByteArray> bytes = app.files().read(worksheetPath(title));
    if (!bytes)
        throw Corrupted("the question file is missing or unreadable");
    InputFile file1(*bytes);
    loadworksheet(app.module1, file1);
    if (Check1.value == 1) {
        editworksheet();
    } else if (Check2.value == 0) {
        openAsQuiz();
    } else {
        deleteWorksheet(title);
    }
}

void worksheets::openAsQuiz()
{
    // A right answer that is not 1 to 4 would make a quiz that cannot be won.
    if (!bankIsComplete(app.module1))
        throw Corrupted("a right answer is not 1 to 4");
    multiple& quiz = app.form<multiple>();
    intro0& menu = app.form<intro0>(); // loaded unseen when the catalogue replaced it
    quiz.Picture1.setPicture(menu.Image1.picture);
    quiz.Label5.caption = menu.Label1.caption;
    // A teacher's worksheet can be printed for the class; the built-in quizzes cannot.
    quiz.Label3[3].visible = true;
    quiz.Check1.visible = true;
    app.show<multiple>();
}

void worksheets::deleteWorksheet(const QString& title)
{
    const MsgResult answer = app.messages().show(
        QStringLiteral("Are you sure that you want to delete the worksheet ") + title + QStringLiteral("?"),
        MsgButtons::OkCancel, QString());
    if (answer != MsgResult::Ok)
        return;
    app.module1.deltitle = title;
    delworksheet(app);
    redrawTitles();
}

void worksheets::editworksheet()
{
    const Module1& m = app.module1;
    // Checked before the wizard is touched, so a damaged file never leaves it half filled.
    if (!bankIsComplete(m))
        throw Corrupted("a right answer is not 1 to 4");
    wizard& w = app.form<wizard>();
    w.Text1.caption = m.worktitle;
    for (int q = 0; q < 10; ++q) {
        const int n = q + 1;
        w.Text2[q].caption = m.questtext[n];
        w.Text3[4 * q].caption = m.choice1[n];
        w.Text3[4 * q + 1].caption = m.choice2[n];
        w.Text3[4 * q + 2].caption = m.choice3[n];
        w.Text3[4 * q + 3].caption = m.choice4[n];
        for (int j = 0; j < 4; ++j)
            w.Check1[4 * q + j].value = 0;
        w.Check1[4 * q + rightChoiceNumber(m, n) - 1].value = 1;
    }
    app.show<wizard>();
}

void worksheets::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label2);
    dimButtons(Label5);
}

void worksheets::Label5_Click(int index)
{
    if (index == 0)
        importFromFile();
    else
        exportToFolder();
    clicksound(app);
}

void worksheets::tell(const QString& text)
{
    app.messages().show(text, MsgButtons::Ok, QStringLiteral("The Oravians"));
}

void worksheets::importFromFile()
{
    const std::optional<QString> path = app.fileDialogs().openFile(
        QStringLiteral("Import Worksheets"),
        {QStringLiteral("Question files (*.gift *.txt)"), QStringLiteral("All files (*)")});
    if (!path)
        return;
    const ImportReport report = importFile(app, *path);
    tell(report.text());
    // The new titles join the list at once, on whichever page they fall.
    try {
        readRegister(app);
    } catch (const RegisterError& e) {
        logProblem(QStringLiteral("The worksheet register could not be read: ") + QString::fromStdString(e.what()));
    }
    workpage();
}

void worksheets::exportToFolder()
{
    const MsgResult format = app.messages().show(
        QStringLiteral("Export the worksheets as GIFT files?\n"
                       "Yes: GIFT (.gift)    No: Aiken (.txt)"),
        MsgButtons::YesNoCancel, QStringLiteral("The Oravians"));
    if (format != MsgResult::Yes && format != MsgResult::No)
        return;
    const std::optional<QString> folder = app.fileDialogs().chooseFolder(QStringLiteral("Export Worksheets"));
    if (!folder)
        return;
    const ExportReport report = exportWorksheets(
        app, *folder, format == MsgResult::Yes ? InterchangeFormat::Gift : InterchangeFormat::Aiken);
    tell(report.text());
}

} // namespace oravians
