#include "worksheets/register.h"

#include "platform/textcodec.h"
#include "quiz/questionfile.h"

#include <QStringList>

namespace oravians {

namespace {

std::string text(const QString& s) { return s.toStdString(); }

// The count line holds the number between spaces, the way numbers are
// written into text: " 3 ".
void writeRegister(App& app, int count)
{
    const Module1& m = app.module1;
    QStringList lines{numberText(count) + QStringLiteral(" ")};
    for (int i = 1; i <= count; ++i)
        lines << m.tracktitles.at(std::size_t(i));
    if (!app.files().replace(kRegisterPath, encodeLines(lines)))
        throw RegisterError(text("cannot write the worksheet register " + app.files().contentPath(kRegisterPath)));
}

} // namespace

std::unique_ptr<Files::Lock> lockRegister(App& app)
{
    auto lock = app.files().lock(kRegisterPath);
    if (!lock)
        throw RegisterError(text("the worksheet register is in use elsewhere: " + app.files().contentPath(kRegisterPath)));
    return lock;
}

QString worksheetPath(const QString& title) { return QStringLiteral("multiple\\") + title + QStringLiteral(".txt"); }

void readRegister(App& app)
{
    Module1& m = app.module1;
    const std::optional<QByteArray> bytes = app.files().read(kRegisterPath);
    if (!bytes) {
        // Nothing saved yet: the first save creates it.
        m.trackcount = 0;
        return;
    }
    InputFile file(*bytes);
    const QString where = app.files().contentPath(kRegisterPath);
    try {
        bool ok = false;
        const int count = file.readField().trimmed().toInt(&ok);
        if (!ok || count < 0)
            throw RegisterError(text("the count line of the worksheet register is damaged: " + where));
        m.trackcount = count;
        for (int i = 1; i <= count; ++i) {
            if (i > kRegisterCapacity)
                throw RegisterError(text("the worksheet register holds more than 1000 titles: " + where));
            m.tracktitles.at(std::size_t(i)) = file.readField();
        }
    } catch (const EndOfFileError&) {
        throw RegisterError(text("the worksheet register has fewer titles than its count says: " + where));
    }
}

void trackworksheets(App& app, const QString& title)
{
    const auto lock = lockRegister(app);
    trackworksheetsLocked(app, title);
}

void trackworksheetsLocked(App& app, const QString& title)
{
    readRegister(app);
    Module1& m = app.module1;
    const int count = m.trackcount;
    bool found = false;
    for (int i = 1; i <= count; ++i)
        if (m.tracktitles.at(std::size_t(i)) == title)
            found = true;
    if (found)
        return;
    if (count + 1 > kRegisterCapacity)
        throw RegisterError("the worksheet register is full");
    m.tracktitles.at(std::size_t(count + 1)) = title;
    writeRegister(app, count + 1);
}

void delworksheet(App& app)
{
    const auto lock = lockRegister(app);
    readRegister(app);
    Module1& m = app.module1;
    const int count = m.trackcount;
    int p = 0;
    for (int i = 1; i <= count; ++i)
        if (m.tracktitles.at(std::size_t(i)) == m.deltitle)
            p = i;
    // Already gone (another copy of the program removed it): nothing to do.
    if (p == 0)
        return;
    for (int i = p; i < count; ++i)
        m.tracktitles.at(std::size_t(i)) = m.tracktitles.at(std::size_t(i + 1));
    m.trackcount = count - 1;
    writeRegister(app, count - 1);
}

namespace {

// The question sets the program brings with it, in the same folder.
const QStringList kBuiltInSets{QStringLiteral("Edmund Quellmore"), QStringLiteral("Oravian Inventions")};

// Names some file systems (shared folders on other computers) keep for devices.
bool isDeviceName(QString stem)
{
    stem = stem.section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList devices{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL")};
    if (devices.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT")))
        && stem[3] >= u'1' && stem[3] <= u'9';
}

QString chooseAnother(const QString& why) { return why + QStringLiteral(" Please choose another title."); }

} // namespace

QString titleProblem(const QString& title)
{
    if (title.isEmpty())
        return QStringLiteral("You have not chosen a title for your worksheet");
    if (title.trimmed().isEmpty())
        return QStringLiteral("A worksheet title needs letters or numbers, not only spaces.");
    for (QChar c : title) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A worksheet title cannot contain a control character such as a tab.");
        if (QStringLiteral("/\\<>:\"|?*,").contains(c))
            return QStringLiteral("A worksheet title cannot contain the character %1.").arg(c);
    }
    // Each character must come back from the 8-bit file as it went in.
    const QString stored = fromCodePage(toCodePage(title));
    for (qsizetype i = 0; i < title.size(); ++i)
        if (i >= stored.size() || stored[i] != title[i])
            return QStringLiteral("A worksheet title cannot contain the character %1.").arg(title.mid(i, title[i].isHighSurrogate() ? 2 : 1));
    if (title.startsWith(u' '))
        return QStringLiteral("A worksheet title cannot begin with a space.");
    if (title.endsWith(u' ') || title.endsWith(u'.'))
        return QStringLiteral("A worksheet title cannot end with a space or a full stop.");
    for (const QString& name : kBuiltInSets)
        if (title.compare(name, Qt::CaseInsensitive) == 0)
            return chooseAnother(QStringLiteral("\"%1\" is the title of one of the program's own quizzes.").arg(name));
    if (title.compare(QLatin1String("track"), Qt::CaseInsensitive) == 0)
        return chooseAnother(QStringLiteral("The program keeps its list of worksheets under the name \"track\"."));
    if (isDeviceName(title))
        return chooseAnother(QStringLiteral("\"%1\" is a name the computer keeps for itself.").arg(title));
    return {};
}

} // namespace oravians
