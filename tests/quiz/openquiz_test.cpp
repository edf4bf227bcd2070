// Opening a built-in quiz from a topic page.
#include "quiz/openquiz.h"

#include "quiz/questionfile.h"
#include "quizplay.h"

#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

TEST(OpenQuiz, AMissingOrDamagedFileGivesAClearMessageAndNoQuiz)
{
    QStringList shortFile = questionFileLines(tenQuestions("Edmund Quellmore")), strayComma = shortFile;
    shortFile.removeLast();
    strayComma[2] = "Q1, with a comma";
    const std::pair<const char*, std::optional<QByteArray>> files[] = {
        {"missing", std::nullopt},
        {"empty", QByteArray()},
        {"short", encodeLines(shortFile)},
        {"stray comma", encodeLines(strayComma) + "spare\r\n"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Rig rig;
        if (bytes)
            rig.files.put("multiple/Edmund Quellmore.txt", *bytes);
        EXPECT_FALSE(openQuiz(rig.app, "multiple\\Edmund Quellmore.txt", "images\\quellmoresm.jpg"));
        EXPECT_EQ(rig.messages.texts(), QStringList{kQuizNotOpened});
        EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
        EXPECT_FALSE(rig.app.loaded<multiple>());
    }
}

void generateInto(const QString& folder)
{
    QProcess gen;
    gen.start(QStringLiteral(GENQUESTIONS),
              {folder, QStringLiteral(CONTENT_SOURCE_DIR "/questions/quellmore.questions")});
    EXPECT_TRUE(gen.waitForFinished(30000));
    EXPECT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();
}

// A fresh program folder has no register (the first save creates it), and a
// rebuild regenerating the built-in quizzes once wiped the teachers' list.
TEST(BuiltInQuestionFiles, ANewFolderHasNoRegisterAndRegeneratingKeepsTheTeachersWork)
{
    QTemporaryDir dir;
    const QString multiple = dir.path() + QStringLiteral("/multiple/");
    generateInto(dir.path());
    EXPECT_TRUE(QFileInfo::exists(multiple + "Edmund Quellmore.txt"));
    EXPECT_FALSE(QFileInfo::exists(multiple + "track.txt"));
    const std::pair<QString, QByteArray> teachers[] = {{"track.txt", " 1 \r\nOur Town\r\n"},
                                                        {"Our Town.txt", "Our Town\r\n"}};
    for (const auto& [name, bytes] : teachers) {
        QFile f(multiple + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    generateInto(dir.path());
    for (const auto& [name, bytes] : teachers) {
        QFile f(multiple + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(f.readAll(), bytes) << name.toStdString();
    }
}
