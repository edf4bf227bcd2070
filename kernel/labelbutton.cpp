#include "kernel/labelbutton.h"

namespace oravians {

ControlProps labelButton(const LabelButton& d)
{
    return {.kind = Kind::Label, .name = d.name, .index = d.index, .caption = d.caption, .left = d.left,
            .top = d.top, .width = d.width, .height = d.height, .fore = kYellow, .back = d.back, .border = true,
            .align = Align::Center, .font = tahoma(d.fontSize), .visible = d.visible, .enabled = d.enabled,
            .tabStop = true, .cancel = d.cancel};
}

void lightOnHover(CtlArray& buttons)
{
    buttons.setOnMouseMove([&buttons](int index, int, int, float, float) { buttons[index].opaque = true; });
}

void dimButtons(const CtlArray& buttons)
{
    for (const auto& [i, c] : buttons.elements())
        c->opaque = false;
}

} // namespace oravians
