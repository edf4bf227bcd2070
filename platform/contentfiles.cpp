#include "platform/contentfiles.h"

#include "platform/log.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace oravians {

namespace {
// The part of a program path below "multiple", or nothing for a path elsewhere.
std::optional<QString> belowQuestionFolder(const QString& programPath)
{
    QString normal = programPath;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype slash = normal.indexOf(QLatin1Char('/'));
    const QString first = slash < 0 ? normal : normal.left(slash);
    if (first.compare(QLatin1String("multiple"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return slash < 0 ? QString() : normal.mid(slash + 1);
}
} // namespace

QString ContentFiles::contentPath(const QString& programPath)
{
    const QString shipped = resolveContentPath(programPath, folder_);
    if (worksheetFolder_.isEmpty())
        return shipped;
    const std::optional<QString> name = belowQuestionFolder(programPath);
    if (!name)
        return shipped;
    // A question set the program folder holds is a built-in one; the register
    // there (from an older copy) is not the teachers' current one.
    const bool isRegister = name->compare(QLatin1String("track.txt"), Qt::CaseInsensitive) == 0;
    if (!isRegister && !name->isEmpty() && QFileInfo(shipped).isFile())
        return shipped;
    return name->isEmpty() ? worksheetFolder_ : resolveContentPath(*name, worksheetFolder_);
}

bool ContentFiles::makeFolderFor(const QString& path) const
{
    if (worksheetFolder_.isEmpty() || !path.startsWith(worksheetFolder_ + QLatin1Char('/')))
        return true;
    if (QDir().mkpath(worksheetFolder_))
        return true;
    logProblemOnce(QStringLiteral("cannot create the worksheet folder ") + worksheetFolder_);
    return false;
}

std::optional<QByteArray> ContentFiles::read(const QString& programPath)
{
    QFile f(contentPath(programPath));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool ContentFiles::replace(const QString& programPath, const QByteArray& bytes)
{
    const QString path = contentPath(programPath);
    if (!makeFolderFor(path))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

namespace {
class LockFile : public Files::Lock {
public:
    explicit LockFile(const QString& path) : file(path) {}
    QLockFile file;
};
} // namespace

std::unique_ptr<Files::Lock> ContentFiles::lock(const QString& programPath)
{
    const QString path = contentPath(programPath);
    if (!makeFolderFor(path))
        return nullptr;
    auto held = std::make_unique<LockFile>(path + QStringLiteral(".lock"));
    // A lock left by a program that died is taken over after this long; no
    // save holds it for more than a moment.
    held->file.setStaleLockTime(30000);
    const QString lockPath = path + QStringLiteral(".lock");
    QDeadlineTimer deadline(10000);
    while (!held->file.tryLock(250)) {
        if (held->file.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return nullptr;
        // A program killed between creating its lock file and writing its
        // name into it leaves an empty file, which would block every save
        // until the stale time; nobody alive leaves it empty this long.
        qint64 pid = 0;
        QString host, app;
        const QDateTime made = QFileInfo(lockPath).lastModified();
        if (!held->file.getLockInfo(&pid, &host, &app) && made.isValid() && made.msecsTo(QDateTime::currentDateTime()) > 2000)
            held->file.removeStaleLockFile();
    }
    return held;
}

} // namespace oravians
