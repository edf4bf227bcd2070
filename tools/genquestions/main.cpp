// Writes the built-in question files, and an empty worksheet register, into
// the program's "multiple" folder:
//   genquestions <program dir> <source>...
#include "platform/contentfiles.h"
#include "quiz/questionfile.h"
#include "tools/genquestions/questionsource.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    using namespace oravians;
    if (argc < 3) {
        std::fprintf(stderr, "usage: genquestions <program dir> <source>...\n");
        return 2;
    }
    try {
        ContentFiles files(QString::fromLocal8Bit(argv[1]));
        const QString folder = files.folder() + QStringLiteral("/multiple");
        if (!QDir().mkpath(folder))
            throw std::runtime_error("cannot create " + folder.toStdString());
        for (int i = 2; i < argc; ++i) {
            const QuestionSource src = readQuestionSource(QString::fromLocal8Bit(argv[i]));
            writeQuestionFile(files, "multiple/" + src.title + ".txt", src.set());
        }
        // The register with no teacher-made worksheets yet: its count line
        // alone. An existing register lists teachers' work: never replace it.
        const QString track = QStringLiteral("multiple/track.txt");
        if (!QFileInfo::exists(files.contentPath(track)))
            writeLines(files, track, {QStringLiteral(" 0 ")});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "genquestions: %s\n", e.what());
        return 1;
    }
    return 0;
}
