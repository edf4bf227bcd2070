// The worksheet wizard driven as a teacher uses it: typing into the fields,
// Enter to move on, ticking boxes, "Save Worksheet" and "Exit".
#include "worksheets/wizard.h"

#include "shell/intro0.h"
#include "worksheets/register.h"
#include "tests/support/fakes.h"

#include <gtest/gtest.h>

namespace oravians {
namespace {

// What the teacher means to type: a title, then each question and its
// options A to D, and the options to tick (one each, A to D in turn).
struct Sheet {
    QStringList fields{QStringLiteral("Rivers and Lakes")};
    std::vector<int> ticks[10];
    Sheet()
    {
        for (int n = 1; n <= 10; ++n) {
            fields << QStringLiteral("Which river is number %1?").arg(n);
            for (const char* o : {"A", "B", "C", "D"})
                fields << QStringLiteral("River %1%2").arg(n).arg(o);
            ticks[n - 1] = {(n - 1) % 4};
        }
    }
    QString& question(int n) { return fields[5 * n - 4]; }
    QString& option(int n, int j) { return fields[5 * n - 3 + j]; }
};

struct WizardRig : testing::Rig {
    wizard* w = nullptr;
    // Opens the wizard from the main menu, as a teacher does.
    WizardRig()
    {
        app.show<intro0>();
        app.click(app.form<intro0>().Label2[17]);
        w = app.peek<wizard>();
    }
    void enter() { app.keyDown(kKeyReturn, 0); }
    // Every field typed from the title on, Enter after each, then the ticks.
    void fill(const Sheet& s)
    {
        app.click(w->Text1);
        for (const QString& f : s.fields) {
            app.type(f);
            enter();
        }
        for (int q = 0; q < 10; ++q)
            for (int j : s.ticks[q])
                app.click(w->Check1[4 * q + j]);
    }
    void save() { app.click(w->Label3[1]); }
    QStringList fileLines(const QString& title)
    {
        QStringList lines = QString::fromLatin1(files.read(worksheetPath(title)).value_or("?")).split("\r\n");
        EXPECT_EQ(lines.takeLast(), "") << "the last line ends with CR LF";
        return lines;
    }
};

TEST(Wizard, OpensOverTheMenuWithTheTitleFocusedTabOrderAndTypingLimits)
{
    WizardRig rig;
    ASSERT_NE(rig.w, nullptr);
    EXPECT_EQ(rig.app.top(), rig.w);
    EXPECT_TRUE(rig.app.isShown(*rig.app.peek<intro0>()));
    EXPECT_EQ(rig.w->focus(), &rig.w->Text1);
    const std::vector<Control*> order = rig.w->tabOrder();
    ASSERT_EQ(order.size(), 93u) << "the fields, the tick boxes, then the buttons";
    EXPECT_EQ(std::vector<Control*>(order.begin(), order.begin() + 7),
              (std::vector<Control*>{&rig.w->Text1, &rig.w->Text2[0], &rig.w->Text3[0], &rig.w->Text3[1],
                                     &rig.w->Text3[2], &rig.w->Text3[3], &rig.w->Text2[1]}));
    EXPECT_EQ(order[50], &rig.w->Text3[39]);
    EXPECT_EQ(order[51], &rig.w->Check1[0]);
    EXPECT_EQ(order[91], &rig.w->Label3[1]) << "Save Worksheet, left of Exit";
    for (int i = 0; i < 3; ++i) {
        rig.app.type(QString(70, u'x'));
        rig.enter();
    }
    EXPECT_EQ(QList<qsizetype>({rig.w->Text1.caption.size(), rig.w->Text2[0].caption.size(), rig.w->Text3[0].caption.size()}),
              QList<qsizetype>({25, 60, 30}));
}

// Enter in a field, named with its index: where the focus goes.
struct EnterCase {
    const char* name;
    const char* from;
    int fromIndex;
    const char* to;
    int toIndex;
};
void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }
class EnterKey : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterKey, MovesTheFocusAndTypesNothing)
{
    WizardRig rig;
    const EnterCase& c = GetParam();
    Control* from = rig.w->find(c.from, c.fromIndex);
    rig.app.click(*from);
    rig.app.type("Ox");
    rig.enter();
    EXPECT_EQ(rig.w->focus(), rig.w->find(c.to, c.toIndex));
    EXPECT_EQ(from->caption, "Ox");
}

INSTANTIATE_TEST_SUITE_P(Wizard, EnterKey,
                         ::testing::Values(EnterCase{"TitleToQuestionOne", "Text1", -1, "Text2", 0},
                                           EnterCase{"QuestionToItsOptionA", "Text2", 3, "Text3", 12},
                                           EnterCase{"OptionBToOptionC", "Text3", 5, "Text3", 6},
                                           EnterCase{"OptionDToTheNextQuestion", "Text3", 7, "Text2", 2},
                                           EnterCase{"TheLastOptionStays", "Text3", 39, "Text3", 39}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
    const char* name;
    void (*change)(Sheet&);
    const char* message;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
class SaveChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SaveChecks, ShowTheFirstProblemAndWriteNothing)
{
    WizardRig rig;
    Sheet sheet;
    GetParam().change(sheet);
    rig.fill(sheet);
    rig.save();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, GetParam().message);
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
    EXPECT_EQ(rig.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(rig.files.stored.empty());
    EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, SaveChecks,
    ::testing::Values(
        CheckCase{"NoTitle", [](Sheet& s) { s.fields[0].clear(); s.question(1).clear(); }, "You have not chosen a title for your worksheet"},
        CheckCase{"ATitleWithASlash", [](Sheet& s) { s.fields[0] = "Rivers/Lakes"; s.question(1).clear(); }, "A worksheet title cannot contain the character /."},
        CheckCase{"ABuiltInTitle", [](Sheet& s) { s.fields[0] = "Oravian Inventions"; },
                  "\"Oravian Inventions\" is the title of one of the program's own quizzes. Please choose another title."},
        CheckCase{"AnEmptyQuestion", [](Sheet& s) { s.question(3).clear(); }, "You have not completed Question 3"},
        CheckCase{"AnEmptyOptionCBeforeAMissingTick", [](Sheet& s) { s.option(4, 2).clear(); s.ticks[3].clear(); }, "You have not completed Question 4"},
        CheckCase{"NoTickOnTheTenth", [](Sheet& s) { s.ticks[9].clear(); }, "You have not ticked the correct answer for Question 10"},
        CheckCase{"TwoTicks", [](Sheet& s) { s.ticks[4] = {0, 3}; }, "You have ticked more than one correct answer for Question 5"},
        CheckCase{"AnEarlierTickBeforeALaterEmptyQuestion", [](Sheet& s) { s.ticks[0].clear(); s.question(2).clear(); },
                  "You have not ticked the correct answer for Question 1"},
        CheckCase{"ATickClickedTwiceIsClear", [](Sheet& s) { s.ticks[6] = {1, 1}; }, "You have not ticked the correct answer for Question 7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Wizard, AFullSaveWritesTheSeventyTwoLinesAndRegistersTheTitle)
{
    WizardRig rig;
    Sheet sheet;
    sheet.question(1) = "Salt, pepper & mustard?";
    sheet.option(10, 3) = "   ";
    rig.fill(sheet);
    rig.save();
    EXPECT_EQ(rig.messages.texts(), QStringList{"Your worksheet has been saved."});
    QStringList expected{sheet.fields[0], " "};
    for (int n = 1; n <= 10; ++n)
        expected << QString(sheet.question(n)).replace(u',', u'&') << sheet.fields.mid(5 * n - 3, 4)
                 << QString::number((n - 1) % 4 + 1) << " ";
    EXPECT_EQ(rig.fileLines("Rivers and Lakes"), expected);
    EXPECT_EQ(rig.fileLines("Rivers and Lakes")[2], "Salt& pepper & mustard?");
    EXPECT_EQ(rig.files.read(kRegisterPath), QByteArray(" 1 \r\nRivers and Lakes\r\n"));
    EXPECT_EQ(rig.app.top(), rig.w) << "the wizard stays open with its contents";
    EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
}

TEST(Wizard, SavingTwiceAndUnderANewTitleKeepsOneEntryEach)
{
    WizardRig rig;
    rig.fill(Sheet{});
    rig.save();
    rig.app.click(rig.w->Text3[0]);
    rig.app.type("!");
    rig.save();
    EXPECT_EQ(rig.fileLines("Rivers and Lakes")[3], "River 1A!");
    rig.app.click(rig.w->Text1);
    rig.app.keyDown(kKeyA, kCtrlMask);
    rig.app.type("Hills");
    rig.app.click(rig.w->Text3[0]);
    rig.app.type("?");
    rig.save();
    EXPECT_EQ(rig.messages.texts(), QStringList(3, "Your worksheet has been saved."));
    EXPECT_EQ(rig.fileLines("Rivers and Lakes")[3], "River 1A!");
    EXPECT_EQ(rig.fileLines("Hills")[3], "River 1A!?");
    EXPECT_EQ(rig.files.read(kRegisterPath), QByteArray(" 2 \r\nRivers and Lakes\r\nHills\r\n"));
}

TEST(Wizard, AFailedSaveIsReportedAndLosesNoEntry)
{
    WizardRig rig;
    rig.files.put(kRegisterPath, " 1 \r\nHills\r\n");
    rig.files.failLocks = true;
    rig.fill(Sheet{});
    rig.save();
    rig.files.failLocks = false;
    rig.files.failWrites = true;
    rig.save();
    EXPECT_EQ(rig.messages.texts(), QStringList(2, "There was a problem saving your worksheet"));
    EXPECT_EQ(rig.files.read(kRegisterPath), QByteArray(" 1 \r\nHills\r\n"));
}

TEST(Wizard, ExitLeavesAtOnceWithoutSavingThenClicks)
{
    WizardRig rig;
    rig.fill(Sheet{});
    rig.sound.played.clear();
    rig.app.click(rig.w->Label3[0]);
    EXPECT_FALSE(rig.app.loaded<wizard>());
    EXPECT_EQ(rig.app.top(), rig.app.peek<intro0>());
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(rig.files.stored.empty());
    EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
}

} // namespace
} // namespace oravians
