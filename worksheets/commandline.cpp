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
    QStringList rest = args.mid(2);
    if (c.action == CommandLine::Action::Export && rest.size() == 2 && rest[0] == QLatin1String("--format")) {
        if (rest[1].compare(QLatin1String("gift"), Qt::CaseInsensitive) == 0)
            c.format = InterchangeFormat::Gift;
        else if (rest[1].compare(QLatin1String("aiken"), Qt::CaseInsensitive) == 0)
            c.format = InterchangeFormat::Aiken;
        else
            return wrong(QStringLiteral("Unknown format %1: use gift or aiken.").arg(rest[1]));
        rest.clear();
    }
    if (!rest.isEmpty())
        return wrong(QStringLiteral("Unexpected %1.").arg(rest.join(u' ')));
    return c;
}

QString commandLineUsage()
{
    return QStringLiteral("Usage: oravians --import FILE\n"
                          "       oravians --export FOLDER [--format gift|aiken]\n"
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
        const ExportReport r = exportWorksheets(app, command.path, command.format);
        report = r.text();
        return r.succeeded() ? 0 : 1;
    }
    }
    return 1;
}

} // namespace oravians
