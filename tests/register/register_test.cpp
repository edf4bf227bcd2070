// The worksheet register as the wizard and the catalogue change it, and the
// titles a worksheet may be saved under.
#include "worksheets/register.h"

#include "tests/support/fakes.h"

#include <gtest/gtest.h>
#include <optional>

namespace oravians {
namespace {

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

enum Outcome { Done, Fails, LockRefused };

// A title added (or, with remove, taken out) of the register `before`
// (nothing: no register yet) leaves `after` (nothing: not a byte changed).
struct RegisterCase {
    const char* name;
    std::optional<QByteArray> before;
    bool remove;
    QString title;
    std::optional<QByteArray> after;
    Outcome outcome = Done;
};
void PrintTo(const RegisterCase& c, std::ostream* os) { *os << c.name; }

class RegisterChange : public ::testing::TestWithParam<RegisterCase> {};

TEST_P(RegisterChange, LeavesTheFileAsExpected)
{
    const RegisterCase& c = GetParam();
    testing::Rig rig;
    if (c.before)
        rig.files.put(kRegisterPath, *c.before);
    rig.files.failLocks = c.outcome == LockRefused;
    rig.app.module1.deltitle = c.title;
    auto act = [&] { c.remove ? delworksheet(rig.app) : trackworksheets(rig.app, c.title); };
    if (c.outcome == Done)
        EXPECT_NO_THROW(act());
    else
        EXPECT_THROW(act(), RegisterError);
    EXPECT_EQ(rig.files.read(kRegisterPath), c.after ? c.after : c.before);
    if (c.outcome != LockRefused)
        EXPECT_EQ(rig.files.locked, std::vector<QString>{"multiple/track.txt"});
}

const bool add = false, remove = true;
INSTANTIATE_TEST_SUITE_P(
    Register, RegisterChange,
    ::testing::Values(
        RegisterCase{"FirstSaveCreatesAMissingRegister", std::nullopt, add, "Rivers", registerOf(1, {"Rivers"})},
        RegisterCase{"FirstSaveIntoAnEmptyRegister", registerOf(0, {}), add, "Rivers", registerOf(1, {"Rivers"})},
        RegisterCase{"ARegisteredTitleIsNotAddedTwice", registerOf(2, {"Rivers", "Hills"}), add, "Hills", std::nullopt},
        RegisterCase{"TitlesDifferingInCaseAreTwoEntries", registerOf(1, {"Rivers"}), add, "rivers", registerOf(2, {"Rivers", "rivers"})},
        RegisterCase{"TitlesAreWrittenInWindows1252", registerOf(0, {}), add, QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"), QByteArray(" 1 \r\nCaf\xe9 \x80\r\n")},
        RegisterCase{"AFullRegisterTakesNoMore", registerOf(1000, numbered(1000)), add, "Rivers", std::nullopt, Fails},
        RegisterCase{"The1000thTitleFits", registerOf(999, numbered(999)), add, "Sheet 1000", registerOf(1000, numbered(1000))},
        RegisterCase{"SurplusLinesAreDroppedByAnAdd", registerOf(1, {"A", "B", "C"}), add, "B", registerOf(2, {"A", "B"})},
        RegisterCase{"ADamagedCountLineIsNotOverwritten", QByteArray("three\r\nA\r\n"), add, "B", std::nullopt, Fails},
        RegisterCase{"TooFewTitlesIsNotOverwritten", registerOf(3, {"A"}), add, "B", std::nullopt, Fails},
        RegisterCase{"ALockNotTakenChangesNothing", registerOf(1, {"A"}), add, "B", std::nullopt, LockRefused},
        RegisterCase{"RemovingTakesTheLaterOfTwoEqualTitles", registerOf(3, {"A", "B", "A"}), remove, "A", registerOf(2, {"A", "B"})},
        RegisterCase{"RemovingAnUnregisteredTitleChangesNoByte", QByteArray("2\r\nA\r\nB\r\nsurplus"), remove, "a", std::nullopt},
        RegisterCase{"SurplusLinesAreDroppedByARemove", registerOf(2, {"A", "B", "C"}), remove, "A", registerOf(1, {"B"})},
        RegisterCase{"RemovingUnderALockNotTaken", registerOf(1, {"A"}), remove, "A", std::nullopt, LockRefused}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegisterRead, CountsAndTitlesAsFarAsItReads)
{
    testing::Rig rig;
    const Module1& m = rig.app.module1;
    readRegister(rig.app);
    EXPECT_EQ(m.trackcount, 0) << "a missing register lists nothing";
    rig.files.put(kRegisterPath, "  2  \r\nRivers\r\n  Hills\r\nsurplus\r\n");
    readRegister(rig.app);
    EXPECT_EQ(QStringList({QString::number(m.trackcount), m.tracktitles[1], m.tracktitles[2]}),
              QStringList({"2", "Rivers", "Hills"}));
    rig.files.put(kRegisterPath, registerOf(1001, numbered(1001)));
    EXPECT_THROW(readRegister(rig.app), RegisterError);
    EXPECT_EQ(m.tracktitles[1000], "Sheet 1000");
}

struct TitleCase {
    const char* name;
    QString title;
    bool accepted = false;
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
        TitleCase{"Empty", ""}, TitleCase{"OnlySpaces", "   "}, TitleCase{"Slash", "Rivers/Lakes"},
        TitleCase{"Backslash", "..\\Rivers"}, TitleCase{"DotDot", ".."}, TitleCase{"TrailingDot", "Rivers."},
        TitleCase{"TrailingSpace", "Rivers "}, TitleCase{"LeadingSpace", " Rivers"}, TitleCase{"Comma", "Rivers, Lakes"},
        TitleCase{"DoubleQuote", "\"Rivers\""}, TitleCase{"Colon", "Rivers: Lakes"}, TitleCase{"Question", "Rivers?"},
        TitleCase{"Star", "Rivers*"}, TitleCase{"AngleBrackets", "<Rivers>"}, TitleCase{"Bar", "Rivers|Lakes"},
        TitleCase{"Tab", "Rivers\tLakes"}, TitleCase{"C1Control", QString(QChar(0x81)) + "Rivers"},
        TitleCase{"OutsideTheCodePage", QString::fromUtf8("Rivers \xce\xa9")},
        TitleCase{"Emoji", QString::fromUtf8("Rivers \xf0\x9f\x8c\x8a")}, TitleCase{"TheRegistersOwnName", "Track"},
        TitleCase{"ABuiltInSet", "edmund quellmore"}, TitleCase{"ADeviceName", "Con"},
        TitleCase{"ADeviceNameWithADot", "lpt1.Rivers"}, TitleCase{"Plain", "Rivers and Lakes", true},
        TitleCase{"Ampersand", "Salt & Pepper", true}, TitleCase{"Accents", QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac 3"), true},
        TitleCase{"InnerDots", "Year 4. Rivers", true}, TitleCase{"ATrackOfItsOwn", "Tracks", true},
        TitleCase{"ApostropheAndBrackets", "Quellmore's (Part 2)", true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace oravians
