#pragma once

#include "platform/window.h"
#include "shell/app.h"

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
        entry(20, "Teachers' Guide", 120, 1440, 3075, 495, kNavy, 14.25f),
        entry(15, "Queen Orava", 120, 2520, 3075, 375, kBlack, 12),
        entry(0, "The British Empire", 120, 3240, 3075, 375, kBlack, 12),
        entry(1, "Everyday Life", 120, 3960, 3075, 375, kBlack, 12),
        entry(2, "The Class System", 120, 4680, 3075, 375, kBlack, 12),
        entry(3, "Oravian Education", 120, 5400, 3075, 375, kBlack, 12),
        entry(4, "Leisure", 120, 6120, 3075, 375, kBlack, 12),
        entry(5, "Oravian Beliefs", 120, 6840, 3075, 375, kBlack, 12),
        entry(6, "Health and Medicine", 3360, 2520, 3075, 375, kBlack, 12),
        entry(7, "Transport", 3360, 3240, 3075, 375, kBlack, 12),
        entry(8, "Oravian Inventions", 3360, 3960, 3075, 375, kBlack, 12),
        entry(9, "Industry and Power", 3360, 4680, 3075, 375, kBlack, 12),
        entry(10, "Edmund Quellmore", 3360, 5400, 3075, 375, kBlack, 12),
        entry(11, "The British Raj", 3360, 6120, 3075, 375, kBlack, 12),
        entry(12, "Edmund Fairleigh", 3360, 6840, 3075, 375, kBlack, 12),
        entry(17, "Multiple Choice Wizard", 6960, 5880, 4635, 495, kNavy, 18),
        entry(18, "Worksheet Catalogue", 6960, 6720, 4635, 495, kNavy, 18),
        entry(19, "Acknowledgments", 120, 7920, 3075, 495, kNavy, 14.25f),
        entry(16, "Exit", 10560, 7920, 1245, 495, kBlack, 18),
    }};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label2_Click(int index);
    void Label2_MouseMove(int index);
    void Option1_Click();
    void Option2_Click();
    void Timer1_Timer();

private:
    static ControlProps entry(int index, const char* text, float left, float top, float width, float height,
                              Rgb back, float size)
    {
        return {.kind = Kind::Label, .name = "Label2", .index = index, .caption = text, .left = left, .top = top,
                .width = width, .height = height, .fore = kYellow, .back = back, .border = true,
                .align = Align::Center, .font = tahoma(size)};
    }
    void showAcknowledgments();
    void showGuide();
    void noContent(int index);

    App& app;
};

} // namespace oravians
