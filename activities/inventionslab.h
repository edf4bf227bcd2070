#pragma once

#include "activities/activitytexts.h"
#include "activities/dragengine.h"
#include "kernel/app.h"
#include "platform/window.h"

namespace oravians {

// The inventions topic's labelling activity: four inventions, pictured and
// captioned, to be labelled with their inventors' names. One inventor made
// two of them, so two labels carry the same name and either fits either box.
class inventionslab : public Window {
public:
    explicit inventionslab(App& app);

    CtlArray Label2{this, {label(3, 240, 7320), label(2, 3120, 6840), label(1, 3120, 7320), label(0, 240, 6840)}};
    CtlArray Label5{this, {caption(3, "Camera", 7080, 6810, 3495), caption(2, "Phonograph", 8520, 3360, 2895),
                           caption(1, "Light Bulb", 4440, 3120, 2775), caption(0, "Telephone", 360, 4800, 2775)}};
    Ctl Label7{this, {.kind = Kind::Label, .name = "Label7",
                      .caption = "Match these Oravian inventions with their famous inventors.", .left = 480,
                      .top = 6120, .width = 5145, .height = 705, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = times(15.75f)}};
    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .caption = "Oravian Inventions", .left = 120,
                      .top = 120, .width = 3345, .height = 1305, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = times(27.75f)}};
    CtlArray Label3{this, {activityButton(2), activityButton(1), activityButton(0)}};
    CtlArray Label4{this, {startFrame(0), startFrame(3), startFrame(2), startFrame(1)}};
    // The answers: target box i's design caption is the inventor of invention i.
    CtlArray Label1{this, {box(2, 4410, 3840), box(3, 8610, 3840), box(1, 360, 5280), box(0, 7440, 7260)}};
    CtlArray Image1{this, {picture(0, 7080, 4440, 3525, 2760), picture(1, 4440, 120, 2730, 3660),
                           picture(2, 8520, 120, 2955, 3660), picture(3, 360, 1560, 2775, 3660)}};
    DragEngine engine{*this, {Label2, Label1, Label4, Label3}, 4};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    // Boxes 0 and 1 take their own label; boxes 2 and 3 either of labels 2 and 3.
    int score() const;

private:
    static ControlProps label(int i, float left, float top) { return dragLabel(i, left, top, 2775, 375, tahoma(11.25f)); }
    static ControlProps box(int i, float left, float top)
    {
        return targetBox(i, activitytexts::kInventors[std::size_t(i)], left, top, 2775, 375, tahoma(11.25f));
    }
    static ControlProps caption(int i, const char* text, float left, float top, float width)
    {
        return {.kind = Kind::Label, .name = "Label5", .index = i, .caption = text, .left = left, .top = top,
                .width = width, .height = 375, .fore = kYellow, .opaque = false, .align = Align::Center,
                .font = times(15.75f)};
    }
    static ControlProps picture(int i, float left, float top, float width, float height)
    {
        return {.kind = Kind::Image, .name = "Image1", .index = i, .left = left, .top = top, .width = width,
                .height = height, .stretch = true};
    }

    App& app;
};

} // namespace oravians
