#include "platform/worksheetfolder.h"

#include "platform/log.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace oravians {

WorksheetFolderChoice WorksheetFolderChoice::system()
{
    WorksheetFolderChoice c;
    c.environment = qEnvironmentVariable("ORAVIANS_WORKSHEETS");
    // Named by the program, not by the application's display name, so the
    // window path and the command line (which run as different applications)
    // find the same folder: ~/.local/share/oravians/worksheets.
    c.userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/oravians/worksheets");
    return c;
}

bool folderTakesNewFiles(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.write-probe-XXXXXX"));
    if (!probe.open())
        return false;
    probe.close();
    return probe.remove();
}

QString folderFromSettingFile(const QString& settingFile)
{
    QFile f(settingFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString folder;
    int lineNo = 0;
    while (!f.atEnd()) {
        ++lineNo;
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString key = line.section(u'=', 0, 0).trimmed();
        const QString value = line.section(u'=', 1).trimmed();
        if (key != QStringLiteral("folder") || !line.contains(u'=')) {
            logProblem(QStringLiteral("%1 line %2: expected folder=/path, ignored").arg(settingFile).arg(lineNo));
            continue;
        }
        if (!QDir::isAbsolutePath(value)) {
            logProblem(QStringLiteral("%1 line %2: the worksheet folder must be a full path, ignored").arg(settingFile).arg(lineNo));
            continue;
        }
        folder = QDir::cleanPath(value);
    }
    return folder;
}

QString chooseWorksheetFolder(const QString& programFolder, const WorksheetFolderChoice& choice)
{
    // A packaged program is marked so: its folder belongs to the package
    // manager even where the user (root) could write to it.
    const bool installed = QFileInfo::exists(programFolder + QStringLiteral("/installed"));
    if (!installed && folderTakesNewFiles(programFolder + QStringLiteral("/multiple")))
        return {};
    if (!choice.environment.isEmpty()) {
        if (QDir::isAbsolutePath(choice.environment))
            return QDir::cleanPath(choice.environment);
        logProblem(QStringLiteral("ORAVIANS_WORKSHEETS must be a full path; ignored"));
    }
    const QString named = folderFromSettingFile(choice.settingFile);
    if (!named.isEmpty())
        return named;
    return choice.userFolder;
}

} // namespace oravians
