#pragma once

#include <QString>

namespace oravians {

// Where the register and teachers' worksheets are kept. They stay in
// "multiple" beside the program while that folder takes new files (a copy on a
// shared drive, a build folder); an installed or read-only program keeps them
// in a worksheet folder instead: the one the administrator names, else the
// user's own.
struct WorksheetFolderChoice {
    // The system-wide setting: a text file with a line "folder=/path".
    QString settingFile = QStringLiteral("/etc/oravians/worksheets.conf");
    // ORAVIANS_WORKSHEETS: names the folder too, before the setting file.
    QString environment;
    // The user's own data folder, used when nothing names a folder.
    QString userFolder;

    // The choice a running program makes: the real setting file, the
    // environment variable and the user's data folder.
    static WorksheetFolderChoice system();
};

// Empty when the program folder's "multiple" folder takes new files and the
// program was not installed by a package (which leaves a file "installed" in
// the program folder);
// otherwise the worksheet folder to use (not created here: the first save
// creates it).
QString chooseWorksheetFolder(const QString& programFolder, const WorksheetFolderChoice& choice);

// True when a file can really be created and removed in folder (permission
// bits say nothing about a read-only share or mount).
bool folderTakesNewFiles(const QString& folder);

// The folder the setting file names, or empty when the file is missing or
// names none; a line it cannot use is logged.
QString folderFromSettingFile(const QString& settingFile);

} // namespace oravians
