// The worksheet wizard driven as a teacher uses it: typing into the fields,
// Enter to move on, ticking boxes, "Save Worksheet" and "Exit".
#include "worksheets/wizard.h"

#include "quiz/questionfile.h"
#include "shell/intro0.h"
#include "worksheets/register.h"
#include "tests/support/fakes.h"

#include <gtest/gtest.h>

#include <functional>

namespace oravians {
namespace {

using testing::Rig;

// What the teacher means to type: a title and ten questions, each with four
// options and the options to tick (by default one, A to D in turn).
struct Sheet {
    QString title = QStringLiteral("Rivers and Lakes");
    struct Q {
        QString text;
        QString options[4];
        std::vector<int> ticks;
    } q[10];
    Sheet()
    {
        for (int n = 0; n < 10; ++n) {
            q[n].text = QStringLiteral("Which river is number %1?").arg(n + 1);
            for (int j = 0; j < 4; ++j)
                q[n].options[j] = QStringLiteral("River %1%2").arg(n + 1).arg(QChar(u'A' + j));
            q[n].ticks = {n % 4};
        }
    }
};

struct WizardRig : Rig {
    wizard* w = nullptr;
    // Opens the wizard from the main menu, as a teacher does.
    WizardRig()
    {
        app.show<intro0>();
        app.click(app.form<intro0>().Label2[17]);
        w = app.peek<wizard>();
    }
    void enter() { app.keyDown(kKeyReturn, 0); }
    // Everything typed from the title on, Enter after each field, then the ticks.
    void fill(const Sheet& s)
    {
        app.click(w->Text1);
        app.type(s.title);
        enter();
        for (const Sheet::Q& q : s.q) {
            app.type(q.text);
            enter();
            for (const QString& o : q.options) {
                app.type(o);
                enter();
            }
        }
        for (int n = 0; n < 10; ++n)
            for (int j : s.q[n].ticks)
                app.click(w->Check1[4 * n + j]);
    }
    void save() { app.click(w->Label3[1]); }
    QStringList fileLines(const QString& title)
    {
        const QString text = QString::fromLatin1(*files.read(worksheetPath(title)));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), "") << "the last line ends with CR LF";
        return lines;
    }
};

TEST(Wizard, OpensOverTheMenuWithTheTitleFocusedAndTypingLimited)
{
    WizardRig rig;
    ASSERT_NE(rig.w, nullptr);
    EXPECT_EQ(rig.app.top(), rig.w);
    EXPECT_TRUE(rig.app.isShown(*rig.app.peek<intro0>()));
    EXPECT_EQ(rig.w->focus(), &rig.w->Text1);
    EXPECT_EQ(rig.w->Check1[39].back, kWindowBlue);
    // The last block of the right column, as the design places it.
    EXPECT_EQ(rig.w->Label1[11].caption, "Question 10");
    EXPECT_EQ(QRectF(rig.w->Text3[39].left, rig.w->Text3[39].top, rig.w->Text3[39].width, rig.w->Text3[39].height),
              QRectF(9480, 7320, 2295, 330));
    EXPECT_EQ(QPointF(rig.w->Check1[38].left, rig.w->Check1[38].top), QPointF(6360, 7320));
    const QString many(70, u'x');
    rig.app.type(many);
    rig.enter();
    rig.app.type(many);
    rig.enter();
    rig.app.type(many);
    EXPECT_EQ(rig.w->Text1.caption.size(), 25);
    EXPECT_EQ(rig.w->Text2[0].caption.size(), 60);
    EXPECT_EQ(rig.w->Text3[0].caption.size(), 30);
}

TEST(Wizard, TabRunsThroughTheFieldsQuestionByQuestionThenTheTicks)
{
    WizardRig rig;
    const std::vector<Control*> order = rig.w->tabOrder();
    ASSERT_EQ(order.size(), 91u);
    const std::vector<Control*> start(order.begin(), order.begin() + 7);
    EXPECT_EQ(start, (std::vector<Control*>{&rig.w->Text1, &rig.w->Text2[0], &rig.w->Text3[0], &rig.w->Text3[1],
                                            &rig.w->Text3[2], &rig.w->Text3[3], &rig.w->Text2[1]}));
    EXPECT_EQ(order[50], &rig.w->Text3[39]);
    EXPECT_EQ(order[51], &rig.w->Check1[0]);
}

struct EnterCase {
    const char* name;
    std::function<Control&(wizard&)> from, to;
};
void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }
class EnterKey : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterKey, MovesTheFocusAndTypesNothing)
{
    WizardRig rig;
    Control& from = GetParam().from(*rig.w);
    rig.app.click(from);
    rig.app.type("Ox");
    rig.enter();
    EXPECT_EQ(rig.w->focus(), &GetParam().to(*rig.w));
    EXPECT_EQ(from.caption, "Ox");
}

INSTANTIATE_TEST_SUITE_P(
    Wizard, EnterKey,
    ::testing::Values(EnterCase{"TitleToQuestionOne", [](wizard& w) -> Control& { return w.Text1; },
                                [](wizard& w) -> Control& { return w.Text2[0]; }},
                      EnterCase{"QuestionToItsOptionA", [](wizard& w) -> Control& { return w.Text2[3]; },
                                [](wizard& w) -> Control& { return w.Text3[12]; }},
                      EnterCase{"OptionBToOptionC", [](wizard& w) -> Control& { return w.Text3[5]; },
                                [](wizard& w) -> Control& { return w.Text3[6]; }},
                      EnterCase{"OptionDToTheNextQuestion", [](wizard& w) -> Control& { return w.Text3[7]; },
                                [](wizard& w) -> Control& { return w.Text2[2]; }},
                      EnterCase{"TheLastOptionStays", [](wizard& w) -> Control& { return w.Text3[39]; },
                                [](wizard& w) -> Control& { return w.Text3[39]; }}),
    [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
    const char* name;
    std::function<void(Sheet&)> change;
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
        CheckCase{"NoTitle", [](Sheet& s) { s.title.clear(); s.q[0].text.clear(); },
                  "You have not chosen a title for your worksheet"},
        CheckCase{"ATitleWithASlash", [](Sheet& s) { s.title = "Rivers/Lakes"; s.q[0].text.clear(); },
                  "A worksheet title cannot contain the character /."},
        CheckCase{"ABuiltInTitle", [](Sheet& s) { s.title = "Oravian Inventions"; },
                  "\"Oravian Inventions\" is the title of one of the program's own quizzes. Please choose another title."},
        CheckCase{"AnEmptyQuestion", [](Sheet& s) { s.q[2].text.clear(); }, "You have not completed Question 3"},
        CheckCase{"AnEmptyOptionCBeforeAMissingTick", [](Sheet& s) { s.q[3].options[2].clear(); s.q[3].ticks.clear(); },
                  "You have not completed Question 4"},
        CheckCase{"NoTickOnTheTenth", [](Sheet& s) { s.q[9].ticks.clear(); },
                  "You have not ticked the correct answer for Question 10"},
        CheckCase{"TwoTicks", [](Sheet& s) { s.q[4].ticks = {0, 3}; },
                  "You have ticked more than one correct answer for Question 5"},
        CheckCase{"AnEarlierTickBeforeALaterEmptyQuestion", [](Sheet& s) { s.q[0].ticks.clear(); s.q[1].text.clear(); },
                  "You have not ticked the correct answer for Question 1"},
        CheckCase{"ATickClickedTwiceIsClear", [](Sheet& s) { s.q[6].ticks = {1, 1}; },
                  "You have not ticked the correct answer for Question 7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Wizard, AFullSaveWritesTheSeventyTwoLinesAndRegistersTheTitle)
{
    WizardRig rig;
    Sheet sheet;
    sheet.q[0].text = "Salt, pepper & mustard?";
    sheet.q[9].options[3] = "   ";
    rig.fill(sheet);
    rig.save();
    EXPECT_EQ(rig.messages.texts(), QStringList{"Your worksheet has been saved."});
    QStringList expected{"Rivers and Lakes", " "};
    for (int n = 0; n < 10; ++n) {
        expected << QString(sheet.q[n].text).replace(u',', u'&');
        for (const QString& o : sheet.q[n].options)
            expected << o;
        expected << QString::number(n % 4 + 1) << " ";
    }
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
    EXPECT_EQ(rig.messages.texts(), QStringList{"There was a problem saving your worksheet"});
    EXPECT_EQ(rig.files.read(kRegisterPath), QByteArray(" 1 \r\nHills\r\n"));
    rig.files.failLocks = false;
    rig.files.failWrites = true;
    rig.save();
    EXPECT_EQ(rig.messages.texts().last(), "There was a problem saving your worksheet");
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
