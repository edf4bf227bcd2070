// Where the register and teachers' worksheets land, as files on disk.
#include "platform/contentfiles.h"
#include "platform/log.h"
#include "platform/worksheetfolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace oravians;

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A folder nobody may add files to, not even root (who ignores mode bits),
// until the guard goes.
class ReadOnly {
public:
    explicit ReadOnly(QString folder) : folder_(std::move(folder))
    {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder_});
    }
    ~ReadOnly()
    {
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder_});
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool holds() const
    {
        QFile f(folder_ + QStringLiteral("/attempt"));
        const bool wrote = f.open(QIODevice::WriteOnly);
        if (wrote)
            f.remove();
        return !wrote;
    }

private:
    QString folder_;
};

enum class Lands { BesideProgram, Environment, Setting, UserFolder };

struct Row {
    const char* name;
    bool programWritable;
    bool installed;
    QString environment; // "<env>" stands for a folder of its own
    QByteArray setting;  // "<setting>" stands for a folder of its own
    Lands lands;
};

} // namespace

TEST(WorksheetFolder, SavesLandWhereTheProgramFolderAllows)
{
    const Row rows[] = {
        {"writable program folder keeps them beside it", true, false, {}, "folder=<setting>\n", Lands::BesideProgram},
        {"installed, writable by root: the setting", true, true, {}, "folder=<setting>\n", Lands::Setting},
        {"installed, writable by root: the user's folder", true, true, {}, {}, Lands::UserFolder},
        {"read-only, the administrator's setting", false, false, {}, "# shared\nfolder=<setting>\n", Lands::Setting},
        {"read-only, the variable before the setting", false, false, "<env>", "folder=<setting>\n", Lands::Environment},
        {"read-only, no setting: the user's folder", false, false, {}, {}, Lands::UserFolder},
        {"read-only, a relative setting is ignored", false, false, {}, "folder=worksheets\n", Lands::UserFolder},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir tmp;
        const QString program = tmp.filePath("program");
        const QString shipped = program + QStringLiteral("/multiple");
        write(shipped + QStringLiteral("/Edmund Quellmore.txt"), "built-in");
        write(shipped + QStringLiteral("/track.txt"), " 1 \r\nOld Copy\r\n");
        const QString folders[] = {shipped, tmp.filePath("env"), tmp.filePath("set"), tmp.filePath("user")};
        const QString expected = folders[int(row.lands)];
        if (row.installed)
            write(program + QStringLiteral("/installed"), "");

        WorksheetFolderChoice choice;
        choice.environment = QString(row.environment).replace(QStringLiteral("<env>"), folders[1]);
        choice.settingFile = tmp.filePath("worksheets.conf");
        if (!row.setting.isEmpty())
            write(choice.settingFile, QByteArray(row.setting).replace("<setting>", folders[2].toUtf8()));
        choice.userFolder = folders[3];

        std::optional<ReadOnly> guard;
        if (!row.programWritable) {
            guard.emplace(shipped);
            if (!guard->holds())
                GTEST_SKIP() << "cannot make a folder read-only here";
        }
        std::vector<QString> logged;
        setLogSink([&](const QString& m) { logged.push_back(m); });
        const QString chosen = chooseWorksheetFolder(program, choice);
        setLogSink(nullptr);
        EXPECT_EQ(chosen.isEmpty() ? shipped : chosen, expected);
        EXPECT_EQ(logged.size(), row.setting.contains("folder=worksheets") ? 1u : 0u);

        ContentFiles files(program, chosen);
        if (row.lands != Lands::BesideProgram) {
            EXPECT_FALSE(QFileInfo::exists(expected)) << "created before the first save";
        }
        ASSERT_TRUE(files.replace("multiple\\Our Town.txt", "our town"));
        {
            const auto held = files.lock("multiple\\track.txt");
            ASSERT_TRUE(held);
            ASSERT_TRUE(files.replace("multiple\\track.txt", " 1 \r\nOur Town\r\n"));
        }
        EXPECT_EQ(contents(expected + QStringLiteral("/Our Town.txt")), "our town");
        EXPECT_EQ(files.read("Multiple/TRACK.TXT"), " 1 \r\nOur Town\r\n");
        EXPECT_EQ(files.read("multiple\\Edmund Quellmore.txt"), "built-in");
        EXPECT_EQ(files.read("wmf\\anything.wmf"), std::nullopt);
        EXPECT_EQ(files.contentPath("images\\a.jpg"), program + QStringLiteral("/images/a.jpg"));
    }
}

// A read-only copy on a share left an old register beside the program; the
// teachers' current one must not be mixed up with it, nor built-in sets with
// files that happen to share their name in the worksheet folder.
TEST(WorksheetFolder, BuiltInSetsComeFromTheProgramAndTheRegisterNever)
{
    QTemporaryDir tmp;
    const QString program = tmp.filePath("program");
    write(program + QStringLiteral("/multiple/Oravian Inventions.txt"), "built-in");
    write(program + QStringLiteral("/multiple/track.txt"), "old");
    write(tmp.filePath("ws/oravian inventions.txt"), "impostor");
    ContentFiles files(program, tmp.filePath("ws"));
    EXPECT_EQ(files.read("multiple\\ORAVIAN INVENTIONS.txt"), "built-in");
    EXPECT_EQ(files.read("multiple\\track.txt"), std::nullopt);
    EXPECT_EQ(files.contentPath("multiple\\track.txt"), tmp.filePath("ws/track.txt"));
}

TEST(WorksheetFolder, ASettingFileNamesTheLastUsableFolder)
{
    QTemporaryDir tmp;
    const QString conf = tmp.filePath("worksheets.conf");
    write(conf, "# the school's share\n\nfolder = /srv/share/worksheets/\nnonsense\r\nfolder=relative\n");
    std::vector<QString> logged;
    setLogSink([&](const QString& m) { logged.push_back(m); });
    EXPECT_EQ(folderFromSettingFile(conf), "/srv/share/worksheets");
    EXPECT_EQ(folderFromSettingFile(tmp.filePath("none.conf")), QString());
    setLogSink(nullptr);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_TRUE(logged[0].contains("line 4")) << logged[0].toStdString();
}

// A saver killed between creating the register's lock file and writing its
// name into it blocked every later save.
TEST(WorksheetFolder, AnEmptyLockLeftByAKilledProgramIsTakenOver)
{
    QTemporaryDir tmp;
    write(tmp.filePath("multiple/track.txt.lock"), "");
    QFile left(tmp.filePath("multiple/track.txt.lock"));
    ASSERT_TRUE(left.open(QIODevice::ReadWrite));
    left.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    left.close();
    ContentFiles files(tmp.path());
    EXPECT_TRUE(files.lock("multiple\\track.txt"));
}
