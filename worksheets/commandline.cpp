#include "worksheets/commandline.h"

namespace oravians {

CommandLine parseCommandLine(const QStringList& args)
{
    CommandLine c;
    if (args.isEmpty())
        return c;
    auto wrong = [](const QString& why) { return CommandLine{CommandLine::Action::Wrong, {}, {}, why}; };
    const QString verb = args[0];
    if (verb != QLatin1String("--import") && verb != QLatin1String("--export"))
        return wrong(QStringLiteral("Unknown option %1.").arg(verb));
    if (args.size() < 2 || args[1].startsWith(QLatin1String("--")))
        return wrong(QStringLiteral("%1 needs a %2.").arg(verb, verb == QLatin1String("--import") ? "file" : "folder"));
    c.action = verb == QLatin1String("--import") ? CommandLine::Action::Import : CommandLine::Action::Export;
    c.path = args[1];
    const QStringList rest = args.mid(2);
    bool formatGiven = false;
    for (qsizetype i = 0; i < rest.size(); i += 2) {
        const QString& option = rest[i];
        const bool known = c.action == CommandLine::Action::Export
                           && (option == QLatin1String("--format") || option == QLatin1String("--title"));
        if (!known)
            return wrong(QStringLiteral("Unexpected %1.").arg(rest.mid(i).join(u' ')));
        if (i + 1 >= rest.size())
            return wrong(QStringLiteral("%1 needs a value.").arg(option));
        const QString& value = rest[i + 1];
        if (option == QLatin1String("--title")) {
            c.titles << value;
        } else if (formatGiven) {
            return wrong(QStringLiteral("--format is given twice."));
        } else if (value.compare(QLatin1String("gift"), Qt::CaseInsensitive) == 0) {
            c.format = InterchangeFormat::Gift;
            formatGiven = true;
        } else if (value.compare(QLatin1String("aiken"), Qt::CaseInsensitive) == 0) {
            c.format = InterchangeFormat::Aiken;
            formatGiven = true;
        } else {
            return wrong(QStringLiteral("Unknown format %1: use gift or aiken.").arg(value));
        }
    }
    return c;
}

QString commandLineUsage()
{
    return QStringLiteral("Usage: oravians --import FILE\n"
                          "       oravians --export FOLDER [--format gift|aiken] [--title TITLE]...\n"
                          "Without options the program opens its windows.");
}

int runCommandLine(App& app, const CommandLine& command, QString& report)
{
    switch (command.action) {
    case CommandLine::Action::Windows:
        return 0;
    case CommandLine::Action::Wrong:
        report = command.problem + u'\n' + commandLineUsage();
        return 1;
    case CommandLine::Action::Import: {
        const ImportReport r = importFile(app, command.path);
        report = r.text();
        return r.succeeded() ? 0 : 1;
    }
    case CommandLine::Action::Export: {
        const ExportReport r = exportWorksheets(app, command.path, command.format, command.titles);
        report = r.text();
        return r.succeeded() ? 0 : 1;
    }
    }
    return 1;
}

} // namespace oravians
