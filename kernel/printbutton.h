#pragma once

#include "kernel/app.h"

#include <functional>

namespace oravians {

// A button that prints. A press sends one job; until it has been sent and
// for a short moment after, the button reads "Printing..." and is disabled,
// so that a burst of clicks makes one job and the user sees that printing
// has started (in a smaller type, to fit the button). The window's timer
// control drives it: the job goes out at the first tick, after the changed
// button has been drawn.
class PrintButton {
public:
    // Sends the job and tells the user what became of it; true when
    // something reached the printer.
    using Job = std::function<bool()>;

    PrintButton(App& app, Control& button, Control& timer);
    PrintButton(const PrintButton&) = delete;
    PrintButton& operator=(const PrintButton&) = delete;

    // The button was clicked; job is run at the next tick, with what it
    // captured as it was at the press.
    void click(Job job);
    // The timer's tick: sends the job, or ends the moment after it.
    void tick();

    static constexpr int kSendAfterMs = 50;
    static constexpr int kRestMs = 2000;

private:
    void restore();

    App& app_;
    Control& button_;
    Control& timer_;
    QString caption_;
    FontSpec font_;
    Job job_;
};

} // namespace oravians
