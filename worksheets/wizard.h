#pragma once

#include "kernel/app.h"
#include "kernel/labelbutton.h"
#include "platform/window.h"

#include <vector>

namespace oravians {

// Where a teacher writes a ten-question worksheet: a title, ten questions of
// four options each and a tick against the right option. "Save Worksheet"
// checks everything is filled in and ticked once, writes the question file
// named after the title and registers the title.
class wizard : public Window {
public:
    explicit wizard(App& app);

    // The heading (0), "Worksheet Title" (1), the question headings (2 + q)
    // and the option letters (12 + 4q + j).
    CtlArray Label1{this, staticTexts()};
    Ctl Text1{this, {.kind = Kind::TextBox, .name = "Text1", .left = 7560, .top = 120, .width = 4215,
                     .height = 375, .fore = kBlack, .back = kWhite, .font = times(12), .maxLength = 25,
                     .tabIndex = 0}};
    CtlArray Text2{this, questionFields()};
    CtlArray Text3{this, optionFields()};
    CtlArray Check1{this, tickBoxes()};
    CtlArray Label3{this, {labelButton({.name = "Label3", .index = 0, .caption = "Exit", .left = 10560, .top = 7920, .width = 1245, .cancel = true}),
                           labelButton({.name = "Label3", .index = 1, .caption = "Save Worksheet", .left = 240, .top = 7920, .width = 3165})}};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label3_Click(int index);
    void Text1_KeyPress(int& key);
    void Text2_KeyPress(int index, int& key);
    void Text3_KeyPress(int index, int& key);

    // Checks the fields in order and saves when all is well; otherwise shows
    // the first problem found and writes nothing.
    void genwork();
    // Writes the question file, registers the title and confirms; a failure
    // anywhere shows the saving message and stops there.
    void saveworksheet();

private:
    // Question block q stands in the left column for q < 5, else the right.
    static float blockLeft(int q) { return q < 5 ? 240.0f : 6120.0f; }
    static float blockTop(int q) { return 1440.0f * float(q % 5); }
    static std::vector<ControlProps> staticTexts();
    static std::vector<ControlProps> questionFields();
    static std::vector<ControlProps> optionFields();
    static std::vector<ControlProps> tickBoxes();
    void message(const QString& text);

    App& app;
};

} // namespace oravians
