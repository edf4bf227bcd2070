// Opening a built-in quiz from a topic page.
#include "quiz/openquiz.h"

#include "platform/contentfiles.h"
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

namespace {

class OpenQuiz : public ::testing::Test {
protected:
    void writeFile(const QString& name, const QByteArray& bytes) { rig.files.put("multiple/" + name, bytes); }
    static QStringList setLines()
    {
        QuestionSet set;
        set.title = "Edmund Quellmore";
        for (int n = 1; n <= 10; ++n)
            set.questions.push_back({QStringLiteral("Q%1").arg(n), {"a", "b", "c", "d"}, {"2"}});
        return questionFileLines(set);
    }
    void expectRefused()
    {
        EXPECT_FALSE(openQuiz(rig.app, "multiple\\Edmund Quellmore.txt", "images\\quellmoresm.jpg"));
        EXPECT_EQ(rig.messages.texts(), QStringList{kQuizNotOpened});
        EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
        EXPECT_FALSE(rig.app.loaded<multiple>());
    }

    Rig rig;
};

} // namespace

TEST_F(OpenQuiz, AGoodFileOpensTheQuizWithItsTitlePictureAndTopic)
{
    writeFile("Edmund Quellmore.txt", encodeLines(setLines()));
    rig.app.show<Grey>();
    EXPECT_TRUE(openQuiz(rig.app, "multiple\\Edmund Quellmore.txt", "images\\quellmoresm.jpg"));
    multiple* quiz = rig.app.peek<multiple>();
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(rig.app.top(), quiz);
    EXPECT_EQ(quiz->Label6.caption, "Edmund Quellmore");
    EXPECT_EQ(quiz->Label5.caption, "The Oravians");
    EXPECT_EQ(quiz->Label4.caption, "Question 1");
    EXPECT_EQ(quiz->Label2.caption, "Q1");
    ASSERT_NE(quiz->Picture1.picture, nullptr);
    EXPECT_EQ(quiz->Picture1.picture->source(), "images\\quellmoresm.jpg");
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(OpenQuiz, AMissingOrDamagedFileGivesAClearMessageAndNoQuiz)
{
    QStringList shortFile = setLines(), strayComma = setLines();
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
        rig.files.stored.clear();
        rig.messages.shown.clear();
        if (bytes)
            writeFile("Edmund Quellmore.txt", *bytes);
        expectRefused();
    }
}

TEST(BuiltInQuestionFiles, BothSetsLoadCompleteWithTheirTitles)
{
    const std::pair<const char*, const char*> sets[] = {
        {"Edmund Quellmore.txt", "Edmund Quellmore"}, {"Oravian Inventions.txt", "Oravian Inventions"}};
    for (auto [file, title] : sets) {
        const std::optional<QByteArray> bytes = ContentFiles(QStringLiteral(ORAVIANS_PROGRAM_DIR)).read(QStringLiteral("multiple/") + file);
        ASSERT_TRUE(bytes) << file;
        InputFile f(*bytes);
        Module1 bank;
        loadworksheet(bank, f);
        EXPECT_EQ(bank.worktitle, title);
        EXPECT_TRUE(bankIsComplete(bank)) << file;
        for (int n = 1; n <= 10; ++n) {
            EXPECT_FALSE(bank.questtext[n].isEmpty());
            EXPECT_FALSE(bank.choice4[n].isEmpty());
        }
        EXPECT_TRUE(f.atEnd()) << file; // exactly 72 lines
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

TEST(BuiltInQuestionFiles, AFullMarksRunThroughTheInventionsQuiz)
{
    Rig rig;
    rig.files.put("multiple\\Oravian Inventions.txt",
                  *ContentFiles(QStringLiteral(ORAVIANS_PROGRAM_DIR)).read("multiple/Oravian Inventions.txt"));
    rig.app.module1.soundon = 1;
    ASSERT_TRUE(openQuiz(rig.app, "multiple\\Oravian Inventions.txt", "images\\engineersm.jpg"));
    for (int n = 1; n <= 10; ++n)
        answer(rig, rightChoiceNumber(rig.app.module1, n));
    EXPECT_EQ(rig.app.module1.score, 10);
    EXPECT_EQ(rig.app.peek<Welldone>()->Label1.caption, "Excellent work. You have scored 10 out of 10.");
}
