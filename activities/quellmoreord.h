#pragma once

#include "activities/activitytexts.h"
#include "activities/dragengine.h"
#include "kernel/app.h"
#include "platform/window.h"

namespace oravians {

// The author topic's ordering activity: six events of Edmund Quellmore's
// life, to be placed in the boxes beside their years on a timeline.
class quellmoreord : public Window {
public:
    explicit quellmoreord(App& app);

    // Declared first, so everything else is drawn above a dragged event.
    CtlArray Label2{this, {label(0, 2040), label(1, 2760), label(2, 4920), label(3, 5640), label(4, 4200),
                           label(5, 3480)}};
    CtlArray Label1{this, {box(0, "Edmund Quellmore became a court reporter.", 2880),
                           box(1, "Edmund Quellmore was born.", 480), box(2, activitytexts::kEditorEvent, 5280),
                           box(3, "The Quellmore family moved to London.", 1680),
                           box(4, "Edmund Quellmore\u2019 first story was published.", 4080),
                           box(5, "Edmund Quellmore died.", 6480)}};
    CtlArray Label4{this, {startFrame(0), startFrame(1), startFrame(2), startFrame(3), startFrame(4), startFrame(5)}};
    CtlArray Label3{this, {activityButton(2), activityButton(1), activityButton(0)}};
    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .caption = "Edmund Quellmore", .left = 120, .top = 120,
                      .width = 4425, .height = 705, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = times(24)}};
    Ctl Label8{this, {.kind = Kind::Label, .name = "Label8", .caption = "Place the events correctly along the timeline.",
                      .left = 240, .top = 840, .width = 4800, .height = 1305, .fore = Rgb{0, 255, 0},
                      .opaque = false, .align = Align::Center, .font = times(20.25f)}};
    Ctl Label9{this, {.kind = Kind::Label, .name = "Label9", .caption = "Drag the labels into the correct boxes.",
                      .left = 120, .top = 7800, .width = 3105, .height = 705, .fore = Rgb{128, 255, 255},
                      .opaque = false, .align = Align::Center, .font = tahoma(12)}};
    // The timeline: years, the line and its ticks; drawing only.
    Ctl Label7{this, year("Label7", "1812", 600)};
    Ctl Label10{this, year("Label10", "1822", 1800)};
    Ctl Label11{this, year("Label11", "1828", 3000)};
    Ctl Label12{this, year("Label12", "1833", 4200)};
    Ctl Label13{this, year("Label13", "1850", 5400)};
    Ctl Label14{this, year("Label14", "1870", 6600)};
    Ctl Line1{this, {.kind = Kind::Line, .name = "Line1", .left = 7920, .top = 720, .fore = kYellow, .x2 = 7920,
                     .y2 = 6720, .lineWidth = 3}};
    CtlArray Line2{this, {tick(0, 720), tick(1, 1920), tick(2, 3120), tick(3, 4320), tick(4, 5520), tick(6, 6720)}};
    DragEngine engine{*this, {Label2, Label1, Label4, Label3}, 6};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    static ControlProps label(int i, float top) { return dragLabel(i, 1200, top, 3075, 615, tahoma(9.75f)); }
    static ControlProps box(int i, const QString& answer, float top)
    {
        return targetBox(i, answer, 8400, top, 3075, 615, tahoma(9.75f));
    }
    static ControlProps year(const char* name, const char* text, float top)
    {
        return {.kind = Kind::Label, .name = name, .caption = text, .left = 6720, .top = top, .width = 1065,
                .height = 345, .fore = kYellow, .opaque = false, .align = Align::Right, .font = tahoma(12)};
    }
    static ControlProps tick(int i, float y)
    {
        return {.kind = Kind::Line, .name = "Line2", .index = i, .left = 8160, .top = y, .fore = kYellow, .x2 = 7920,
                .y2 = y, .lineWidth = 3};
    }
};

} // namespace oravians
