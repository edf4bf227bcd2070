#include "topics/pageprint.h"

#include <exception>

namespace oravians {

bool printPagePicture(App& app, const Control& printPicture)
{
    try {
        // Checked before the job starts so that a missing page never costs a blank sheet.
        if (!printPicture.picture)
            throw PrintError("the page to print could not be loaded");
        Printer& printer = app.printer();
        printer.print(QString());
        printer.paintPicture(*printPicture.picture, 1000, 1000);
        printer.endDoc();
        return true;
    } catch (const std::exception&) {
        app.messages().show(QStringLiteral("There was a problem printing to your printer."), MsgButtons::Ok,
                            QStringLiteral("The Oravians"));
        return false;
    }
}

} // namespace oravians
