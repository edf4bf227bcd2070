// The worksheet register as the wizard and the catalogue change it, and the
// titles a worksheet may be saved under.
#include "worksheets/register.h"

#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace oravians {
namespace {

using testing::Rig;

QByteArray registerOf(int count, const QStringList& titles)
{
    QByteArray out = " " + QByteArray::number(count) + " \r\n";
    for (const QString& t : titles)
        out += t.toLatin1() + "\r\n";
    return out;
}

QStringList numbered(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("Sheet %1").arg(i);
    return out;
}

enum class Action { Add, Remove };

struct RegisterCase {
    const char* name;
    std::optional<QByteArray> before; // nothing: no register yet
    Action action;
    QString title;
    std::optional<QByteArray> after;  // nothing: the file stays byte for byte
    bool fails = false;
    bool lockRefused = false;
    bool writeRefused = false;
};
void PrintTo(const RegisterCase& c, std::ostream* os) { *os << c.name; }

class RegisterChange : public ::testing::TestWithParam<RegisterCase> {};

TEST_P(RegisterChange, LeavesTheFileAsExpected)
{
    const RegisterCase& c = GetParam();
    Rig rig;
    if (c.before)
        rig.files.put(kRegisterPath, *c.before);
    rig.files.failLocks = c.lockRefused;
    rig.files.failWrites = c.writeRefused;
    auto act = [&] {
        if (c.action == Action::Add) {
            trackworksheets(rig.app, c.title);
        } else {
            rig.app.module1.deltitle = c.title;
            delworksheet(rig.app);
        }
    };
    if (c.fails)
        EXPECT_THROW(act(), RegisterError);
    else
        EXPECT_NO_THROW(act());
    EXPECT_EQ(rig.files.read(kRegisterPath), c.after ? c.after : c.before);
    if (!c.lockRefused)
        EXPECT_EQ(rig.files.locked, std::vector<QString>{"multiple/track.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Register, RegisterChange,
    ::testing::Values(
        RegisterCase{"FirstSaveCreatesAMissingRegister", std::nullopt, Action::Add, "Rivers", registerOf(1, {"Rivers"})},
        RegisterCase{"FirstSaveIntoAnEmptyRegister", registerOf(0, {}), Action::Add, "Rivers", registerOf(1, {"Rivers"})},
        RegisterCase{"ARegisteredTitleIsNotAddedTwice", registerOf(2, {"Rivers", "Hills"}), Action::Add, "Hills", std::nullopt},
        RegisterCase{"TitlesDifferingInCaseAreTwoEntries", registerOf(1, {"Rivers"}), Action::Add, "rivers", registerOf(2, {"Rivers", "rivers"})},
        RegisterCase{"TitlesAreWrittenInWindows1252", registerOf(0, {}), Action::Add, QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"), QByteArray(" 1 \r\nCaf\xe9 \x80\r\n")},
        RegisterCase{"AFullRegisterTakesNoMore", registerOf(1000, numbered(1000)), Action::Add, "Rivers", std::nullopt, true},
        RegisterCase{"The1000thTitleFits", registerOf(999, numbered(999)), Action::Add, "Sheet 1000", registerOf(1000, numbered(1000))},
        RegisterCase{"SurplusLinesAreDroppedByAnAdd", registerOf(1, {"A", "B", "C"}), Action::Add, "D", registerOf(2, {"A", "D"})},
        RegisterCase{"ASurplusTitleIsNotCountedAsRegistered", registerOf(1, {"A", "B"}), Action::Add, "B", registerOf(2, {"A", "B"})},
        RegisterCase{"ADamagedCountLineIsNotOverwritten", QByteArray("three\r\nA\r\n"), Action::Add, "B", std::nullopt, true},
        RegisterCase{"TooFewTitlesIsNotOverwritten", registerOf(3, {"A"}), Action::Add, "B", std::nullopt, true},
        RegisterCase{"ALockNotTakenChangesNothing", registerOf(1, {"A"}), Action::Add, "B", std::nullopt, true, true},
        RegisterCase{"AFailedWriteIsReported", registerOf(1, {"A"}), Action::Add, "B", std::nullopt, true, false, true},
        RegisterCase{"RemovingTakesTheLaterOfTwoEqualTitles", registerOf(3, {"A", "B", "A"}), Action::Remove, "A", registerOf(2, {"A", "B"})},
        RegisterCase{"RemovingTheOnlyTitle", registerOf(1, {"A"}), Action::Remove, "A", registerOf(0, {})},
        RegisterCase{"RemovingAnUnregisteredTitleChangesNoByte", QByteArray("2\r\nA\r\nB\r\nsurplus"), Action::Remove, "C", std::nullopt},
        RegisterCase{"RemovingIsCaseSensitive", registerOf(1, {"A"}), Action::Remove, "a", std::nullopt},
        RegisterCase{"SurplusLinesAreDroppedByARemove", registerOf(2, {"A", "B", "C"}), Action::Remove, "A", registerOf(1, {"B"})},
        RegisterCase{"RemovingUnderALockNotTaken", registerOf(1, {"A"}), Action::Remove, "A", std::nullopt, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegisterRead, CountsAndTitlesAsFarAsItReads)
{
    Rig rig;
    readRegister(rig.app);
    EXPECT_EQ(rig.app.module1.trackcount, 0) << "a missing register lists nothing";

    rig.files.put(kRegisterPath, "  2  \r\nRivers\r\n  Hills\r\nsurplus\r\n");
    readRegister(rig.app);
    EXPECT_EQ(rig.app.module1.trackcount, 2);
    EXPECT_EQ(rig.app.module1.tracktitles[1], "Rivers");
    EXPECT_EQ(rig.app.module1.tracktitles[2], "Hills");

    rig.files.put(kRegisterPath, registerOf(1001, numbered(1001)));
    EXPECT_THROW(readRegister(rig.app), RegisterError);
    EXPECT_EQ(rig.app.module1.tracktitles[1000], "Sheet 1000");
}

TEST(RegisterChangeInMemory, AnAddKeepsTheCountReadAndARemoveLowersIt)
{
    Rig rig;
    rig.files.put(kRegisterPath, registerOf(2, {"A", "B"}));
    trackworksheets(rig.app, "C");
    EXPECT_EQ(rig.app.module1.trackcount, 2);
    rig.app.module1.deltitle = "A";
    delworksheet(rig.app);
    EXPECT_EQ(rig.app.module1.trackcount, 2);
    EXPECT_EQ(rig.app.module1.tracktitles[1], "B");
    EXPECT_EQ(rig.app.module1.tracktitles[2], "C");
}

struct TitleCase {
    const char* name;
    QString title;
    bool accepted;
};
void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }

class Titles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Titles, AreRefusedWithAMessageOrAccepted)
{
    const QString problem = titleProblem(GetParam().title);
    EXPECT_EQ(problem.isEmpty(), GetParam().accepted) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Register, Titles,
    ::testing::Values(
        TitleCase{"Empty", "", false}, TitleCase{"OnlySpaces", "   ", false},
        TitleCase{"Slash", "Rivers/Lakes", false}, TitleCase{"Backslash", "..\\Rivers", false},
        TitleCase{"DotDot", "..", false}, TitleCase{"TrailingDot", "Rivers.", false},
        TitleCase{"TrailingSpace", "Rivers ", false}, TitleCase{"LeadingSpace", " Rivers", false},
        TitleCase{"Comma", "Rivers, Lakes", false}, TitleCase{"DoubleQuote", "\"Rivers\"", false},
        TitleCase{"Colon", "Rivers: Lakes", false}, TitleCase{"Question", "Rivers?", false},
        TitleCase{"Star", "Rivers*", false}, TitleCase{"AngleBrackets", "<Rivers>", false},
        TitleCase{"Bar", "Rivers|Lakes", false}, TitleCase{"Tab", "Rivers\tLakes", false},
        TitleCase{"C1Control", QString(QChar(0x81)) + "Rivers", false},
        TitleCase{"OutsideTheCodePage", QString::fromUtf8("Rivers \xce\xa9"), false},
        TitleCase{"Emoji", QString::fromUtf8("Rivers \xf0\x9f\x8c\x8a"), false},
        TitleCase{"TheRegistersOwnName", "Track", false}, TitleCase{"ABuiltInSet", "edmund quellmore", false},
        TitleCase{"ADeviceName", "Con", false}, TitleCase{"ADeviceNameWithADot", "lpt1.Rivers", false},
        TitleCase{"Plain", "Rivers and Lakes", true}, TitleCase{"Ampersand", "Salt & Pepper", true},
        TitleCase{"Accents", QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac 3"), true},
        TitleCase{"InnerDots", "Year 4. Rivers", true}, TitleCase{"ATrackOfItsOwn", "Tracks", true},
        TitleCase{"ApostropheAndBrackets", "Quellmore's (Part 2)", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Titles, EveryBuiltInQuestionSetIsRefused)
{
    const QDir dir(QStringLiteral(CONTENT_SOURCE_DIR "/questions"));
    const QStringList sources = dir.entryList({QStringLiteral("*.questions")});
    ASSERT_FALSE(sources.isEmpty());
    for (const QString& name : sources) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString first = QString::fromUtf8(f.readLine()).trimmed();
        ASSERT_TRUE(first.startsWith("title:")) << name.toStdString();
        EXPECT_FALSE(titleProblem(first.mid(6).trimmed()).isEmpty()) << first.toStdString();
    }
}

} // namespace
} // namespace oravians
