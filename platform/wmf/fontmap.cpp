#include "platform/wmf/fontmap.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

namespace oravians {

QString installedFamily(const QString& requested)
{
    const QString name = requested.trimmed().toLower();
    if (name == QLatin1String("tahoma"))
        return QStringLiteral("Tahoma");
    if (name == QLatin1String("times new roman") || name == QLatin1String("times") || name == QLatin1String("tms rmn"))
        return QStringLiteral("Liberation Serif");
    if (name == QLatin1String("arial") || name == QLatin1String("helvetica") || name == QLatin1String("ms sans serif")
        || name == QLatin1String("system") || name.isEmpty())
        return QStringLiteral("Liberation Sans");
    if (name == QLatin1String("courier new") || name == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    return requested.trimmed();
}

void registerBundledFonts()
{
    static bool done = false;
    if (done || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    done = true;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        const QString path = QString::fromLatin1(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

} // namespace oravians
