#include "topics/pageprint.h"

namespace oravians {

namespace {
void tell(App& app, const QString& text)
{
    app.messages().show(text, MsgButtons::Ok, QStringLiteral("The Oravians"));
}
} // namespace

std::optional<PrintOutcome> printPagePicture(App& app, const PicturePtr& picture, const HeldPage& page)
{
    // Checked before the job starts so that a missing page never costs a blank sheet.
    if (!picture) {
        const PictureFault fault = page.printFault == PictureFault::None ? PictureFault::Missing : page.printFault;
        tell(app, pageProblem(page.printFile, fault));
        return std::nullopt;
    }
    PrintOutcome outcome;
    try {
        Printer& printer = app.printer();
        printer.print(QString());
        printer.paintPicture(*picture, 1000, 1000);
        outcome = printer.endDoc();
    } catch (const PrintError&) {
        tell(app, QStringLiteral("There was a problem printing to your printer."));
        return std::nullopt;
    }
    if (outcome == PrintOutcome::Held)
        tell(app, QStringLiteral("Your printer is paused. This will print when it is started again."));
    return outcome;
}

PagePrint::PagePrint(App& app, Control& button, Control& timer) : app_(app), button_(button), timer_(timer) {}

void PagePrint::click(const Control& printImage, const HeldPage& page)
{
    if (!printImage.picture) {
        printPagePicture(app_, nullptr, page);
        return;
    }
    picture_ = printImage.picture;
    held_ = page;
    caption_ = button_.caption;
    font_ = button_.font;
    button_.caption = QStringLiteral("Printing...");
    button_.font = tahoma(9.75f);
    button_.enabled = false;
    timer_.setInterval(kSendAfterMs);
    timer_.setEnabled(true);
}

void PagePrint::tick()
{
    if (!picture_) {
        restore();
        return;
    }
    // Stopped while the printer works: a message box's own event loop must
    // not tick this again and send a second job.
    timer_.setEnabled(false);
    const PicturePtr picture = std::move(picture_);
    picture_.reset();
    if (!printPagePicture(app_, picture, held_)) {
        restore(); // nothing went out; the pupil may try again at once
        return;
    }
    timer_.setInterval(kRestMs);
    timer_.setEnabled(true);
}

void PagePrint::restore()
{
    timer_.setEnabled(false);
    button_.caption = caption_;
    button_.font = font_;
    button_.enabled = true;
}

} // namespace oravians
