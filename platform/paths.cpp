#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

namespace oravians {

QString resolveContentPath(const QString& relativePath, const QString& root)
{
    QString normal = relativePath;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = root;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const QString exact = path + QLatin1Char('/') + parts[i];
        if (QFileInfo::exists(exact)) {
            path = exact;
            continue;
        }
        const QString lower = path + QLatin1Char('/') + parts[i].toLower();
        if (!last || QFileInfo::exists(lower)) {
            path = lower;
            continue;
        }
        // A file written in another case than on disk.
        const QStringList entries = QDir(path).entryList(QDir::Files | QDir::Hidden);
        QString match = exact;
        for (const QString& e : entries) {
            if (e.compare(parts[i], Qt::CaseInsensitive) == 0) {
                match = path + QLatin1Char('/') + e;
                break;
            }
        }
        path = match;
    }
    return path;
}

} // namespace oravians
