#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"

namespace oravians {

// The questions answered wrongly in the quiz just finished, filled by the
// quiz and shown from the score window.
class Wrong : public Window {
public:
    explicit Wrong(App& app);

    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .left = 0, .top = 120, .width = 12000,
                      .height = 540, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(20.25f)}};
    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4",
                      .caption = "You answered the following questions incorrectly.", .left = 240, .top = 960,
                      .width = 12000, .height = 540, .fore = kYellow, .opaque = false, .align = Align::Left,
                      .font = tahoma(15.75f)}};
    CtlArray Label2{this, {row(0), row(1), row(2), row(3), row(4), row(5), row(6), row(7), row(8), row(9)}};
    Ctl Label5{this, {.kind = Kind::Label, .name = "Label5", .caption = "Read the Key Facts and try again.",
                      .left = 0, .top = 7920, .width = 12000, .height = 540, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = tahoma(20.25f)}};
    CtlArray Label3{this, {labelButton({.name = "Label3", .index = 1, .caption = "Exit", .left = 10560,
                                        .top = 7920, .width = 1245, .cancel = true})}};

    void Form_Load() override;
    void Label3_Click(int index);

private:
    static ControlProps row(int k)
    {
        return {.kind = Kind::Label, .name = "Label2", .index = k, .left = 120, .top = 1680.0f + 600.0f * k,
                .width = 12000, .height = 540, .fore = kWhite, .opaque = false, .align = Align::Left,
                .font = tahoma(15.75f), .visible = false};
    }

    App& app;
};

} // namespace oravians
