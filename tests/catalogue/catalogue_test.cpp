// The worksheet catalogue as a teacher uses it: pages of titles, opening a
// worksheet as a quiz, in the wizard, or deleting it.
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "shell/intro0.h"
#include "tests/quiz/quizplay.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

const QString kCorrupted = QStringLiteral("This worksheet seems to be corrupted.");
const QString kRegister = QStringLiteral("multiple\\track.txt");

QString title(int i) { return QStringLiteral("Sheet %1").arg(i); }

struct Catalogue : ::testing::Test {
    Rig rig;
    App& app = rig.app;

    // Registers titles 1 to count, each with its question file.
    void registerSheets(int count)
    {
        QStringList lines{QStringLiteral(" %1 ").arg(count)};
        for (int i = 1; i <= count; ++i) {
            lines << title(i);
            putSheet(title(i));
        }
        rig.files.put(kRegister, encodeLines(lines));
    }
    void putSheet(const QString& name, const QString& right = QStringLiteral("3"))
    {
        rig.files.put("multiple\\" + name + ".txt", encodeLines(questionFileLines(tenQuestions(name, right))));
    }
    QStringList registered() const
    {
        const QByteArray bytes = rig.files.stored.at(FakeFiles::key(kRegister));
        return QString::fromLatin1(bytes).split("\r\n", Qt::SkipEmptyParts).mid(1);
    }
    // The catalogue opened from the main menu.
    worksheets& open()
    {
        app.show<intro0>();
        app.click(app.form<intro0>().Label2[18]);
        return *app.peek<worksheets>();
    }
    worksheets& cat() { return *app.peek<worksheets>(); }
    QStringList shownTitles()
    {
        QStringList out;
        for (int k = 1; k <= worksheets::kSlots; ++k)
            if (cat().Label2[k].visible)
                out << cat().Label2[k].caption;
        return out;
    }
    static QStringList titles(int from, int to)
    {
        QStringList out;
        for (int i = from; i <= to; ++i)
            out << title(i);
        return out;
    }
    void nextPage() { app.click(cat().Label3[1]); }
    void clickTitle(int slot) { app.click(cat().Label2[slot]); }
};

} // namespace

struct PageRow {
    const char* name;
    int count;
    int lastPage; // 1-based
    int onLastPage;
};
void PrintTo(const PageRow& row, std::ostream* os) { *os << row.name; }


struct CataloguePages : Catalogue, ::testing::WithParamInterface<PageRow> {};

// Pages once stopped at 41, so titles after the 984th could never be reached.
TEST_P(CataloguePages, NextPageIsOfferedWhileTitlesLieBeyond)
{
    const PageRow row = GetParam();
    registerSheets(row.count);
    worksheets& w = open();
    EXPECT_EQ(w.Label3[1].visible, row.lastPage > 1);
    EXPECT_FALSE(w.Label3[0].visible);
    for (int p = 2; p <= row.lastPage; ++p) {
        ASSERT_TRUE(w.Label3[1].visible) << "page " << p - 1;
        nextPage();
        EXPECT_EQ(w.Label4.caption, QStringLiteral("Page %1").arg(p));
        EXPECT_TRUE(w.Label3[0].visible);
    }
    EXPECT_FALSE(w.Label3[1].visible);
    const int first = 24 * (row.lastPage - 1) + 1;
    EXPECT_EQ(shownTitles(), titles(first, first + row.onLastPage - 1));
}

INSTANTIATE_TEST_SUITE_P(Registers, CataloguePages,
                         ::testing::Values(PageRow{"TwentyFourFillOnePage", 24, 1, 24},
                                           PageRow{"TheTwentyFifthIsAloneOnPageTwo", 25, 2, 1},
                                           PageRow{"AThousandReachPageFortyTwo", 1000, 42, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Catalogue, DeletingTheOnlyTitleOfTheLastPageLeavesItEmpty)
{
    registerSheets(25);
    worksheets& w = open();
    nextPage();
    app.click(w.Check2);
    clickTitle(1);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, "Are you sure that you want to delete the worksheet Sheet 25?");
    EXPECT_EQ(rig.messages.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(rig.messages.shown[0].caption, "");
    EXPECT_EQ(registered(), titles(1, 24));
    EXPECT_TRUE(shownTitles().isEmpty());
    EXPECT_TRUE(w.Label3[0].visible);
    EXPECT_EQ(w.Label4.caption, "Page 2");
    EXPECT_TRUE(rig.files.stored.count(FakeFiles::key("multiple\\Sheet 25.txt"))) << "the question file stays";
}

TEST_F(Catalogue, DeletingOneOfThirtyRedrawsTheFirstPageAndKeepsTheRestReachable)
{
    registerSheets(30);
    const QByteArray before = rig.files.stored.at(FakeFiles::key(kRegister));
    worksheets& w = open();
    app.click(w.Check2);
    rig.messages.answers = {MsgResult::Cancel};
    clickTitle(3);
    EXPECT_EQ(rig.files.stored.at(FakeFiles::key(kRegister)), before) << "Cancel keeps the register";
    EXPECT_EQ(shownTitles(), titles(1, 24));
    clickTitle(3);
    QStringList expected = titles(1, 25);
    expected.removeAt(2);
    EXPECT_EQ(shownTitles(), expected);
    nextPage();
    EXPECT_EQ(shownTitles(), titles(26, 30));
}

TEST_F(Catalogue, TheTwoBoxesExcludeEachOther)
{
    registerSheets(3);
    worksheets& w = open();
    app.click(w.Check1);
    app.click(w.Check2);
    EXPECT_EQ(w.Check1.value, 0);
    EXPECT_EQ(w.Check2.value, 1);
    app.click(w.Check1);
    EXPECT_EQ(w.Check2.value, 0);
}

// The catalogue replaces the menu, which is unloaded; the quiz still takes
// its picture and heading, and loading it again switches sounds on. Exit
// brings the menu back.
TEST_F(Catalogue, OpensAWorksheetAsAQuizWhileTheMenuIsUnloaded)
{
    registerSheets(2);
    worksheets& w = open();
    EXPECT_EQ(app.top(), &w);
    EXPECT_FALSE(app.loaded<intro0>());
    EXPECT_EQ(shownTitles(), titles(1, 2));
    EXPECT_EQ(w.Label4.caption, "Page 1");
    app.module1.soundon = 0;
    clickTitle(2);
    multiple* quiz = app.peek<multiple>();
    ASSERT_NE(quiz, nullptr);
    EXPECT_EQ(app.top(), quiz);
    ASSERT_TRUE(app.loaded<intro0>());
    EXPECT_FALSE(app.isShown(*app.peek<intro0>()));
    EXPECT_EQ(app.module1.soundon, 1);
    ASSERT_TRUE(quiz->Picture1.picture);
    EXPECT_EQ(quiz->Picture1.picture, app.peek<intro0>()->Image1.picture);
    EXPECT_EQ(quiz->Label5.caption, "The Oravians");
    EXPECT_EQ(quiz->Label6.caption, "Sheet 2");
    EXPECT_EQ(quiz->Label2.caption, "Sheet 2 question 1");
    EXPECT_TRUE(quiz->Label3[3].visible) << "a teacher's worksheet can be printed";
    EXPECT_TRUE(quiz->Check1.visible) << "with its answer key";
    app.click(quiz->Label3[2]);
    EXPECT_EQ(app.top(), &w);
    app.click(w.Label2[0]);
    EXPECT_FALSE(app.loaded<worksheets>());
    EXPECT_EQ(app.top(), app.peek<intro0>());
}

struct Mode {
    const char* name;
    bool edit, remove;
};
void PrintTo(const Mode& row, std::ostream* os) { *os << row.name; }


struct BrokenSheet : Catalogue, ::testing::WithParamInterface<Mode> {};

TEST_P(BrokenSheet, AMissingOrDamagedFileIsReportedAndNothingElseHappens)
{
    registerSheets(3);
    rig.files.stored.erase(FakeFiles::key("multiple\\Sheet 2.txt"));
    putSheet(title(3), "7"); // a right answer no option has
    const QByteArray before = rig.files.stored.at(FakeFiles::key(kRegister));
    worksheets& w = open();
    w.Check1.value = GetParam().edit;
    w.Check2.value = GetParam().remove;
    clickTitle(2);
    EXPECT_EQ(rig.messages.texts(), QStringList{kCorrupted});
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
    if (!GetParam().remove) {
        clickTitle(3);
        EXPECT_EQ(rig.messages.texts(), (QStringList{kCorrupted, kCorrupted}));
    }
    EXPECT_EQ(app.top(), &w);
    EXPECT_FALSE(app.loaded<wizard>());
    EXPECT_EQ(rig.files.stored.at(FakeFiles::key(kRegister)), before);
}

INSTANTIATE_TEST_SUITE_P(Modes, BrokenSheet,
                         ::testing::Values(Mode{"Quiz", false, false}, Mode{"Edit", true, false},
                                           Mode{"Delete", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Catalogue, EditFillsTheWizardWithOneTickPerQuestion)
{
    registerSheets(1);
    putSheet("Rivers, Lakes");
    rig.files.put(kRegister, encodeLines({" 2 ", title(1), "\"Rivers, Lakes\""}));
    worksheets& w = open();
    app.click(w.Check1);
    clickTitle(2);
    wizard* wiz = app.peek<wizard>();
    ASSERT_NE(wiz, nullptr);
    EXPECT_EQ(app.top(), wiz);
    EXPECT_EQ(wiz->Text1.caption, "Rivers, Lakes");
    EXPECT_EQ(wiz->Text2[9].caption, "Rivers, Lakes question 10");
    EXPECT_EQ(wiz->Text3[39].caption, "west");
    for (int q = 0; q < 10; ++q)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(wiz->Check1[4 * q + j].value, j == 2 ? 1 : 0) << q << " " << j;
    EXPECT_EQ(w.Check1.value, 1);
}
