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

PagePrint::PagePrint(App& app, Control& button, Control& timer) : app_(app), button_(app, button, timer) {}

void PagePrint::click(const Control& printImage, const HeldPage& page)
{
    if (!printImage.picture) {
        printPagePicture(app_, nullptr, page);
        return;
    }
    // The page as it was when the button was pressed.
    button_.click([this, picture = printImage.picture, page] {
        return printPagePicture(app_, picture, page).has_value();
    });
}

} // namespace oravians
