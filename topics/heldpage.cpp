#include "topics/heldpage.h"

namespace oravians {

HeldPage HeldPage::load(App& app, Control& screenImage, Control& printImage, const QString& screenFile,
                        const QString& printFile)
{
    HeldPage page{screenFile, printFile};
    page.screenFault = loadPicture(app, screenImage, screenFile);
    page.printFault = loadPicture(app, printImage, printFile);
    return page;
}

QString pageProblem(const QString& file, PictureFault fault)
{
    switch (fault) {
    case PictureFault::None:
        return {};
    case PictureFault::Missing:
        return QStringLiteral("The page %1 could not be found.").arg(file);
    case PictureFault::Unreadable:
        return QStringLiteral("The page %1 could not be read.").arg(file);
    }
    return {};
}

} // namespace oravians
