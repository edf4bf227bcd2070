// The Oravians: takes no arguments; its content lives in the folders beside
// the executable. Teachers' worksheets stay there too unless that folder is
// read-only (see platform/worksheetfolder.h).
#include "platform/fontmap.h"
#include "platform/qt/host.h"
#include "platform/qt/services.h"
#include "platform/worksheetfolder.h"
#include "kernel/app.h"
#include "shell/titlefrm.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Oravians"));
    const QString contentFolder = QCoreApplication::applicationDirPath();
    oravians::addProgramFonts(contentFolder);

    oravians::SystemServices system(
        contentFolder, oravians::chooseWorksheetFolder(contentFolder, oravians::WorksheetFolderChoice::system()));
    oravians::App app(system.services());
    system.timers.setDesktop(&app);
    oravians::Host host(app);
    system.messages.setParent(&host);
    app.onEnd = [] { QCoreApplication::quit(); };

    // Without a window manager a full-screen request alone keeps the default size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        host.setGeometry(screen->geometry());
    host.showFullScreen();
    app.show<oravians::Titlefrm>();
    if (app.ended())
        return 0;
    return QApplication::exec();
}
