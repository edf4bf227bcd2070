#include "platform/contentfiles.h"

#include "platform/paths.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>

namespace oravians {

QString ContentFiles::contentPath(const QString& programPath) { return resolveContentPath(programPath, folder_); }

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
    QSaveFile f(contentPath(programPath));
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
    auto held = std::make_unique<LockFile>(contentPath(programPath) + QStringLiteral(".lock"));
    // A lock left by a program that died is taken over after this long; no
    // save holds it for more than a moment.
    held->file.setStaleLockTime(30000);
    if (!held->file.tryLock(10000))
        return nullptr;
    return held;
}

} // namespace oravians
