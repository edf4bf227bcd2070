#include "worksheets/wizard.h"

#include "platform/log.h"
#include "quiz/questionfile.h"
#include "worksheets/register.h"

namespace oravians {

namespace {

// Left offset of option j's letter, tick box and field inside a question
// block, and its top below the block's; A and B share a row, C and D the next.
struct OptionPlace {
    float letter, letterWidth, box, field, top, letterTop;
};
constexpr OptionPlace kOption[4] = {
    {15, 270, 240, 480, 1230, 1200},
    {2850, 240, 3090, 3360, 1230, 1200},
    {30, 240, 240, 480, 1560, 1560},
    {2850, 270, 3090, 3360, 1560, 1560},
};

ControlProps staticText(int index, const QString& text, float left, float top, float width, float height,
                        FontSpec font)
{
    return {.kind = Kind::Label, .name = "Label1", .index = index, .caption = text, .left = left, .top = top,
            .width = width, .height = height, .fore = kYellow, .opaque = false, .align = Align::Center,
            .font = font};
}

} // namespace

std::vector<ControlProps> wizard::staticTexts()
{
    std::vector<ControlProps> texts{
        staticText(0, QStringLiteral("Multiple Choice Wizard"), 0, 0, 4320, 540, tahoma(18)),
        staticText(1, QStringLiteral("Worksheet Title"), 5160, 120, 2280, 345, tahoma(14.25f))};
    // The headings are as wide as their text in the font they were designed
    // with; the Tahoma-like fonts at hand run a pixel or two wider, which
    // would wrap the number under the word. A little room each side, centre kept.
    constexpr float slack = 240;
    for (int q = 0; q < 10; ++q)
        texts.push_back(staticText(2 + q, QStringLiteral("Question") + numberText(q + 1), blockLeft(q) - slack / 2,
                                   600 + blockTop(q), (q == 9 ? 1170 : 1050) + slack, 240, tahoma(9.75f)));
    for (int q = 0; q < 10; ++q)
        for (int j = 0; j < 4; ++j) {
            const OptionPlace& o = kOption[j];
            texts.push_back(staticText(12 + 4 * q + j, QString(QChar(u'A' + j)) + u'.', blockLeft(q) + o.letter,
                                       o.letterTop + blockTop(q), o.letterWidth, 285, tahoma(12)));
        }
    return texts;
}

// The tab order runs title, then each question's field and its options A to
// D, then all the tick boxes.
std::vector<ControlProps> wizard::questionFields()
{
    std::vector<ControlProps> fields;
    for (int q = 0; q < 10; ++q)
        fields.push_back({.kind = Kind::TextBox, .name = "Text2", .index = q, .left = blockLeft(q),
                          .top = 840 + blockTop(q), .width = 5655, .height = 375, .fore = kBlack, .back = kWhite,
                          .font = times(12), .maxLength = 60, .tabIndex = 1 + 5 * q});
    return fields;
}

std::vector<ControlProps> wizard::optionFields()
{
    std::vector<ControlProps> fields;
    for (int q = 0; q < 10; ++q)
        for (int j = 0; j < 4; ++j)
            fields.push_back({.kind = Kind::TextBox, .name = "Text3", .index = 4 * q + j,
                              .left = blockLeft(q) + kOption[j].field, .top = kOption[j].top + blockTop(q),
                              .width = 2295, .height = 330, .fore = kBlack, .back = kWhite, .font = times(9.75f),
                              .maxLength = 30, .tabIndex = 2 + 5 * q + j});
    return fields;
}

std::vector<ControlProps> wizard::tickBoxes()
{
    std::vector<ControlProps> boxes;
    for (int q = 0; q < 10; ++q)
        for (int j = 0; j < 4; ++j)
            boxes.push_back({.kind = Kind::CheckBox, .name = "Check1", .index = 4 * q + j,
                             .left = blockLeft(q) + kOption[j].box, .top = kOption[j].top + blockTop(q),
                             .width = 255, .height = 315, .tabIndex = 51 + 4 * q + j});
    return boxes;
}

wizard::wizard(App& app) : Window(app, QStringLiteral("wizard")), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    lightOnHover(Label3);
    Text1.onKeyPress = [this](int, int& key) { Text1_KeyPress(key); };
    Text2.setOnKeyPress([this](int i, int& key) { Text2_KeyPress(i, key); });
    Text3.setOnKeyPress([this](int i, int& key) { Text3_KeyPress(i, key); });
}

void wizard::Form_Load()
{
    setupform(*this);
    for (int i = 0; i < 40; ++i)
        Check1[i].back = kWindowBlue;
    app.setFocus(Text1);
}

void wizard::Text1_KeyPress(int& key)
{
    if (key == kKeyReturn)
        app.setFocus(Text2[0]);
}

void wizard::Text2_KeyPress(int index, int& key)
{
    if (key == kKeyReturn)
        app.setFocus(Text3[4 * index]);
}

void wizard::Text3_KeyPress(int index, int& key)
{
    if (key != kKeyReturn)
        return;
    if (index % 4 < 3)
        app.setFocus(Text3[index + 1]);
    else if (index < 39)
        app.setFocus(Text2[(index + 1) / 4]);
}

void wizard::Label3_Click(int index)
{
    if (index == 0)
        unload();
    else
        genwork();
    clicksound(app);
}

void wizard::Form_MouseMove(int, int, float, float) { dimButtons(Label3); }

void wizard::message(const QString& text)
{
    app.messages().show(text, MsgButtons::Ok, QStringLiteral("The Oravians"));
}

void wizard::genwork()
{
    if (Text1.caption.isEmpty()) {
        message(QStringLiteral("You have not chosen a title for your worksheet"));
        return;
    }
    // A title must name a file inside the worksheet folder and come back
    // from the register as typed.
    if (const QString problem = titleProblem(Text1.caption); !problem.isEmpty()) {
        message(problem);
        return;
    }
    for (int q = 0; q < 10; ++q) {
        const QString n = numberText(q + 1);
        if (Text2[q].caption.isEmpty()) {
            message(QStringLiteral("You have not completed Question") + n);
            return;
        }
        int ticks = 0;
        for (int j = 0; j < 4; ++j) {
            if (Text3[4 * q + j].caption.isEmpty()) {
                message(QStringLiteral("You have not completed Question") + n);
                return;
            }
            if (Check1[4 * q + j].value == 1)
                ++ticks;
        }
        if (ticks == 0) {
            message(QStringLiteral("You have not ticked the correct answer for Question") + n);
            return;
        }
        if (ticks > 1) {
            message(QStringLiteral("You have ticked more than one correct answer for Question") + n);
            return;
        }
    }
    saveworksheet();
}

void wizard::saveworksheet()
{
    const QString title = Text1.caption;
    QuestionSet set{title, {}};
    for (int q = 0; q < 10; ++q) {
        Question question{Text2[q].caption, {}, {}};
        for (int j = 0; j < 4; ++j) {
            question.choices[std::size_t(j)] = Text3[4 * q + j].caption;
            if (Check1[4 * q + j].value == 1)
                question.rightLines << QString::number(j + 1);
        }
        set.questions.push_back(question);
    }
    try {
        writeQuestionFile(app.files(), worksheetPath(title), set);
        trackworksheets(app, title);
    } catch (const std::exception& e) {
        logProblem(QStringLiteral("saving the worksheet \"%1\": %2").arg(title, QString::fromStdString(e.what())));
        message(QStringLiteral("There was a problem saving your worksheet"));
        return;
    }
    message(QStringLiteral("Your worksheet has been saved."));
}

} // namespace oravians
