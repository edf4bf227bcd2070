#pragma once

#include "kernel/printbutton.h"
#include "topics/heldpage.h"

#include <optional>

namespace oravians {

// The "Print" button of a page window: one job for the page shown per
// press, paced as every print button is.
class PagePrint {
public:
    PagePrint(App& app, Control& button, Control& timer);

    // The button was clicked with printImage holding page's print version.
    void click(const Control& printImage, const HeldPage& page);
    // The timer's tick: sends the job, or ends the moment after it.
    void tick() { button_.tick(); }

    static constexpr int kSendAfterMs = PrintButton::kSendAfterMs;
    static constexpr int kRestMs = PrintButton::kRestMs;

private:
    App& app_;
    PrintButton button_;
};

// Prints a page's print version, its corner at (1000, 1000) twips and at its
// own size, on the default printer, and tells the user what became of it: a
// page file that could not be loaded is named and no job is started; a
// paused printer is said to hold the page; any printer failure ends in the
// program's printing message. Returns what the printer reported, or nullopt
// when nothing was sent.
std::optional<PrintOutcome> printPagePicture(App& app, const PicturePtr& picture, const HeldPage& page);

} // namespace oravians
