// Saving worksheets from real processes: killed at any moment, or two at once,
// the register and every worksheet it lists stay whole.
#include "platform/contentfiles.h"
#include "quiz/questionfile.h"
#include "tests/support/fakes.h"
#include "worksheets/register.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>

using namespace oravians;

namespace {

QProcess* startSaver(const QString& program, const QString& prefix, int count, int distinct)
{
    auto* p = new QProcess;
    p->start(QStringLiteral(WORKSHEET_SAVER), {program, prefix, QString::number(count), QString::number(distinct)});
    EXPECT_TRUE(p->waitForStarted(30000));
    return p;
}

// The registered titles, after checking that each one's question file opens
// complete under its own title.
QStringList registeredWhole(const QString& program)
{
    oravians::testing::Rig rig;
    ContentFiles files(program);
    App app(Services{&rig.sound, &rig.printer, &rig.messages, &rig.screen, &rig.timers, &rig.pictures, &rig.random,
                     &rig.measure, nullptr, &files});
    try {
        readRegister(app);
    } catch (const RegisterError& e) {
        ADD_FAILURE() << "register unreadable: " << e.what();
        return {};
    }
    QStringList titles;
    for (int i = 1; i <= app.module1.trackcount; ++i) {
        const QString title = app.module1.tracktitles[i];
        titles << title;
        const std::optional<QByteArray> bytes = files.read(QStringLiteral("multiple\\") + title + QStringLiteral(".txt"));
        if (!bytes) {
            ADD_FAILURE() << "no question file for " << title.toStdString();
            continue;
        }
        InputFile f(*bytes);
        Module1 bank;
        try {
            loadworksheet(bank, f);
        } catch (const QuestionFileError& e) {
            ADD_FAILURE() << title.toStdString() << " cut short: " << e.what();
            continue;
        }
        EXPECT_EQ(bank.worktitle, title);
        EXPECT_TRUE(bankIsComplete(bank)) << title.toStdString();
        EXPECT_TRUE(f.atEnd()) << title.toStdString();
    }
    return titles;
}

QString newProgramFolder(const QTemporaryDir& dir)
{
    QDir().mkpath(dir.filePath(QStringLiteral("multiple")));
    return dir.path();
}

} // namespace

TEST(SavingWorksheets, SurvivesBeingKilledAtAnyMoment)
{
    QTemporaryDir dir;
    const QString program = newProgramFolder(dir);
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 pick(seed);
    for (int kill = 1; kill <= 50; ++kill) {
        // Twelve titles per run, each saved many times: new titles and
        // replaced files are both cut short somewhere.
        std::unique_ptr<QProcess> saver(startSaver(program, QStringLiteral("Kill %1").arg(kill), 100000, 12));
        saver->waitForReadyRead(30000);
        QThread::usleep(std::uniform_int_distribution<int>(0, 30000)(pick));
        // A pid of 0 would signal this whole process group.
        const qint64 pid = saver->processId();
        ASSERT_GT(pid, 0) << "the saver stopped by itself: " << saver->readAllStandardError().toStdString();
        ::kill(pid_t(pid), SIGKILL);
        ASSERT_TRUE(saver->waitForFinished(30000));
        ASSERT_EQ(saver->exitStatus(), QProcess::CrashExit) << saver->readAllStandardError().toStdString();
        registeredWhole(program);
        if (::testing::Test::HasFailure())
            FAIL() << "after kill " << kill;
    }
    EXPECT_GE(registeredWhole(program).size(), 50);
}

TEST(SavingWorksheets, TwoProgramsSavingAtOnceLoseNoTitle)
{
    QTemporaryDir dir;
    const QString program = newProgramFolder(dir);
    std::unique_ptr<QProcess> first(startSaver(program, QStringLiteral("Rivers"), 100, 100));
    std::unique_ptr<QProcess> second(startSaver(program, QStringLiteral("Mountains"), 100, 100));
    for (QProcess* p : {first.get(), second.get()}) {
        ASSERT_TRUE(p->waitForFinished(300000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    QStringList titles = registeredWhole(program);
    EXPECT_EQ(titles.size(), 200);
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), 200);
    for (const char* prefix : {"Rivers", "Mountains"})
        for (int n = 1; n <= 100; ++n)
            EXPECT_TRUE(titles.contains(QStringLiteral("%1 %2").arg(prefix).arg(n))) << prefix << n;
}
