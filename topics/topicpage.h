#pragma once

#include "platform/window.h"
#include "kernel/app.h"
#include "kernel/labelbutton.h"

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
    QStringList activityPictures; // read ahead while the page is up
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
        labelButton({.name = "Label3", .index = 4, .caption = "Key Facts", .left = 6360, .top = 120, .width = 1995}),
        labelButton({.name = "Label3", .index = 5, .caption = "Teacher's Notes", .left = 8640, .top = 120, .width = 3195}),
        labelButton({.name = "Label3", .index = 0, .caption = "Multiple Choice", .left = 120, .top = 7920, .width = 3195}),
        labelButton({.name = "Label3", .index = 1, .caption = "Labelling Activity", .left = 3600, .top = 7920, .width = 3195}),
        labelButton({.name = "Label3", .index = 3, .caption = "Ordering Activity", .left = 7080, .top = 7920, .width = 3195}),
        labelButton({.name = "Label3", .index = 2, .caption = "Exit", .left = 10560, .top = 7920, .width = 1245, .cancel = true}),
    }};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Label3_Click(int index);

protected:
    // Each topic shows its own activity windows, after putting this page's
    // title into their heading Label6.
    virtual void showLabellingActivity() = 0;
    virtual void showOrderingActivity() = 0;

    App& app;

private:
    void openPages(const QString& key, int count);
};

} // namespace oravians
