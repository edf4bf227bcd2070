#include "platform/contentfiles.h"

#include "platform/paths.h"

#include <QFile>
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

} // namespace oravians
