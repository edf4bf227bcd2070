#include "platform/log.h"

#include <QMutex>
#include <QSet>

#include <cstdio>

namespace oravians {

namespace {

// The sound worker logs too, so the state is guarded.
QMutex& mutex()
{
    static QMutex m;
    return m;
}

std::function<void(const QString&)>& sink()
{
    static std::function<void(const QString&)> s;
    return s;
}

QSet<QString>& written()
{
    static QSet<QString> s;
    return s;
}

void write(const QString& message)
{
    if (sink()) {
        sink()(message);
        return;
    }
    const QByteArray line = "oravians: " + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void logProblem(const QString& message)
{
    QMutexLocker lock(&mutex());
    write(message);
}

void logProblemOnce(const QString& message)
{
    QMutexLocker lock(&mutex());
    if (written().contains(message))
        return;
    written().insert(message);
    write(message);
}

void setLogSink(std::function<void(const QString&)> s)
{
    QMutexLocker lock(&mutex());
    sink() = std::move(s);
    written().clear();
}

} // namespace oravians
