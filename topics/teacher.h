#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"
#include "topics/heldpage.h"
#include "topics/pageprint.h"

namespace oravians {

// The page viewer: a topic's key facts or teacher's notes, one page at a
// time, and the acknowledgments page with its logo animation. Openers set
// pagecount and pagekey, put page 1 into Image1 and Image2, and show it.
class teacher : public Window {
public:
    explicit teacher(App& app);

    Ctl Image1{this, {.kind = Kind::Image, .name = "Image1", .left = 120, .top = 0}};
    Ctl Image2{this, {.kind = Kind::Image, .name = "Image2", .left = 0, .top = 0, .visible = false}};
    // Names a page that could not be shown, in place of a silent blank page.
    Ctl Label2{this, {.kind = Kind::Label, .name = "Label2", .left = 1320, .top = 3720, .width = 9000,
                      .height = 495, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(12), .visible = false}};
    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .left = 4200, .top = 7920, .width = 2295,
                      .height = 495, .fore = kBlack, .back = kWhite, .border = true, .align = Align::Center,
                      .font = tahoma(15.75f)}};
    CtlArray Label3{this, {
        labelButton({.name = "Label3", .index = 3, .caption = "Previous Page", .left = 1320, .top = 7920, .width = 2685, .enabled = false}),
        labelButton({.name = "Label3", .index = 2, .caption = "Next Page", .left = 6720, .top = 7920, .width = 2685}),
        labelButton({.name = "Label3", .index = 1, .caption = "Exit", .left = 10680, .top = 7920, .width = 1125, .cancel = true}),
        labelButton({.name = "Label3", .index = 0, .caption = "Print", .left = 10680, .top = 120, .width = 1125}),
    }};
    Ctl Picture1{this, {.kind = Kind::PictureBox, .name = "Picture1", .left = 9000, .top = 3720, .width = 1800,
                        .height = 1800, .visible = false}};
    // Coloured like the acknowledgments page, the only page that shows it.
    Ctl Picture2{this, {.kind = Kind::PictureBox, .name = "Picture2", .left = 9030, .top = 5640, .width = 1800,
                        .height = 1335, .back = Rgb{49, 130, 212}, .visible = false}};
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false, .interval = 25}};
    // Paces "Print": sends the job, then keeps the button resting a moment.
    Ctl Timer2{this, {.kind = Kind::Timer, .name = "Timer2", .enabled = false,
                      .interval = PagePrint::kSendAfterMs}};

    void Form_Load() override;
    void Label3_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();

    // Puts a page into the window: the screen version into Image1, the print
    // version into Image2. Openers use it for page 1.
    void putPage(const QString& screenFile, const QString& printFile);

private:
    void showPage();
    void showPageLabel();

    App& app;
    HeldPage page_;
    PagePrint print_;
};

// "wmf\key inventionsc.wmf": page n (1 to 4) of a page set in the folder given.
QString pageFile(const QString& folder, const QString& key, int page);

} // namespace oravians
