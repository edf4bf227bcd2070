#pragma once

#include "kernel/app.h"
#include "quiz/questionfile.h"
#include "worksheets/questionreading.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace oravians {


// What became of importing one file. Nothing is written unless the whole
// file was read and every title could be made.
struct ImportReport {
    QString fileName;
    InterchangeFormat format = InterchangeFormat::Gift;
    QStringList imported; // titles, in file order
    std::vector<SkippedQuestion> skipped;
    std::vector<int> leftOver; // lines of usable questions too few to make another worksheet
    QStringList problems; // why nothing, or not everything, was saved
    bool succeeded() const { return problems.isEmpty() && !imported.isEmpty(); }
    // The report a teacher reads, one point a line.
    QString text() const;
};

// Reads a teacher's file (its name picks the format and gives a title) and
// saves every ten usable questions as a worksheet, registered as the wizard
// registers one.
ImportReport importQuestions(App& app, const QString& fileName, const QByteArray& bytes);
// The same for a file on disk; one that cannot be opened is reported.
ImportReport importFile(App& app, const QString& path);

struct ExportReport {
    QString folder;
    QStringList written; // file names inside folder
    QStringList problems;
    bool succeeded() const { return problems.isEmpty(); }
    QString text() const;
};

// Writes each worksheet of titles (all registered ones when empty) to its own
// file in folder: "title.gift" or, for Aiken, "title.txt", UTF-8. Importing
// such a file gives back the same title, texts and right answers.
ExportReport exportWorksheets(App& app, const QString& folder, InterchangeFormat format,
                              const QStringList& titles = {});

// The title a worksheet made from a category or file name may take: what a
// title cannot hold becomes a space, spaces and full stops are trimmed.
QString safeTitleBase(const QString& name);

} // namespace oravians
