#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"

namespace oravians {

// The score window shared by the quiz and the activities: a message by the
// score, the rocket, a celebration sound, and on full marks the pupil's
// name for the certificate.
class Welldone : public Window {
public:
    explicit Welldone(App& app);

    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4", .caption = "Well Done!", .left = 0, .top = 120,
                      .width = 12000, .height = 900, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(36)}};
    Ctl Picture1{this, {.kind = Kind::PictureBox, .name = "Picture1", .left = 5880, .top = 1440, .width = 4800,
                        .height = 3600}};
    CtlArray Label3{this, {labelButton({.name = "Label3", .index = 0, .left = 240, .top = 1800, .width = 3765,
                                        .visible = false}),
                           labelButton({.name = "Label3", .index = 1, .caption = "Exit", .left = 10560,
                                        .top = 7920, .width = 1245, .cancel = true})}};
    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .left = 0, .top = 5400, .width = 12000,
                      .height = 855, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = times(24)}};
    Ctl Label5{this, {.kind = Kind::Label, .name = "Label5", .left = 1680, .top = 6000, .width = 8640,
                      .height = 1335, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = times(24), .visible = false}};
    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .caption = "Read the Key Facts and try again.",
                      .left = 0, .top = 6240, .width = 12000, .height = 855, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = times(24)}};
    Ctl Text1{this, {.kind = Kind::TextBox, .name = "Text1", .left = 3120, .top = 6600, .width = 5760,
                     .height = 615, .fore = kBlack, .back = kWhite, .border = true, .font = times(24),
                     .visible = false, .maxLength = 25}};
    Ctl Label2{this, {.kind = Kind::Label, .name = "Label2",
                      .caption = "Enter your name in the box above before printing your certificate",
                      .left = 3120, .top = 7440, .width = 5775, .height = 855, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = times(18), .visible = false}};
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false, .interval = 1}};
    Ctl Timer2{this, {.kind = Kind::Timer, .name = "Timer2", .enabled = false, .interval = 10}};
    Ctl Timer3{this, {.kind = Kind::Timer, .name = "Timer3", .enabled = false, .interval = 1}};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label3_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    // Prints the certificate and tells the pupil how it went.
    void Printpage();

    // The font of the topic line's measure: the window sets none, so a
    // control's default applies.
    static inline const FontSpec kWindowFont{QStringLiteral("Tahoma"), 8.25f, false};

private:
    App& app;
};

// The celebration sound for a score, for a draw r in [0, 1); empty for none.
QString celebrationSound(int score, double r);

// What the pupil is told when a line of the certificate (usually the name)
// has letters that no installed font can print.
QString unprintableMessage(const QString& line);

// The banner text of the certificate (printed twice on a banner line).
inline constexpr const char* kBannerText = "   Well Done      Well Done     Well Done     Well Done    ";

} // namespace oravians
