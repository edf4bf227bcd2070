#pragma once

#include "worksheets/interchange.h"

#include <QStringList>

namespace oravians {

// What the program was asked to do: show its windows, or import or export
// worksheets and end without showing any.
struct CommandLine {
    enum class Action { Windows, Import, Export, Wrong };
    Action action = Action::Windows;
    QString path; // the file to import or the folder to export to
    InterchangeFormat format = InterchangeFormat::Gift;
    QString problem; // for Wrong: what was not understood
    QStringList titles; // for Export: the worksheets to write; all when empty
};

// args without the program's own name.
CommandLine parseCommandLine(const QStringList& args);

// The usage text printed for arguments not understood.
QString commandLineUsage();

// Carries out an import or export; the report for the teacher or technician
// goes to report. Returns the exit status: 0 when everything asked for was
// done, 1 otherwise.
int runCommandLine(App& app, const CommandLine& command, QString& report);

} // namespace oravians
