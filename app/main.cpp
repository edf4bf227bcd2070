// The Oravians: keeps no settings of its own; its content lives in the
// folders beside the executable. Teachers' worksheets stay there too unless
// that folder is read-only (see platform/worksheetfolder.h). "--import FILE"
// and "--export FOLDER" move worksheets in and out of learning platforms'
// text formats without showing a window.
#include "platform/fontpreloader.h"
#include "platform/qt/host.h"
#include "platform/qt/moduleprinter.h"
#include "platform/qt/modulesound.h"
#include "platform/qt/services.h"
#include "platform/worksheetfolder.h"
#include "kernel/app.h"
#include "shell/titlefrm.h"
#include "worksheets/commandline.h"

#include <QApplication>
#include <QDBusConnection>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <thread>

namespace {

// Imports or exports with no display needed, and prints the report.
int runWithoutWindows(int argc, char** argv, const oravians::CommandLine& command)
{
    QCoreApplication core(argc, argv);
    const QString contentFolder = QCoreApplication::applicationDirPath();
    oravians::ContentFiles files(
        contentFolder, oravians::chooseWorksheetFolder(contentFolder, oravians::WorksheetFolderChoice::system()));
    oravians::App app(oravians::Services{.files = &files});
    QString report;
    const int status = oravians::runCommandLine(app, command, report);
    std::fputs(report.toLocal8Bit().constData(), status == 0 ? stdout : stderr);
    std::fputs("\n", status == 0 ? stdout : stderr);
    return status;
}

// What waits for the title screen's first painting: the rest of the fonts,
// read in the background. For bench_startup, with
// ORAVIANS_EXIT_AFTER_FIRST_PAINT set, the painting is reported on standard
// output ("painted") and the program ends instead.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(oravians::App& app, oravians::FontPreloader& fonts) : app_(app), fonts_(fonts) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && app_.loaded<oravians::Titlefrm>()) {
            watched->removeEventFilter(this); // once is all it waits for
            // Queued: it runs once the painted frame has gone to the screen.
            QTimer::singleShot(0, this, [this] {
                if (!qEnvironmentVariableIsSet("ORAVIANS_EXIT_AFTER_FIRST_PAINT")) {
                    fonts_.loadAllFonts();
                    return;
                }
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    oravians::App& app_;
    oravians::FontPreloader& fonts_;
};

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const oravians::CommandLine command = oravians::parseCommandLine(args);
    if (command.action != oravians::CommandLine::Action::Windows)
        return runWithoutWindows(argc, argv, command);

    oravians::FontPreloader fonts;
    QApplication qapp(argc, argv);
    // Qt's screen-reader bridge connects to the session bus when the window
    // first shows, and waits for it (where none runs, D-Bus starts one
    // first). It is asked for here, on a thread, and the title is loaded
    // while the connection is made.
    std::thread bus([] { QDBusConnection::sessionBus(); });
    QApplication::setApplicationName(QStringLiteral("The Oravians"));
    const QString contentFolder = QCoreApplication::applicationDirPath();
    fonts.addProgramFonts(contentFolder);

    oravians::SystemServices system(
        contentFolder, oravians::chooseWorksheetFolder(contentFolder, oravians::WorksheetFolderChoice::system()),
        std::make_unique<oravians::ModuleSound>(contentFolder), std::make_unique<oravians::ModulePrinter>());
    oravians::App app(system.services());
    system.timers.setDesktop(&app);
    oravians::Host host(app);
    system.messages.setParent(&host);
    system.fileDialogs.setParent(&host);
    app.onEnd = [] { QCoreApplication::quit(); };
    AfterFirstPaint afterFirstPaint(app, fonts);
    host.installEventFilter(&afterFirstPaint);

    app.show<oravians::Titlefrm>();
    // Without a window manager a full-screen request alone keeps the default size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        host.setGeometry(screen->geometry());
    host.showFullScreen();
    const int status = app.ended() ? 0 : QApplication::exec();
    fonts.wait();
    bus.join();
    return status;
}
