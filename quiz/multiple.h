#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"
#include "kernel/printbutton.h"

namespace oravians {

// The multiple-choice quiz: ten questions of the loaded question bank, one
// at a time; marks each answer when the pupil moves on and hands the result
// to the score window after the tenth.
class multiple : public Window {
public:
    explicit multiple(App& app);

    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "Multiple Choice", .left = 120, .top = 120,
                      .width = 6240, .height = 900, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(36)}};
    Ctl Label5{this, {.kind = Kind::Label, .name = "Label5", .left = 120, .top = 1200, .width = 6465,
                      .height = 585, .fore = Rgb{0, 255, 0}, .opaque = false, .align = Align::Center,
                      .font = times(24)}};
    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .left = 120, .top = 1920, .width = 6465,
                      .height = 705, .fore = Rgb{128, 128, 255}, .opaque = false, .align = Align::Center,
                      .font = times(24)}};
    Ctl Picture1{this, {.kind = Kind::PictureBox, .name = "Picture1", .left = 6480, .top = 240, .width = 855,
                        .height = 615}};
    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4", .left = 360, .top = 3240, .width = 5415,
                      .height = 615, .fore = kYellow, .opaque = false, .align = Align::Left, .font = times(24)}};
    Ctl Label2{this, {.kind = Kind::Label, .name = "Label2", .left = 960, .top = 3960, .width = 9840,
                      .height = 1455, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = times(30)}};
    // Element 5 is the hidden "no answer yet" option of the same group.
    CtlArray Option1{this, {option(1, 5400), option(2, 6000), option(3, 6600), option(4, 7200),
                            {.kind = Kind::OptionButton, .name = "Option1", .index = 5, .left = 6480,
                             .top = 240, .width = 255, .height = 255, .visible = false, .value = 1}}};
    CtlArray Label3{this, {labelButton({.name = "Label3", .index = 0, .caption = "<< Previous Question", .left = 2040, .top = 7920, .width = 3765, .visible = false}),
                           labelButton({.name = "Label3", .index = 1, .caption = "Next Question >>", .left = 6000, .top = 7920, .width = 3765}),
                           labelButton({.name = "Label3", .index = 2, .caption = "Exit", .left = 10560, .top = 7920, .width = 1245, .cancel = true}),
                           labelButton({.name = "Label3", .index = 3, .caption = "Print Worksheet", .left = 7920, .top = 1920, .width = 3045, .visible = false})}};
    // For the teacher: a second printed page with the right answers. Shown
    // with "Print Worksheet", never to pupils on a topic's own quiz.
    Ctl Check1{this, {.kind = Kind::CheckBox, .name = "Check1", .caption = "With answers", .left = 7920, .top = 2520,
                      .width = 3045, .height = 375, .fore = kYellow, .back = kWindowBlue, .font = tahoma(12),
                      .visible = false}};
    // Paces "Print Worksheet": one job per press, however often it is clicked.
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false,
                      .interval = PrintButton::kSendAfterMs}};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void showquest();
    void Label3_Click(int index);
    void Option1_Click(int index);
    // Prints the loaded set as a worksheet for pupils, with answers a
    // second page listing the right options, and tells the teacher how it
    // went; true when the job reached the printer.
    bool Printpage(bool withAnswers = false);

private:
    static ControlProps option(int index, float top)
    {
        return {.kind = Kind::OptionButton, .name = "Option1", .index = index, .left = 2400, .top = top,
                .width = 6975, .height = 525, .fore = kYellow, .font = times(20.25f)};
    }
    void markAnswer();
    void printAnswers(Printer& p);
    void endQuiz();

    App& app;
    PrintButton print_;
};

// What the teacher is told when a line of the worksheet has letters that no
// installed font can print.
QString unprintableWorksheetMessage(const QString& line);

// The header line of a printed worksheet.
QString worksheetHeader();

} // namespace oravians
