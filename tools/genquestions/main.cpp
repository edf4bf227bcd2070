// Writes the built-in question files into the program's "multiple" folder:
//   genquestions <program dir> <source>...
#include "platform/contentfiles.h"
#include "quiz/questionfile.h"
#include "tools/genquestions/questionsource.h"

#include <QDir>
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
        // Nothing else in the folder is touched: the register and teachers'
        // worksheets live there too, and the first save creates the register.
    } catch (const std::exception& e) {
        std::fprintf(stderr, "genquestions: %s\n", e.what());
        return 1;
    }
    return 0;
}
