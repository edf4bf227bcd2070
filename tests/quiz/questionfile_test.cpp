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

TEST(QuestionFileFields, LeadingSpacesAreSkippedAndLineEndsOfEveryKindEndAField)
{
    InputFile f(QByteArray("   one\r\ntwo\rthree\nfour"));
    EXPECT_EQ(f.readField(), "one");
    EXPECT_EQ(f.readField(), "two");
    EXPECT_EQ(f.readField(), "three");
    EXPECT_EQ(f.readField(), "four");
    EXPECT_TRUE(f.atEnd());
}

TEST(QuestionFileFields, ACommaEndsAFieldInsideALine)
{
    InputFile f(QByteArray("Rivers, Lakes\r\n"));
    EXPECT_EQ(f.readField(), "Rivers");
    EXPECT_EQ(f.readField(), "Lakes");
    EXPECT_THROW(f.readField(), EndOfFileError);
}

TEST(QuestionFileFields, ASpacesOnlyLineIsOneEmptyField)
{
    InputFile f(QByteArray("    \r\nnext\r\n\r\nlast\r\n"));
    EXPECT_EQ(f.readField(), "");
    EXPECT_EQ(f.readField(), "next");
    EXPECT_EQ(f.readField(), "");
    EXPECT_EQ(f.readField(), "last");
}

TEST(QuestionFileFields, AQuotedFieldRunsToTheNextQuoteAndDropsTheRestOfItsField)
{
    InputFile f(QByteArray("\"Salt, Pepper\" and more,after\r\n  \"open to the end"));
    EXPECT_EQ(f.readField(), "Salt, Pepper");
    EXPECT_EQ(f.readField(), "after");
    EXPECT_EQ(f.readField(), "open to the end");
    EXPECT_THROW(f.readField(), EndOfFileError);
}

TEST(QuestionFileFields, ReadingAnEmptyFileIsAnEndOfFileError)
{
    InputFile f{QByteArray()};
    EXPECT_THROW(f.readField(), EndOfFileError);
}

TEST(ContentFiles, AMissingFileReadsAsNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(ContentFiles(dir.path()).read("multiple\\Nothing.txt"));
}

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
}

TEST(QuestionFileWriting, SeventyTwoLinesEachEndedByCrLfWithCommasAsAmpersands)
{
    const QByteArray bytes = encodeLines(questionFileLines(numberedSet()));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 73); // the split leaves an empty piece after the last line end
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 72; ++i)
        EXPECT_TRUE(lines[i].endsWith('\r')) << "line " << i + 1;
    EXPECT_EQ(lines[0], "Rivers& Lakes\r");
    EXPECT_EQ(lines[1], " \r");
    EXPECT_EQ(lines[2], "Question 1\r");
    EXPECT_EQ(lines[7], "1\r");
    EXPECT_EQ(lines[8], " \r");
    EXPECT_EQ(lines[70], "2\r");
    EXPECT_EQ(lines[71], " \r");
    EXPECT_FALSE(bytes.contains(','));
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

TEST(QuestionFileWriting, WritesThroughToDiskReplacingAnOldFile)
{
    QTemporaryDir dir;
    ContentFiles files(dir.path());
    writeLines(files, "Quiz.txt", {"old", "content"});
    writeQuestionFile(files, "Quiz.txt", numberedSet());
    EXPECT_EQ(readBytes(dir.filePath("Quiz.txt")), encodeLines(questionFileLines(numberedSet())));
}

TEST(QuestionFileWriting, AFolderThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    ContentFiles files(dir.path());
    EXPECT_THROW(writeQuestionFile(files, "no-such-folder/Quiz.txt", numberedSet()), FileWriteError);
}

TEST(QuestionFileRoundTrip, ACommaInTheTitleComesBack)
{
    const Module1 bank = load(encodeLines(questionFileLines(numberedSet())));
    EXPECT_EQ(bank.worktitle, "Rivers, Lakes");
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(bank.questtext[n], QStringLiteral("Question %1").arg(n));
        EXPECT_EQ(bank.choice1[n], QStringLiteral("Choice %1.1").arg(n));
        EXPECT_EQ(bank.choice4[n], QStringLiteral("Choice %1.4").arg(n));
        EXPECT_EQ(bank.rightchoice[n], QString::number((n - 1) % 4 + 1));
    }
}

TEST(QuestionFileRoundTrip, AnAmpersandBetweenSpacesComesBackAsAComma)
{
    QuestionSet set = numberedSet();
    set.questions[2].choices[1] = "Salt & Pepper";
    const QByteArray bytes = encodeLines(questionFileLines(set));
    EXPECT_TRUE(bytes.contains("\r\nSalt & Pepper\r\n"));
    EXPECT_EQ(load(bytes).choice2[3], "Salt , Pepper");
}

TEST(QuestionFileRoundTrip, EmptySeparatorLinesReadTheSame)
{
    QByteArray bytes = encodeLines(questionFileLines(numberedSet()));
    const Module1 withSpaces = load(bytes);
    bytes.replace("\r\n \r\n", "\r\n\r\n");
    const Module1 empty = load(bytes);
    EXPECT_EQ(empty.worktitle, withSpaces.worktitle);
    EXPECT_EQ(empty.questtext, withSpaces.questtext);
    EXPECT_EQ(empty.choice4, withSpaces.choice4);
    EXPECT_EQ(empty.rightchoice, withSpaces.rightchoice);
}

TEST(QuestionFileRoundTrip, LeadingSpacesAreLost)
{
    QuestionSet set = numberedSet();
    set.questions[0].text = "   Where is Fennick?";
    EXPECT_EQ(load(encodeLines(questionFileLines(set))).questtext[1], "Where is Fennick?");
}

TEST(QuestionFileRoundTrip, ALeadingQuoteKeepsOnlyTheTextBetweenTheFirstTwoQuotes)
{
    QuestionSet set = numberedSet();
    set.questions[4].text = "\"Lantern Row\" was lit first";
    EXPECT_EQ(load(encodeLines(questionFileLines(set))).questtext[5], "Lantern Row");
}

TEST(QuestionFileRoundTrip, CrOnlyAndLfOnlyLineEndsReadTheSame)
{
    const QByteArray crlf = encodeLines(questionFileLines(numberedSet()));
    const Module1 expected = load(crlf);
    for (const char* end : {"\r", "\n"}) {
        QByteArray other = crlf;
        other.replace("\r\n", end);
        const Module1 bank = load(other);
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
        EXPECT_EQ(bank.questtext[n], QStringLiteral("Q%1").arg(n));
        EXPECT_EQ(bank.choice1[n], "w");
        EXPECT_EQ(bank.choice2[n], "x");
        EXPECT_EQ(bank.choice3[n], "y");
        EXPECT_EQ(bank.choice4[n], "z");
        EXPECT_EQ(bank.rightchoice[n], "4");
    }
    EXPECT_TRUE(bankIsComplete(bank));
}

TEST(QuestionFileBank, OnlyTheDigitsOneToFourAreRightChoices)
{
    Module1 bank;
    const std::pair<const char*, int> cases[] = {{"1", 1}, {"4", 4}, {"0", 0}, {"5", 0}, {"", 0},
                                                 {"x", 0}, {"-1", 0}, {"2 ", 2}};
    for (auto [text, expected] : cases) {
        bank.rightchoice[1] = text;
        EXPECT_EQ(rightChoiceNumber(bank, 1), expected) << text;
    }
}
