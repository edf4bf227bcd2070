#include "kernel/printbutton.h"

namespace oravians {

PrintButton::PrintButton(App& app, Control& button, Control& timer) : app_(app), button_(button), timer_(timer) {}

void PrintButton::click(Job job)
{
    if (job_ || !button_.enabled)
        return;
    job_ = std::move(job);
    caption_ = button_.caption;
    font_ = button_.font;
    button_.caption = QStringLiteral("Printing...");
    button_.font = tahoma(9.75f);
    button_.enabled = false;
    timer_.setInterval(kSendAfterMs);
    timer_.setEnabled(true);
}

void PrintButton::tick()
{
    if (!job_) {
        restore();
        return;
    }
    // Stopped while the printer works: a message box's own event loop must
    // not tick this again and send a second job.
    timer_.setEnabled(false);
    const Job job = std::move(job_);
    job_ = nullptr;
    if (!job()) {
        restore(); // nothing went out; the user may try again at once
        return;
    }
    timer_.setInterval(kRestMs);
    timer_.setEnabled(true);
}

void PrintButton::restore()
{
    timer_.setEnabled(false);
    button_.caption = caption_;
    button_.font = font_;
    button_.enabled = true;
}

} // namespace oravians
