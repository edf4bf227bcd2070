#include "platform/qt/servicemodule.h"

#include "platform/log.h"

#include <QCoreApplication>

namespace oravians {

QFunctionPointer loadServiceModule(const QString& file, const char* factory)
{
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/modules/") + file);
    const QFunctionPointer found = module.resolve(factory);
    if (!found)
        logProblemOnce(QStringLiteral("cannot load %1: %2").arg(file, module.errorString()));
    return found;
}

} // namespace oravians
