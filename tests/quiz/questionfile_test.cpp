// Reading and writing question files, as the quiz and the worksheet tools use them.
#include "quiz/questionfile.h"

#include "platform/contentfiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace oravians;

namespace {

// A set whose every text tells where it sits: "Question 4", "Choice 4.2".
QuestionSet numberedSet(const QString& title = QStringLiteral("Rivers, Lakes"))
{
    QuestionSet set;
    set.title = title;
    for (int n = 1; n <= 10; ++n) {
        Question q;
        q.text = QStringLiteral("Question %1").arg(n);
        for (int k = 0; k < 4; ++k)
            q.choices[k] = QStringLiteral("Choice %1.%2").arg(n).arg(k + 1);
        q.rightLines = {QString::number((n - 1) % 4 + 1)};
        set.questions.push_back(q);
    }
    return set;
}

Module1 load(const QByteArray& bytes)
{
    Module1 bank;
    InputFile file(bytes);
    loadworksheet(bank, file);
    return bank;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

} // namespace

// Fields read one after another until the file ends.
struct FieldCase {
    const char* name;
    QByteArray bytes;
    QStringList fields;
};

struct QuestionFileFields : ::testing::TestWithParam<FieldCase> {};

TEST_P(QuestionFileFields, AreReadUpToTheEndOfTheFile)
{
    InputFile f(GetParam().bytes);
    QStringList read;
    try {
        for (int i = 0; i < 20; ++i)
            read << f.readField();
    } catch (const EndOfFileError&) {
    }
    EXPECT_EQ(read, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    , QuestionFileFields,
    ::testing::Values(FieldCase{"LeadingSpacesSkippedAndEveryLineEndEndsAField", "   one\r\ntwo\rthree\nfour",
                                {"one", "two", "three", "four"}},
                      FieldCase{"ACommaEndsAField", "Rivers, Lakes\r\n", {"Rivers", "Lakes"}},
                      FieldCase{"ASpacesOnlyLineIsOneEmptyField", "    \r\nnext\r\n\r\nlast\r\n",
                                {"", "next", "", "last"}},
                      FieldCase{"AQuotedFieldRunsToTheNextQuoteAndDropsTheRest",
                                "\"Salt, Pepper\" and more,after\r\n  \"open to the end",
                                {"Salt, Pepper", "after", "open to the end"}},
                      FieldCase{"AnEmptyFileHasNoField", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Program paths are written with backslashes and in any letter case.
TEST(ContentFiles, AProgramPathFindsAFileSavedInAnotherLetterCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("multiple");
    QFile f(dir.filePath("multiple/edmund quellmore.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Edmund Quellmore\r\n");
    f.close();
    ContentFiles files(dir.path());
    EXPECT_EQ(files.read("Multiple\\Edmund Quellmore.txt"), QByteArray("Edmund Quellmore\r\n"));
    EXPECT_EQ(files.contentPath("Multiple\\Edmund Quellmore.txt"), dir.filePath("multiple/edmund quellmore.txt"));
    EXPECT_FALSE(files.read("multiple\\Nothing.txt")) << "a missing file reads as nothing";
}

TEST(QuestionFileWriting, EveryTickedBoxGivesItsOwnDigitLine)
{
    QuestionSet set = numberedSet();
    set.questions[0].rightLines = {"1", "3"};
    const QStringList lines = questionFileLines(set);
    EXPECT_EQ(lines.size(), 73);
    EXPECT_EQ(lines[7], "1");
    EXPECT_EQ(lines[8], "3");
    EXPECT_EQ(lines[9], " ");
}

TEST(QuestionFileWriting, AFolderThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    ContentFiles files(dir.path());
    EXPECT_THROW(writeQuestionFile(files, "no-such-folder/Quiz.txt", numberedSet()), FileWriteError);
}

// One text of the set changed before writing, and what reading it back gives.
TEST(QuestionFileRoundTrip, TextsComeBackAsTheReaderSeesThem)
{
    struct Case {
        const char* name;
        int question, choice; // choice 0: the question's text
        QString written, read;
    } cases[] = {
        {"an ampersand between spaces is a comma", 3, 2, "Salt & Pepper", "Salt , Pepper"},
        {"leading spaces are lost", 1, 0, "   Where is Fennick?", "Where is Fennick?"},
        {"a leading quote keeps the quoted text", 5, 0, "\"Lantern Row\" was lit first", "Lantern Row"},
    };
    for (const Case& c : cases) {
        QuestionSet set = numberedSet();
        Question& q = set.questions[size_t(c.question - 1)];
        (c.choice ? q.choices[c.choice - 1] : q.text) = c.written;
        const Module1 bank = load(encodeLines(questionFileLines(set)));
        EXPECT_EQ(c.choice ? bank.choice2[c.question] : bank.questtext[c.question], c.read) << c.name;
    }
}

TEST(QuestionFileRoundTrip, EmptySeparatorsAndCrOrLfLineEndsReadTheSame)
{
    const QByteArray crlf = encodeLines(questionFileLines(numberedSet()));
    const Module1 expected = load(crlf);
    for (auto [from, to] : {std::pair{"\r\n \r\n", "\r\n\r\n"}, {"\r\n", "\r"}, {"\r\n", "\n"}}) {
        const Module1 bank = load(QByteArray(crlf).replace(from, to));
        EXPECT_EQ(bank.worktitle, expected.worktitle);
        EXPECT_EQ(bank.questtext, expected.questtext);
        EXPECT_EQ(bank.choice3, expected.choice3);
        EXPECT_EQ(bank.rightchoice, expected.rightchoice);
    }
}

TEST(QuestionFileRoundTrip, WindowsCharactersBothWays)
{
    QuestionSet set = numberedSet(QStringLiteral("Caf\u00e9 Rivers"));
    set.questions[1].text = QStringLiteral("What is a lake\u2019s outflow?");
    const QByteArray bytes = encodeLines(questionFileLines(set));
    EXPECT_TRUE(bytes.startsWith("Caf\xe9 Rivers\r\n"));
    EXPECT_TRUE(bytes.contains("lake\x92s outflow"));
    const Module1 bank = load(bytes);
    EXPECT_EQ(bank.worktitle, QStringLiteral("Caf\u00e9 Rivers"));
    EXPECT_EQ(bank.questtext[2], QStringLiteral("What is a lake\u2019s outflow?"));
}

TEST(QuestionFileRoundTrip, TheFixtureFileComesBackByteForByte)
{
    const QString fixture = QStringLiteral(QUIZ_DATA_DIR "/rivers.txt");
    const QByteArray original = readBytes(fixture);
    InputFile file(original);
    Module1 bank;
    loadworksheet(bank, file);
    EXPECT_EQ(bank.worktitle, "Rivers, Lakes");
    EXPECT_EQ(bank.choice1[3], "Salt , Pepper");
    EXPECT_EQ(bank.questtext[1], QStringLiteral("Which river runs past the caf\u00e9 in Orston?"));

    QTemporaryDir dir;
    ContentFiles files(dir.path());
    writeLines(files, "Rivers, Lakes.txt", {"old", "content"});
    writeQuestionFile(files, "Rivers, Lakes.txt", questionSetFromBank(bank));
    EXPECT_EQ(readBytes(dir.filePath("Rivers, Lakes.txt")), original);
}

TEST(QuestionFileDamage, A71LineFileFailsAtTheLastSeparatorAfterTheTenthQuestionIsStored)
{
    QStringList lines = questionFileLines(numberedSet());
    lines.removeLast();
    Module1 bank;
    InputFile file(encodeLines(lines));
    EXPECT_THROW(loadworksheet(bank, file), EndOfFileError);
    EXPECT_EQ(bank.questtext[10], "Question 10");
    EXPECT_EQ(bank.choice4[10], "Choice 10.4");
    EXPECT_EQ(bank.rightchoice[10], "2");
}

TEST(QuestionFileDamage, AShortFileLeavesOldEntriesBehindItsEnd)
{
    Module1 bank = load(encodeLines(questionFileLines(numberedSet("First"))));
    QuestionSet second = numberedSet("Second");
    second.questions[0].text = "New question";
    QStringList lines = questionFileLines(second);
    lines = lines.mid(0, 9); // title, separator and question 1
    InputFile file(encodeLines(lines));
    EXPECT_THROW(loadworksheet(bank, file), EndOfFileError);
    EXPECT_EQ(bank.worktitle, "Second");
    EXPECT_EQ(bank.questtext[1], "New question");
    EXPECT_EQ(bank.questtext[2], "Question 2");
}

TEST(QuestionFileDamage, ACommaLeftInALineShiftsTheFieldsAndSpoilsARightChoice)
{
    QStringList lines = questionFileLines(numberedSet());
    lines[2] = "Question 1, with a comma";
    const Module1 bank = load(encodeLines(lines) + QByteArray("extra\r\n"));
    EXPECT_EQ(bank.questtext[1], "Question 1");
    EXPECT_EQ(bank.choice1[1], "with a comma");
    EXPECT_EQ(bank.rightchoice[1], "Choice 1.4");
    EXPECT_EQ(rightChoiceNumber(bank, 1), 0);
    EXPECT_FALSE(bankIsComplete(bank));
}

TEST(QuestionFileBank, ASecondLoadReplacesEveryEntryAndTheTitle)
{
    Module1 bank = load(encodeLines(questionFileLines(numberedSet("First"))));
    QuestionSet second;
    second.title = "Second";
    for (int n = 1; n <= 10; ++n)
        second.questions.push_back({QStringLiteral("Q%1").arg(n), {"w", "x", "y", "z"}, {"4"}});
    InputFile file(encodeLines(questionFileLines(second)));
    loadworksheet(bank, file);
    EXPECT_EQ(bank.worktitle, "Second");
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(bank.questtext[n] + bank.choice1[n] + bank.choice4[n], QStringLiteral("Q%1wz").arg(n));
        EXPECT_EQ(bank.rightchoice[n], "4");
    }
    EXPECT_TRUE(bankIsComplete(bank));
}

// Digits outside one to four are marked wrong in the quiz window's damaged-bank test.
TEST(QuestionFileBank, ASpaceAfterTheRightDigitIsAllowed)
{
    Module1 bank;
    bank.rightchoice[1] = "2 ";
    EXPECT_EQ(rightChoiceNumber(bank, 1), 2);
}
