#include "platform/fontmap.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

namespace oravians {

namespace {

const QString kSystemFonts = QStringLiteral("/usr/share/wine/fonts");

// Each face from the first folder that has a usable copy of it.
void addTahoma(const QStringList& folders)
{
    for (const QString& name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")}) {
        for (const QString& folder : folders) {
            const QString file = folder + QLatin1Char('/') + name;
            if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0)
                break;
        }
    }
}

} // namespace

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
    addTahoma({kSystemFonts});
}

void addProgramFonts(const QString& contentFolder)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    addProgramFontsAgain(contentFolder);
}

void addProgramFontsAgain(const QString& contentFolder)
{
    addTahoma({contentFolder + QStringLiteral("/fonts"), kSystemFonts});
}

} // namespace oravians
