// Worksheets imported from, and exported to, the text formats teachers bring
// from learning platforms: what lands in the worksheet folder and register.
#include "worksheets/commandline.h"
#include "worksheets/register.h"

#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace oravians {
namespace {

QByteArray corpus(const char* name)
{
    QFile f(QStringLiteral(INTERCHANGE_DATA_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// The worksheet as the quiz would load it from the worksheet folder.
Module1 loaded(testing::Rig& rig, const QString& title)
{
    Module1 bank;
    const auto bytes = rig.files.read(worksheetPath(title));
    EXPECT_TRUE(bytes.has_value()) << title.toStdString();
    InputFile file(bytes.value_or(QByteArray()));
    loadworksheet(bank, file);
    return bank;
}

QStringList registered(testing::Rig& rig)
{
    readRegister(rig.app);
    QStringList out;
    for (int i = 1; i <= rig.app.module1.trackcount; ++i)
        out << rig.app.module1.tracktitles.at(std::size_t(i));
    return out;
}

struct Expected {
    const char* name;
    int n; // question number on the worksheet
    QString text, options, right; // options A to D joined by '|'
};

void checkQuestions(testing::Rig& rig, const QString& title, const std::vector<Expected>& rows)
{
    const Module1 bank = loaded(rig, title);
    EXPECT_EQ(bank.worktitle, title);
    for (const Expected& e : rows) {
        SCOPED_TRACE(e.name);
        const auto n = std::size_t(e.n);
        EXPECT_EQ(bank.questtext[n], e.text);
        EXPECT_EQ(QStringList({bank.choice1[n], bank.choice2[n], bank.choice3[n], bank.choice4[n]}).join('|'),
                  e.options);
        EXPECT_EQ(bank.rightchoice[n], e.right);
    }
}

using Skips = std::vector<std::pair<int, QString>>;
Skips skipsOf(const ImportReport& r)
{
    Skips out;
    for (const SkippedQuestion& s : r.skipped)
        out.emplace_back(s.line, s.reason);
    return out;
}

TEST(GiftImport, TakesEachMultipleChoiceQuestionAndReportsTheRest)
{
    testing::Rig rig;
    const ImportReport r = importQuestions(rig.app, QStringLiteral("mixed.gift"), corpus("mixed.gift"));
    EXPECT_TRUE(r.succeeded()) << r.text().toStdString();
    EXPECT_EQ(r.imported, QStringList{"Coast and Harbours"});
    EXPECT_EQ(registered(rig), QStringList{"Coast and Harbours"});
    EXPECT_EQ(r.leftOver, std::vector<int>{39}); // the gap question
    checkQuestions(rig, "Coast and Harbours",
                   {{"one line", 1, "Which bird nests on the Tarn cliffs?", "Gannet|Heron|Swift|Crane", "1"},
                    {"feedback dropped", 2, "Which harbour faces east?", "Weymark|Calder|Ostley|Brune", "1"},
                    {"escaped marks", 3, "Which sign means 3 = 3?", "The = sign|The ~ sign|The # sign|{braces}", "1"},
                    {"no blank line before", 4, "What is 7 : 7?", "0|1|7|49", "2"},
                    {"answers on own lines", 5, "Where do C:\\Maps files live?",
                     "On the ship|In the chart room|Under the quay|Nowhere", "2"},
                    {"markdown marker", 6, "Who keeps the *lighthouse*?",
                     "Mira Holt|Ben Adley|Tess Marr|Orrin Vale", "1"},
                    {"escaped line break", 7, "Two lines in one question?", "Yes|No|Maybe|Never", "1"},
                    {"full and zero weights", 8, "Which tide is highest?", "Spring tide|Neap tide|Ebb|Slack", "1"},
                    {"html entities", 9, "Which fish is \"salted\"?", "Herring|Eel|Pike|Trout", "1"},
                    {"accented letters", 10, "Which café sells crème brûlée?",
                     "Café Noëlle|Café Røde|Café Ünd|Café Àla", "1"}});
    const Skips expected{{41, "a true/false question"},
                         {43, "a true/false question"},
                         {45, "a matching question"},
                         {47, "a short-answer question"},
                         {49, "a numerical question"},
                         {51, "an essay question"},
                         {53, "5 options, not four"},
                         {55, "3 options, not four"},
                         {57, "several right answers"},
                         {59, "several right answers"},
                         {61, "no right answer"},
                         {63, "text without answers"},
                         {65, "text formatted as HTML"},
                         {67, "the question is longer than 60 characters (76)"},
                         {69, "option A is longer than 30 characters (38)"},
                         {71, "the question has the character Ω, which a worksheet cannot hold"},
                         {73, "the question begins with a double quotation mark, which a worksheet cannot keep"},
                         {75, "answers without their closing }"}};
    EXPECT_EQ(skipsOf(r), expected);
    EXPECT_TRUE(r.text().contains("  line 45: a matching question")) << r.text().toStdString();
}

TEST(AikenImport, TakesEachFourOptionQuestionAndReportsTheRest)
{
    testing::Rig rig;
    const ImportReport r = importQuestions(rig.app, QStringLiteral("/tmp/aiken-crlf.txt"), corpus("aiken-crlf.txt"));
    EXPECT_EQ(r.format, InterchangeFormat::Aiken);
    EXPECT_EQ(r.imported, QStringList{"aiken-crlf"});
    EXPECT_EQ(r.leftOver, std::vector<int>{122});
    checkQuestions(rig, "aiken-crlf",
                   {{"letters with stops", 1, "Which river runs through Calder?",
                     "The Wend|The Ost|The Marr|The Tarn", "3"},
                    {"letters with brackets, ampersand", 2, "Which bridge is oldest?",
                     "Kingsbridge|Fennel Bridge|Salt , Rope Bridge|Weir Bridge", "1"},
                    {"two-line question with comma", 3, "Who drew the first map of the Wend, and where was it kept?",
                     "Edda Fenn, in Ostley|Mira Holt, in Calder|Tess Marr, at sea|Orrin Vale, at home", "2"},
                    {"question that looks like an option", 4, "A. Fenn wrote \"River Songs\": how many?",
                     "Ten|Twelve|Twenty|Thirty", "4"},
                    {"answer line in small letters", 5, "Which fish swims upstream?", "Salmon|Cod|Herring|Plaice", "1"},
                    {"after a question without answer", 6, "Which crossing is a ford?",
                     "Wend Ford|Ost Steps|Marr Ferry|Tarn Bridge", "1"},
                    {"no blank line after", 8, "Which lock is deepest?",
                     "Lock One|Lock Two|Lock Three|Lock Four", "2"}});
    const Skips expected{{38, "3 options, not four"},
                         {44, "5 options, not four"},
                         {52, "several right answers"},
                         {59, "the answer E is not one of its options"},
                         {66, "no ANSWER line"},
                         {79, "an answer line without a question"},
                         {81, "the question has the character ₤, which a worksheet cannot hold"},
                         {88, "the question is longer than 60 characters (67)"}};
    EXPECT_EQ(skipsOf(r), expected);
}

TEST(Import, LineEndsDoNotMatter)
{
    for (const char* name : {"mixed.gift", "aiken-crlf.txt"}) {
        SCOPED_TRACE(name);
        QByteArray swapped = corpus(name);
        swapped = swapped.contains("\r\n") ? swapped.replace("\r\n", "\n") : swapped.replace("\n", "\r\n");
        testing::Rig a, b;
        const ImportReport ra = importQuestions(a.app, QLatin1String(name), corpus(name));
        const ImportReport rb = importQuestions(b.app, QLatin1String(name), swapped);
        ASSERT_EQ(ra.imported.size(), 1);
        EXPECT_EQ(rb.imported, ra.imported);
        EXPECT_EQ(a.files.read(worksheetPath(ra.imported[0])), b.files.read(worksheetPath(ra.imported[0])));
        EXPECT_EQ(skipsOf(ra), skipsOf(rb));
    }
}

TEST(Import, ReadsTheEncodingsTeachersSave)
{
    const QString text = QStringLiteral("Crème brûlée?");
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {{"UTF-8", text.toUtf8()},
                {"UTF-8 with mark", "\xEF\xBB\xBF" + text.toUtf8()},
                {"UTF-16 with mark", utf16(text)},
                {"Windows-1252", text.toLatin1()}};
    for (const auto& row : rows)
        EXPECT_EQ(decodeTeacherText(row.bytes), text) << row.name;
}

QByteArray giftQuestions(int count, const QString& category = {})
{
    QString out = category.isEmpty() ? QString() : "$CATEGORY: " + category + "\n\n";
    for (int i = 1; i <= count; ++i)
        out += QStringLiteral("Question %1? {~a ~b =c ~d}\n\n").arg(i);
    return out.toUtf8();
}

TEST(Import, TwentyThreeQuestionsMakeTwoWorksheetsAndThreeLeftOver)
{
    testing::Rig rig;
    trackworksheets(rig.app, "Tides");
    const ImportReport r = importQuestions(rig.app, "tides.gift", giftQuestions(23));
    EXPECT_EQ(r.imported, QStringList({"tides 2", "tides 3"}));
    EXPECT_EQ(registered(rig), QStringList({"Tides", "tides 2", "tides 3"}));
    EXPECT_EQ(loaded(rig, "tides 3").questtext[10], "Question 20?");
    EXPECT_TRUE(r.text().contains("Left over: 3 questions (a worksheet needs ten), at lines 41, 43, 45.")) << r.text().toStdString();
}

struct TitleCase {
    const char* name;
    QString fileName, category;
    QString title; // empty: nothing may be written
    bool failWrites = false;
};

TEST(Import, TitlesAreSafeAndUnique)
{
    const TitleCase rows[] = {
        {"category path gives its last part", "x.gift", "$course$/top/Rivers", "Rivers"},
        {"refused characters become spaces", "Tides: high? low*.gift", {}, "Tides high low"},
        {"a built-in set's name is numbered", "x.gift", "Edmund Quellmore", "Edmund Quellmore 2"},
        {"a file already there is numbered", "x.gift", "Old Sheet", "Old Sheet 2"},
        {"the register's own name is numbered", "track.gift", {}, "track 2"},
        {"too long is refused, not cut", "x.gift", "The Rivers and Lakes of Oravia", {}},
        {"nothing usable in the name", "???.gift", {}, {}},
        {"a failed save is reported", "x.gift", "Rivers", {}, true},
    };
    for (const TitleCase& c : rows) {
        SCOPED_TRACE(c.name);
        testing::Rig rig;
        rig.files.put(worksheetPath("Old Sheet"), "kept");
        rig.files.failWrites = c.failWrites;
        const auto before = rig.files.stored;
        const ImportReport r = importQuestions(rig.app, c.fileName, giftQuestions(10, c.category));
        if (c.title.isEmpty()) {
            EXPECT_FALSE(r.succeeded());
            EXPECT_FALSE(r.problems.isEmpty());
            EXPECT_EQ(rig.files.stored, before);
        } else {
            EXPECT_EQ(r.imported, QStringList{c.title}) << r.text().toStdString();
            EXPECT_EQ(loaded(rig, c.title).questtext[1], "Question 1?");
        }
        EXPECT_EQ(rig.files.read(worksheetPath("Old Sheet")), QByteArray("kept"));
    }
}

// A set the wizard could have saved, full of what the formats escape or the
// question file changes: commas, ampersands, quotes, accents, GIFT's marks.
QuestionSet awkwardSet(const QString& title, int seed)
{
    const QStringList bits{"Salt & Pepper", "Rivers, Lakes", "say \"ahoy\"", "Fête à Noël", "a~b", "x = y",
                           "#1", "{set}", "C:\\dir", "50% off", "a: b", "[html]x", "ANSWER: A"};
    QuestionSet set{title, {}};
    for (int n = 0; n < 10; ++n) {
        Question q{QStringLiteral("Q%1 is ").arg(n) + bits[(seed + n) % bits.size()] + " or not?", {}, {}};
        for (int k = 0; k < 4; ++k)
            q.choices[std::size_t(k)] = bits[(seed + n + 3 * k + 1) % bits.size()] + QString::number(k);
        q.rightLines << QString::number((seed + n) % 4 + 1);
        set.questions.push_back(q);
    }
    return set;
}

TEST(Export, ImportingTheExportGivesTheSameWorksheets)
{
    const QStringList titles{"Fête & Co", "Odd ~=#{} marks", "Plain"};
    for (const auto format : {InterchangeFormat::Gift, InterchangeFormat::Aiken}) {
        SCOPED_TRACE(formatName(format).toStdString());
        testing::Rig from, to;
        for (int i = 0; i < titles.size(); ++i) {
            writeQuestionFile(from.files, worksheetPath(titles[i]), awkwardSet(titles[i], i * 5));
            trackworksheets(from.app, titles[i]);
        }
        QTemporaryDir dir;
        const ExportReport out = exportWorksheets(from.app, dir.path(), format);
        ASSERT_TRUE(out.succeeded()) << out.text().toStdString();
        ASSERT_EQ(out.written.size(), 3);
        for (const QString& name : out.written) {
            QFile f(QDir(dir.path()).filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const ImportReport in = importQuestions(to.app, f.fileName(), f.readAll());
            EXPECT_TRUE(in.skipped.empty() && in.succeeded()) << in.text().toStdString();
        }
        EXPECT_EQ(registered(to), titles);
        for (const QString& t : titles)
            EXPECT_EQ(to.files.read(worksheetPath(t)), from.files.read(worksheetPath(t))) << t.toStdString();
    }
}

TEST(Export, ADamagedWorksheetIsReportedAndTheOthersWritten)
{
    testing::Rig rig;
    writeQuestionFile(rig.files, worksheetPath("Good"), awkwardSet("Good", 0));
    rig.files.put(worksheetPath("Short"), "Short\r\n \r\n");
    trackworksheets(rig.app, "Short");
    trackworksheets(rig.app, "Good");
    QTemporaryDir dir;
    const ExportReport r = exportWorksheets(rig.app, dir.path(), InterchangeFormat::Aiken);
    EXPECT_EQ(r.written, QStringList{"Good.txt"});
    EXPECT_EQ(r.problems, QStringList{"The worksheet \"Short\" could not be read."});
}

TEST(CommandLine, ParsesWhatItIsAskedAndRefusesTheRest)
{
    using A = CommandLine::Action;
    const struct {
        const char* name;
        QStringList args;
        A action;
        InterchangeFormat format = InterchangeFormat::Gift;
        QStringList titles = {};
    } rows[] = {
        {"no arguments open the windows", {}, A::Windows},
        {"import", {"--import", "q.gift"}, A::Import},
        {"export in GIFT by default", {"--export", "out"}, A::Export},
        {"export in Aiken", {"--export", "out", "--format", "aiken"}, A::Export, InterchangeFormat::Aiken},
        {"export two chosen worksheets", {"--export", "out", "--title", "Rivers", "--format", "aiken", "--title", "A, B"},
         A::Export, InterchangeFormat::Aiken, {"Rivers", "A, B"}},
        {"unknown format", {"--export", "out", "--format", "xml"}, A::Wrong},
        {"a title left out", {"--export", "out", "--title"}, A::Wrong},
        {"titles are for export", {"--import", "q.gift", "--title", "Rivers"}, A::Wrong},
        {"missing file", {"--import"}, A::Wrong},
        {"unknown option", {"--print"}, A::Wrong},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLine c = parseCommandLine(row.args);
        EXPECT_EQ(c.action, row.action);
        EXPECT_EQ(c.format, row.format);
        EXPECT_EQ(c.titles, row.titles);
    }
}

TEST(CommandLine, ExportsTheChosenWorksheetOnly)
{
    testing::Rig rig;
    for (const char* title : {"Rivers", "Hills"}) {
        writeQuestionFile(rig.files, worksheetPath(title), awkwardSet(title, 0));
        trackworksheets(rig.app, title);
    }
    QTemporaryDir dir;
    QString report;
    const CommandLine one = parseCommandLine({"--export", dir.path(), "--title", "Hills"});
    EXPECT_EQ(runCommandLine(rig.app, one, report), 0) << report.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Hills.gift"});
    const CommandLine unknown = parseCommandLine({"--export", dir.path(), "--title", "Lakes"});
    EXPECT_EQ(runCommandLine(rig.app, unknown, report), 1);
    EXPECT_TRUE(report.contains("\"Lakes\" could not be read")) << report.toStdString();
}

TEST(CommandLine, ImportReportsAndSetsTheExitStatus)
{
    testing::Rig rig;
    QString report;
    const CommandLine good{CommandLine::Action::Import, INTERCHANGE_DATA_DIR "/mixed.gift"};
    EXPECT_EQ(runCommandLine(rig.app, good, report), 0);
    EXPECT_TRUE(report.startsWith("Imported 1 worksheet from mixed.gift (GIFT): \"Coast and Harbours\".\n"))
        << report.toStdString();
    const CommandLine missing{CommandLine::Action::Import, "/nonexistent/q.gift"};
    EXPECT_EQ(runCommandLine(rig.app, missing, report), 1);
    EXPECT_TRUE(report.contains("could not be opened")) << report.toStdString();
}

} // namespace
} // namespace oravians
