#pragma once

#include "platform/window.h"
#include "kernel/app.h"

namespace oravians {

// The title screen: the program's first window, and the exit confirmation
// when the menu's "Exit" brings it back with "OK" relabelled "Cancel".
class Titlefrm : public Window {
public:
    explicit Titlefrm(App& app);

    Ctl Frame1{this, {.kind = Kind::Frame, .name = "Frame1", .left = 0, .top = -90, .width = 5480, .height = 6660,
                      .back = kLightGrey, .border = true}};
    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4", .caption = "The Oravians", .left = 60, .top = 360,
                      .width = 5355, .height = 1065, .fore = kRed, .opaque = false, .align = Align::Center,
                      .font = times(27.75f, true), .container = "Frame1"}};
    Ctl Picture1{this, {.kind = Kind::PictureBox, .name = "Picture1", .left = 300, .top = 1200, .width = 4800,
                        .height = 3600, .border = true, .container = "Frame1"}};
    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "Written by Marigold Fenwright",
                      .left = 480, .top = 4980, .width = 4500, .height = 375, .fore = kBlue, .opaque = false,
                      .align = Align::Center, .font = times(14.25f), .container = "Frame1"}};
    Ctl Label5{this, {.kind = Kind::Label, .name = "Label5", .caption = "Pictures by Tobias Quarrendon",
                      .left = 480, .top = 5310, .width = 4500, .height = 375, .fore = kBlue, .opaque = false,
                      .align = Align::Center, .font = times(12), .container = "Frame1"}};
    Ctl Label3{this, {.kind = Kind::Label, .name = "Label3", .caption = "Lumbrook Publishing Ltd",
                      .left = 360, .top = 5640, .width = 4740, .height = 375, .fore = kBlue, .opaque = false,
                      .align = Align::Center, .font = times(12), .container = "Frame1"}};
    Ctl Label2{this, {.kind = Kind::Label, .name = "Label2",
                      .caption = "A history program for primary schools. Please do not copy.", .left = 0,
                      .top = 6420, .width = 5415, .height = 255, .fore = kGreen, .opaque = false,
                      .align = Align::Center, .font = arial(8.25f), .container = "Frame1"}};
    Ctl Command1{this, {.kind = Kind::CommandButton, .name = "Command1", .caption = "OK", .left = 1320,
                        .top = 6000, .width = 1335, .height = 375, .back = kLightGrey, .font = tahoma(8.25f, false),
                        .container = "Frame1"}};
    Ctl Command2{this, {.kind = Kind::CommandButton, .name = "Command2", .caption = "Exit", .left = 2760,
                        .top = 6000, .width = 1335, .height = 375, .back = kLightGrey, .font = tahoma(8.25f, false),
                        .container = "Frame1"}};
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false, .interval = 50}};

    void Form_Load() override;
    // Escape cancels the exit confirmation; the first title has no way back.
    Control* cancelControl() override;
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

private:
    App& app;
};

} // namespace oravians
