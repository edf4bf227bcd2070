// Saves worksheets into a program folder as the wizard does (question file,
// then the register), for the crash and concurrency tests:
//   worksheet_saver <program folder> <title prefix> <count> [<distinct titles>]
// Saves "<prefix> 1" ... "<prefix> <count>"; with a number of distinct titles
// it cycles through that many, so later saves replace earlier files. Prints a
// line after each save; exits 1 on the first failure.
#include "platform/contentfiles.h"
#include "quiz/questionfile.h"
#include "tests/support/fakes.h"
#include "worksheets/register.h"

#include <cstdio>
#include <cstdlib>

using namespace oravians;

namespace {
QuestionSet sheet(const QString& title, int n)
{
    QuestionSet set{title, {}};
    for (int q = 1; q <= 10; ++q) {
        const QString stem = QStringLiteral("%1 question %2").arg(title).arg(q);
        set.questions.push_back(Question{stem,
                                         {stem + QStringLiteral(" a"), stem + QStringLiteral(" b"),
                                          stem + QStringLiteral(" c"), stem + QStringLiteral(" d")},
                                         {QString::number(1 + (q + n) % 4)}});
    }
    return set;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    testing::FakeSound sound;
    testing::FakePrinter printer;
    testing::FakeMessages messages;
    testing::FakeScreen screen;
    testing::FakeTimers timers;
    testing::FakePictures pictures;
    testing::FakeRandom random;
    testing::FakeMeasure measure;
    ContentFiles files(QString::fromLocal8Bit(argv[1]));
    App app(Services{&sound, &printer, &messages, &screen, &timers, &pictures, &random, &measure, nullptr, &files});
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    const int distinct = argc > 4 ? std::atoi(argv[4]) : count;
    try {
        for (int i = 0; i < count; ++i) {
            const QString title = prefix + QStringLiteral(" %1").arg(1 + i % distinct);
            writeQuestionFile(files, QStringLiteral("multiple\\") + title + QStringLiteral(".txt"), sheet(title, i));
            trackworksheets(app, title);
            std::printf("saved %s\n", qPrintable(title));
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "worksheet_saver: %s\n", e.what());
        return 1;
    }
    return 0;
}
