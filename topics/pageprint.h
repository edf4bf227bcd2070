#pragma once

#include "topics/heldpage.h"

#include <optional>

namespace oravians {

// The "Print" button of a page window. A press sends one job for the page
// shown; until it has been sent and for a short moment after, the button
// reads "Printing..." and is disabled, so that a burst of clicks makes one
// job and the pupil sees that printing has started (in a smaller type, to
// fit the button). The window's timer
// control drives it: the job goes out at the first tick, after the changed
// button has been drawn.
class PagePrint {
public:
    PagePrint(App& app, Control& button, Control& timer);
    PagePrint(const PagePrint&) = delete;
    PagePrint& operator=(const PagePrint&) = delete;

    // The button was clicked with printImage holding page's print version.
    void click(const Control& printImage, const HeldPage& page);
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
    // The page as it was when the button was pressed.
    PicturePtr picture_;
    HeldPage held_;
};

// Prints a page's print version, its corner at (1000, 1000) twips and at its
// own size, on the default printer, and tells the user what became of it: a
// page file that could not be loaded is named and no job is started; a
// paused printer is said to hold the page; any printer failure ends in the
// program's printing message. Returns what the printer reported, or nullopt
// when nothing was sent.
std::optional<PrintOutcome> printPagePicture(App& app, const PicturePtr& picture, const HeldPage& page);

} // namespace oravians
