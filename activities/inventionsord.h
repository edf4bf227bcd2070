#pragma once

#include "activities/dragengine.h"
#include "kernel/app.h"
#include "platform/window.h"

namespace oravians {

// The Morse code window of the inventions topic: a key of the 26 letters,
// five words written in dots and dashes, each playable letter by letter, and
// five word labels to drag to the end of their rows.
class inventionsord : public Window {
public:
    explicit inventionsord(App& app);

    static constexpr int kWords = 5;

    Ctl Label6{this, {.kind = Kind::Label, .name = "Label6", .left = 0, .top = 0, .width = 5145, .height = 705,
                      .fore = kYellow, .opaque = false, .align = Align::Center, .font = times(24)}};
    Ctl Label8{this, {.kind = Kind::Label, .name = "Label8",
                      .caption = "The telegraph was one of the important inventions of the Oravian Age. It meant "
                                 "that, for the first time, it was possible to send messages over long distances in "
                                 "an instant. The telegraph worked by encoding the letters in a message as pulses of "
                                 "electricity and sending these pulses down a wire. ",
                      .left = 120, .top = 720, .width = 9375, .height = 1575, .fore = kYellow, .opaque = false,
                      .font = times(15)}};
    Ctl Label9{this, {.kind = Kind::Label, .name = "Label9",
                      .caption = "The most successful method of encoding telegraph messages was Morse Code. In Morse "
                                 "Code each letter of the alphabet is replaced by a different sequence of short and "
                                 "long pulses of electricity. When Morse Code is written down these pulses are shown "
                                 "as dots and dashes. The key shows the sequence of dots and dashes for each letter "
                                 "of the alphabet. See if you can decode the message below. Drag the words into the "
                                 "correct boxes to decode the message.",
                      .left = 120, .top = 2280, .width = 9735, .height = 2265, .fore = kYellow, .opaque = false,
                      .font = times(15)}};
    CtlArray Label5{this, {row(0), row(1), row(2), row(3), row(4)}};
    CtlArray Command1{this, {play(0, "Play First Word"), play(1, "Play Second Word"), play(2, "Play Third Word"),
                             play(3, "Play Fourth Word"), play(4, "Play Fifth Word")}};
    CtlArray alphabet{this, {{.kind = Kind::Label, .name = "alphabet", .index = 0, .left = 9960, .top = 120,
                              .width = 450, .height = 300, .fore = kBlack, .border = true, .align = Align::Center,
                              .font = arial(12, true), .visible = false}}};
    CtlArray cipher{this, {{.kind = Kind::Label, .name = "cipher", .index = 0, .left = 10500, .top = 120,
                            .width = 1155, .height = 300, .fore = kBlack, .back = kWhite, .border = true,
                            .font = arial(15.75f, true), .visible = false}}};
    // Target boxes: their captions are the answer key.
    CtlArray Label1{this, {box(0, "A", 4560), box(1, "LITTLE", 5040), box(2, "LAMB", 5520), box(3, "MARY", 6000),
                           box(4, "HAD", 6480)}};
    CtlArray Label4{this, {startFrame(0), startFrame(1), startFrame(2), startFrame(3), startFrame(4)}};
    // The words start side by side in the order MARY, LAMB, A, HAD, LITTLE.
    CtlArray Label2{this, {label(0, 5280), label(1, 8160), label(2, 3840), label(3, 2400), label(4, 6720)}};
    CtlArray Label3{this, {activityButton(0), activityButton(1), activityButton(2)}};
    // Fills the Morse rows once the window is up.
    Ctl Timer1{this, {.kind = Kind::Timer, .name = "Timer1", .enabled = false, .interval = 1}};
    // Plays the chosen word one letter at a time.
    Ctl Timer2{this, {.kind = Kind::Timer, .name = "Timer2", .enabled = false, .interval = 1}};
    DragEngine engine{*this, {Label2, Label1, Label4, Label3}, kWords};

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Command1_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();

private:
    static ControlProps row(int i);
    static ControlProps play(int i, const char* caption);
    static ControlProps label(int i, float left) { return dragLabel(i, left, 7320, 1245, 375, tahoma(12)); }
    static ControlProps box(int i, const char* word, float top)
    {
        return targetBox(i, QString::fromLatin1(word), 8520, top, 1245, 375, tahoma(12));
    }

    App& app;
};

// A capital letter's International Morse Code as the key writes it: "·" for
// a dot, "–" for a dash, one space between them ("· –" for A). Empty for
// anything but A to Z.
QString morseCode(QChar letter);

} // namespace oravians
