#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"
#include "topics/heldpage.h"
#include "topics/pageprint.h"

namespace oravians {

// The teachers' guide: five fixed pages, paged through the shared pageno.
// The main menu puts page 1 into Image1 and Image2 and sets pageno to 1.
class guide : public Window {
public:
    explicit guide(App& app);

    Ctl Label2{this, {.kind = Kind::Label, .name = "Label2", .left = 0, .top = 120, .width = 11775, .height = 615,
                      .fore = kYellow, .opaque = false, .align = Align::Center, .font = tahoma(14.25f, false)}};
    Ctl Image1{this, {.kind = Kind::Image, .name = "Image1", .left = 120, .top = 0}};
    Ctl Image2{this, {.kind = Kind::Image, .name = "Image2", .left = 120, .top = -240, .visible = false}};
    // Names a page that could not be shown, in place of a silent blank page.
    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4", .left = 1320, .top = 3720, .width = 9000,
                      .height = 495, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(12), .visible = false}};
    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "Page 1 of 5", .left = 4200, .top = 7920,
                      .width = 2295, .height = 495, .fore = kBlack, .back = kWhite, .border = true,
                      .align = Align::Center, .font = tahoma(15.75f)}};
    CtlArray Label3{this, {
        labelButton({.name = "Label3", .index = 3, .caption = "Previous Page", .left = 1320, .top = 7920, .width = 2685, .enabled = false}),
        labelButton({.name = "Label3", .index = 2, .caption = "Next Page", .left = 6720, .top = 7920, .width = 2685}),
        labelButton({.name = "Label3", .index = 1, .caption = "Exit", .left = 10680, .top = 7920, .width = 1125, .cancel = true}),
        labelButton({.name = "Label3", .index = 0, .caption = "Print", .left = 10680, .top = 120, .width = 1125}),
    }};
    // Paces "Print": sends the job, then keeps the button resting a moment.
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false,
                      .interval = PagePrint::kSendAfterMs}};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label3_Click(int index);
    void Timer1_Timer();

    // Puts a page into the window: the screen version into Image1, the print
    // version into Image2. The main menu uses it for page 1.
    void putPage(const QString& screenFile, const QString& printFile);

    static constexpr int kPages = 5;

private:
    void showPage();

    App& app;
    HeldPage page_;
    PagePrint print_;
};

} // namespace oravians
