#pragma once

#include "platform/control.h"

namespace oravians {

// The program's button: a boxed label, yellow bold Tahoma centred on black
// (the main menu's headings on navy). It is a Tab stop, and Enter or Space
// on it clicks it. Fields are named at the call site:
// labelButton({.name = "Label3", .index = 2, .caption = "Exit", ...}).
struct LabelButton {
    QString name;
    int index = -1;
    QString caption;
    float left = 0, top = 0, width = 0, height = 495;
    Rgb back = kBlack;
    float fontSize = 15.75f;
    bool visible = true;
    bool enabled = true;
    bool cancel = false; // the window's way back, which Escape clicks
};

ControlProps labelButton(const LabelButton& design);

// The hover pair of a button array: passing over a button makes it opaque
// (its MouseMove); the window's Form_MouseMove calls dimButtons to make
// them all transparent again.
void lightOnHover(CtlArray& buttons);
void dimButtons(const CtlArray& buttons);

} // namespace oravians
