#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"

namespace oravians {

// The main menu: topics, teachers' tools, the sound switch and the rocket.
class intro0 : public Window {
public:
    explicit intro0(App& app);

    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "The Oravians", .left = 0, .top = 120,
                      .width = 12000, .height = 900, .fore = kRed, .opaque = false, .align = Align::Center,
                      .font = tahoma(32.25f)}};
    Ctl Label3{this, {.kind = Kind::Label, .name = "Label3",
                      .caption = "\u00a9 Lumbrook Publishing Ltd \u00b7 for schools and families",
                      .left = 0, .top = 8280, .width = 12000, .height = 375, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = tahoma(9.75f, false)}};
    Ctl Option1{this, {.kind = Kind::OptionButton, .name = "Option1", .caption = "Sound On", .left = 10440,
                       .top = 120, .width = 1455, .height = 255, .fore = kYellow, .font = tahoma(9.75f),
                       .value = 1}};
    Ctl Option2{this, {.kind = Kind::OptionButton, .name = "Option2", .caption = "Sound Off", .left = 10440,
                       .top = 480, .width = 1455, .height = 255, .fore = kYellow, .font = tahoma(9.75f)}};
    Ctl Frame1{this, {.kind = Kind::Frame, .name = "Frame1", .left = 6720, .top = 1200, .width = 5055,
                      .height = 3975, .border = true}};
    Ctl Image1{this, {.kind = Kind::Image, .name = "Image1", .left = 120, .top = 240, .width = 4800,
                      .height = 3600, .container = "Frame1"}};
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false, .interval = 50}};
    CtlArray Label2{this, {
        labelButton({.name = "Label2", .index = 20, .caption = "Teachers' Guide", .left = 120, .top = 1440, .width = 3075, .height = 495, .back = kNavy, .fontSize = 14.25f}),
        labelButton({.name = "Label2", .index = 15, .caption = "Queen Orava", .left = 120, .top = 2520, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 0, .caption = "The British Empire", .left = 120, .top = 3240, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 1, .caption = "Everyday Life", .left = 120, .top = 3960, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 2, .caption = "The Class System", .left = 120, .top = 4680, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 3, .caption = "Oravian Education", .left = 120, .top = 5400, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 4, .caption = "Leisure", .left = 120, .top = 6120, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 5, .caption = "Oravian Beliefs", .left = 120, .top = 6840, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 6, .caption = "Health and Medicine", .left = 3360, .top = 2520, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 7, .caption = "Transport", .left = 3360, .top = 3240, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 8, .caption = "Oravian Inventions", .left = 3360, .top = 3960, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 9, .caption = "Industry and Power", .left = 3360, .top = 4680, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 10, .caption = "Edmund Quellmore", .left = 3360, .top = 5400, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 11, .caption = "The British Raj", .left = 3360, .top = 6120, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 12, .caption = "Edmund Fairleigh", .left = 3360, .top = 6840, .width = 3075, .height = 375, .fontSize = 12}),
        labelButton({.name = "Label2", .index = 17, .caption = "Multiple Choice Wizard", .left = 6960, .top = 5880, .width = 4635, .height = 495, .back = kNavy, .fontSize = 18}),
        labelButton({.name = "Label2", .index = 18, .caption = "Worksheet Catalogue", .left = 6960, .top = 6720, .width = 4635, .height = 495, .back = kNavy, .fontSize = 18}),
        labelButton({.name = "Label2", .index = 19, .caption = "Acknowledgments", .left = 120, .top = 7920, .width = 3075, .height = 495, .back = kNavy, .fontSize = 14.25f}),
        labelButton({.name = "Label2", .index = 16, .caption = "Exit", .left = 10560, .top = 7920, .width = 1245, .height = 495, .fontSize = 18, .cancel = true}),
    }};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label2_Click(int index);
    void Option1_Click();
    void Option2_Click();
    void Timer1_Timer();

private:
    void showAcknowledgments();
    void showGuide();
    void noContent(int index);

    App& app;
};

} // namespace oravians
