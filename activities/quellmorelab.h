#pragma once

#include "activities/activitytexts.h"
#include "activities/dragengine.h"
#include "kernel/app.h"
#include "platform/window.h"

namespace oravians {

// The author topic's labelling activity: four pictures from four of
// Edmund Quellmore's books, to be labelled with the books' titles.
class quellmorelab : public Window {
public:
    explicit quellmorelab(App& app);

    // Drawing order, back to front, is the design's (see the constructor).
    CtlArray Label2{this, {label(3, 960, 6600), label(2, 3840, 6600), label(1, 960, 7080), label(0, 3840, 7080)}};
    CtlArray Image1{this, {picture(2, 4080, 720, 3660, 3525), picture(0, 8100, 4080, 3660, 3225),
                           picture(1, 120, 1320, 3600, 3660), picture(3, 8100, 120, 3660, 3420)}};
    Ctl Label7{this, {.kind = Kind::Label, .name = "Label7",
                      .caption = "Match the labels to these pictures which are based on some of Quellmore\u2019 famous books.",
                      .left = 960, .top = 5880, .width = 5745, .height = 585, .fore = kYellow, .opaque = false,
                      .align = Align::Center, .font = tahoma(12)}};
    // Two lines high: the topic's title does not fit one line of this width.
    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .caption = "Edmund Quellmore", .left = 120, .top = 120,
                      .width = 3705, .height = 1230, .fore = kYellow, .opaque = false, .align = Align::Center,
                      .font = times(27.75f)}};
    CtlArray Label3{this, {activityButton(2), activityButton(1), activityButton(0)}};
    CtlArray Label4{this, {startFrame(0), startFrame(3), startFrame(2), startFrame(1)}};
    // The answers: target box i's design caption is the title of book i.
    CtlArray Label1{this, {box(0, 480, 5040), box(1, 4500, 4320), box(2, 8580, 3600), box(3, 8580, 7365)}};
    DragEngine engine{*this, {Label2, Label1, Label4, Label3}, 4};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    static ControlProps label(int i, float left, float top) { return dragLabel(i, left, top, 2805, 375, tahoma(11.25f)); }
    static ControlProps box(int i, float left, float top)
    {
        return targetBox(i, activitytexts::kBookTitles[std::size_t(i)], left, top, 2805, 375, tahoma(11.25f));
    }
    static ControlProps picture(int i, float left, float top, float width, float height)
    {
        return {.kind = Kind::Image, .name = "Image1", .index = i, .left = left, .top = top, .width = width,
                .height = height, .stretch = true};
    }

    App& app;
};

} // namespace oravians
