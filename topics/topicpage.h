#pragma once

#include "platform/window.h"
#include "shell/app.h"

namespace oravians {

// What sets one topic page apart from the other.
struct TopicValues {
    QString windowName;   // "quellmore"
    QString title;        // the heading, also handed to the activity windows
    QString picture;      // shown at load, stretched to 4800 x 6000
    float pictureTop = 0; // twips
    QString questionFile; // "multiple\Edmund Quellmore.txt"
    QString quizPicture;
    QString keyFactsKey;  // page set of "Key Facts"
    int keyFactsCount = 0;
    QString notesKey;     // page set of "Teacher's Notes"
    int notesCount = 0;
};

// The hub of one topic: title, picture and six buttons opening its key
// facts, teacher's notes, quiz and two activities. The two topic windows
// are this page with their own values.
class TopicPage : public Window {
public:
    TopicPage(App& app, TopicValues values);

    const TopicValues values;

    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = values.title, .left = 240, .top = 0,
                      .width = 6120, .height = 900, .fore = kYellow, .opaque = false, .align = Align::Left,
                      .font = times(27.75f, true)}};
    Ctl Image1{this, {.kind = Kind::Image, .name = "Image1", .top = values.pictureTop, .width = 4800,
                      .height = 6000, .stretch = true}};
    CtlArray Label3{this, {
        button(4, "Key Facts", 6360, 120, 1995),
        button(5, "Teacher's Notes", 8640, 120, 3195),
        button(0, "Multiple Choice", 120, 7920, 3195),
        button(1, "Labelling Activity", 3600, 7920, 3195),
        button(3, "Ordering Activity", 7080, 7920, 3195),
        button(2, "Exit", 10560, 7920, 1245),
    }};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label3_Click(int index);
    void Label3_MouseMove(int index);

protected:
    // Each topic shows its own activity windows, after putting this page's
    // title into their heading Label6.
    virtual void showLabellingActivity() = 0;
    virtual void showOrderingActivity() = 0;
    // Unloads this window through its slot in the App.
    virtual void unloadSelf() = 0;

    App& app;

private:
    static ControlProps button(int index, const char* text, float left, float top, float width)
    {
        return {.kind = Kind::Label, .name = "Label3", .index = index, .caption = text, .left = left, .top = top,
                .width = width, .height = 495, .fore = kYellow, .back = kBlack, .border = true,
                .align = Align::Center, .font = tahoma(15.75f)};
    }
    void openPages(const QString& key, int count);
};

} // namespace oravians
