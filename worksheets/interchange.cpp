#include "worksheets/interchange.h"

#include "platform/textcodec.h"
#include "worksheets/aiken.h"
#include "worksheets/gift.h"
#include "worksheets/register.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

namespace oravians {

QString safeTitleBase(const QString& name)
{
    QString out;
    for (QChar c : name) {
        const bool refused = c.category() == QChar::Other_Control || QStringLiteral("/\\<>:\"|?*,").contains(c)
            || c.isSurrogate() || !codePageHolds(QString(c));
        out += refused ? QChar(u' ') : c;
    }
    out = out.simplified();
    while (out.endsWith(u'.') || out.endsWith(u' '))
        out.chop(1);
    return out;
}

namespace {

QString quoted(const QString& s) { return u'"' + s + u'"'; }

// Titles for the worksheets to be made, in order: the category of each
// worksheet's first question or the file's name, numbered " 2", " 3" ...
// past every title registered, already in the folder, or taken earlier here.
QStringList chooseTitles(App& app, const QString& fileName, const std::vector<ForeignQuestion>& questions,
                         int worksheets, QStringList& problems)
{
    readRegister(app);
    QStringList taken;
    for (int i = 1; i <= app.module1.trackcount; ++i)
        taken << app.module1.tracktitles.at(std::size_t(i)).toLower();
    auto isFree = [&](const QString& t) {
        return titleProblem(t).isEmpty() && !taken.contains(t.toLower())
            && !app.files().read(worksheetPath(t)).has_value();
    };
    QStringList titles;
    for (int w = 0; w < worksheets; ++w) {
        QString base = safeTitleBase(questions[std::size_t(w * 10)].category);
        if (base.isEmpty())
            base = safeTitleBase(QFileInfo(fileName).completeBaseName());
        if (base.isEmpty()) {
            problems << QStringLiteral("No title could be made from the file's name %1.").arg(quoted(fileName));
            return {};
        }
        QString title = base;
        for (int n = 2; !isFree(title) && n <= 1000; ++n)
            title = base + numberText(n);
        if (title.size() > kTitleLimit) {
            problems << QStringLiteral("The title %1 is longer than %2 characters; give the file or its category "
                                       "a shorter name.")
                            .arg(quoted(title))
                            .arg(kTitleLimit);
            return {};
        }
        if (!isFree(title)) {
            const QString why = titleProblem(title);
            problems << QStringLiteral("No title could be made from %1: %2")
                            .arg(quoted(base), why.isEmpty() ? QStringLiteral("every numbered title is taken.") : why);
            return {};
        }
        taken << title.toLower();
        titles << title;
    }
    return titles;
}

QuestionSet worksheetOf(const QString& title, const std::vector<ForeignQuestion>& questions, int w)
{
    QuestionSet set{title, {}};
    for (std::size_t i = std::size_t(w * 10); i < std::size_t(w * 10 + 10); ++i) {
        const ForeignQuestion& q = questions[i];
        set.questions.push_back({q.text, q.choices, {QString::number(q.right)}});
    }
    return set;
}

} // namespace

ImportReport importQuestions(App& app, const QString& fileName, const QByteArray& bytes)
{
    ImportReport report;
    report.fileName = QFileInfo(fileName).fileName();
    const QString text = decodeTeacherText(bytes);
    report.format = guessFormat(fileName, text);
    QuestionReading reading = report.format == InterchangeFormat::Gift ? readGift(text) : readAiken(text);
    report.skipped = reading.skipped;
    const int worksheets = int(reading.questions.size() / 10);
    for (std::size_t i = std::size_t(worksheets) * 10; i < reading.questions.size(); ++i)
        report.leftOver.push_back(reading.questions[i].line);
    if (worksheets == 0) {
        report.problems << QStringLiteral("A worksheet needs ten questions; the file has %1 that can be used.")
                               .arg(reading.questions.size());
        return report;
    }
    try {
        // Held from choosing the titles to registering them, so that another
        // computer importing into the same folder cannot take the same ones.
        const auto lock = lockRegister(app);
        const QStringList titles = chooseTitles(app, fileName, reading.questions, worksheets, report.problems);
        for (int w = 0; w < titles.size(); ++w) {
            writeQuestionFile(app.files(), worksheetPath(titles[w]), worksheetOf(titles[w], reading.questions, w));
            trackworksheetsLocked(app, titles[w]);
            report.imported << titles[w];
        }
    } catch (const std::exception& e) {
        report.problems << QStringLiteral("A worksheet could not be saved: %1").arg(QString::fromStdString(e.what()));
    }
    return report;
}

ImportReport importFile(App& app, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ImportReport report;
        report.fileName = QFileInfo(path).fileName();
        report.format = guessFormat(path, {});
        report.problems << QStringLiteral("The file %1 could not be opened: %2").arg(quoted(path), file.errorString());
        return report;
    }
    return importQuestions(app, path, file.readAll());
}

QString ImportReport::text() const
{
    QStringList lines;
    const QString from = QStringLiteral(" from %1 (%2)").arg(fileName, formatName(format));
    if (imported.isEmpty()) {
        lines << QStringLiteral("No worksheets imported") + from + u'.';
    } else {
        QStringList titles;
        for (const QString& t : imported)
            titles << quoted(t);
        lines << QStringLiteral("Imported %1 worksheet%2").arg(imported.size()).arg(imported.size() == 1 ? "" : "s")
                + from + QStringLiteral(": ") + titles.join(QStringLiteral(", ")) + u'.';
    }
    lines << problems;
    if (!skipped.empty()) {
        lines << QStringLiteral("Skipped %1 question%2:").arg(skipped.size()).arg(skipped.size() == 1 ? "" : "s");
        for (const SkippedQuestion& s : skipped)
            lines << QStringLiteral("  line %1: %2").arg(s.line).arg(s.reason);
    }
    if (!leftOver.empty() && !imported.isEmpty()) {
        QStringList at;
        for (int line : leftOver)
            at << QString::number(line);
        lines << QStringLiteral("Left over: %1 question%2 (a worksheet needs ten), at line%3 %4.")
                     .arg(leftOver.size())
                     .arg(leftOver.size() == 1 ? "" : "s", leftOver.size() == 1 ? "" : "s", at.join(QStringLiteral(", ")));
    }
    return lines.join(u'\n');
}

ExportReport exportWorksheets(App& app, const QString& folder, InterchangeFormat format, const QStringList& titles)
{
    ExportReport report;
    report.folder = folder;
    QStringList chosen = titles;
    if (chosen.isEmpty()) {
        try {
            readRegister(app);
        } catch (const RegisterError& e) {
            report.problems << QStringLiteral("The list of worksheets could not be read: %1")
                                   .arg(QString::fromStdString(e.what()));
            return report;
        }
        for (int i = 1; i <= app.module1.trackcount; ++i)
            chosen << app.module1.tracktitles.at(std::size_t(i));
    }
    if (!QDir().mkpath(folder)) {
        report.problems << QStringLiteral("The folder %1 could not be made.").arg(quoted(folder));
        return report;
    }
    for (const QString& title : chosen) {
        const std::optional<QByteArray> bytes = app.files().read(worksheetPath(title));
        Module1 bank;
        bool complete = false;
        if (bytes) {
            InputFile file(*bytes);
            try {
                loadworksheet(bank, file);
                complete = bankIsComplete(bank);
            } catch (const QuestionFileError&) {
            }
        }
        if (!complete) {
            report.problems << QStringLiteral("The worksheet %1 could not be read.").arg(quoted(title));
            continue;
        }
        QuestionSet set = questionSetFromBank(bank);
        set.title = title;
        const bool gift = format == InterchangeFormat::Gift;
        // A title from a register edited by hand may hold what a file name cannot.
        const QString name = safeTitleBase(title) + (gift ? QStringLiteral(".gift") : QStringLiteral(".txt"));
        QStringEncoder utf8(QStringEncoder::Utf8);
        const QByteArray out = utf8(gift ? giftText(set) : aikenText(set));
        QSaveFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
            report.problems << QStringLiteral("%1 could not be written: %2").arg(quoted(name), file.errorString());
            continue;
        }
        report.written << name;
    }
    return report;
}

QString ExportReport::text() const
{
    QStringList lines;
    lines << QStringLiteral("Exported %1 worksheet%2 to %3")
                 .arg(written.size())
                 .arg(written.size() == 1 ? "" : "s")
                 .arg(QDir::toNativeSeparators(folder))
            + (written.isEmpty() ? QStringLiteral(".") : QStringLiteral(":"));
    for (const QString& name : written)
        lines << QStringLiteral("  ") + name;
    lines << problems;
    return lines.join(u'\n');
}

} // namespace oravians
