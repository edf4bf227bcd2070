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

QStringList fallbackFamilies(const QString& requested)
{
    // The Simplified Chinese faces of the CJK fonts also carry Japanese kana
    // and Korean Hangul. Left to itself the font system picks a sans-serif
    // face for every script, which looks out of place in a serif line.
    if (installedFamily(requested) == QLatin1String("Liberation Serif"))
        return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Naskh Arabic"),
                QStringLiteral("Noto Serif Devanagari"), QStringLiteral("Noto Serif Bengali"),
                QStringLiteral("Noto Serif Gurmukhi"), QStringLiteral("Noto Serif Tamil"), QStringLiteral("Noto Serif")};
    return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans")};
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
