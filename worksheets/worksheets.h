#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"

namespace oravians {

// The worksheet catalogue: the registered worksheets, 24 titles a page; a
// title clicked opens that worksheet as a quiz, in the wizard ("Edit
// Worksheet" ticked) or removes it from the register ("Delete Worksheet").
class worksheets : public Window {
public:
    explicit worksheets(App& app);

    static constexpr int kSlots = 24;

    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "Worksheets Catalogue", .left = 0, .top = 0,
                      .width = 12000, .height = 780, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = tahoma(24)}};
    Ctl Check1{this, {.kind = Kind::CheckBox, .name = "Check1", .caption = "Edit Worksheet", .left = 120, .top = 120,
                      .width = 2535, .height = 375, .fore = kYellow, .font = tahoma(12)}};
    Ctl Check2{this, {.kind = Kind::CheckBox, .name = "Check2", .caption = "Delete Worksheet", .left = 9240,
                      .top = 120, .width = 2535, .height = 375, .fore = kRed, .font = tahoma(12)}};
    // Element 0 is "Exit"; 1 to 12 the left column of titles, 13 to 24 the right.
    CtlArray Label2{this, titleSlots()};
    Ctl Label4{this, {.kind = Kind::Label, .name = "Label4", .caption = "Page 1", .left = 120, .top = 7920,
                      .width = 1995, .height = 495, .fore = kBlue, .back = kWhite, .border = true,
                      .align = Align::Center, .font = tahoma(15.75f)}};
    CtlArray Label3{this, {labelButton({.name = "Label3", .index = 0, .caption = "<< Previous Page", .left = 2640, .top = 7920, .width = 3195, .visible = false}),
                           labelButton({.name = "Label3", .index = 1, .caption = "Next Page >>", .left = 6000, .top = 7920, .width = 3195, .visible = false})}};
    // Worksheets in and out of learning platforms' text files, stacked small
    // in the gap between "Next Page >>" and "Exit".
    CtlArray Label5{this, {labelButton({.name = "Label5", .index = 0, .caption = "Import\u2026", .left = 9300, .top = 7920, .width = 1155, .height = 240, .fontSize = 9.75f}),
                           labelButton({.name = "Label5", .index = 1, .caption = "Export\u2026", .left = 9300, .top = 8175, .width = 1155, .height = 240, .fontSize = 9.75f})}};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Check1_Click();
    void Check2_Click();
    void Label2_Click(int index);
    void Label3_Click(int index);
    void Label5_Click(int index);
    // Draws page catpage of the register.
    void workpage();
    // Fills the wizard from the question bank and shows it.
    void editworksheet();

private:
    static std::vector<ControlProps> titleSlots();
    // The titles of page catpage as the register now stands.
    void redrawTitles();
    void useWorksheet(const QString& title);
    void openAsQuiz();
    void deleteWorksheet(const QString& title);
    void importFromFile();
    void exportToFolder();
    void tell(const QString& text);

    App& app;
};

} // namespace oravians
