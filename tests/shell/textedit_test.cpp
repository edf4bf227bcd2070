// Text boxes as a pupil edits them with keys and the pointer: the caret, the
// selection, the typing limit, the clipboard, Enter and Tab.
#include "platform/window.h"
#include "quiz/welldone.h"
#include "tests/support/fakes.h"

#include <gtest/gtest.h>

namespace oravians {
namespace {

using testing::Rig;

// A form with a text box (limit 10), buttons and boxes Tab may or may not
// visit: Text2 is hidden, Command2 disabled, Option1 in a hidden frame.
class Form : public Window {
public:
    explicit Form(Desktop& d) : Window(d, QStringLiteral("Form1")) {}
    Ctl Label1{this, {.kind = Kind::Label, .name = "Label1", .caption = "Name"}};
    Ctl Text1{this, {.kind = Kind::TextBox, .name = "Text1", .left = 600, .top = 300, .width = 3000,
                     .height = 400, .maxLength = 10}};
    Ctl Command1{this, {.kind = Kind::CommandButton, .name = "Command1", .caption = "OK", .left = 600,
                        .top = 900, .width = 1200, .height = 400}};
    Ctl Text2{this, {.kind = Kind::TextBox, .name = "Text2", .top = 1500, .visible = false}};
    Ctl Command2{this, {.kind = Kind::CommandButton, .name = "Command2", .top = 2100, .enabled = false}};
    Ctl Frame1{this, {.kind = Kind::Frame, .name = "Frame1", .top = 2700, .visible = false}};
    Ctl Option1{this, {.kind = Kind::OptionButton, .name = "Option1", .container = "Frame1"}};
    Ctl Check1{this, {.kind = Kind::CheckBox, .name = "Check1", .top = 3300}};
    Ctl Text3{this, {.kind = Kind::TextBox, .name = "Text3", .top = 3900}};
};

// A desktop with the form shown and Text1 focused; text measures 100 twips
// a character.
struct FormRig {
    Rig rig;
    Form form{rig.app};
    FormRig()
    {
        rig.app.measureText = [](const FontSpec&, const QString& t) { return float(t.size()) * 100; };
        rig.app.show(form);
        rig.app.setFocus(form.Text1);
    }
    // A left press and release at x twips from the box's left edge.
    void clickAt(Control& box, float x, int shift)
    {
        const QPointF at(box.absLeft() + x, box.absTop() + 100);
        rig.app.pointerPress(form, &box, kLeftButton, shift, at, clicks_ += 10000);
        rig.app.pointerRelease(box, kLeftButton, shift, at);
    }

private:
    std::int64_t clicks_ = 0;
};

// One thing a pupil does: a key (code and shift), typed text, or a click at
// x twips from the text box's left edge.
struct Step {
    int code = 0;
    int shift = 0;
    QString text;
    float clickX = -1;
};
Step key(int code, int shift = 0) { return {code, shift, {}, -1}; }
Step typed(const char* text) { return {0, 0, QString::fromUtf8(text), -1}; }
Step clickAt(float x, int shift = 0) { return {0, shift, {}, x}; }

constexpr int S = kShiftMask;
constexpr int C = kCtrlMask;

struct EditCase {
    const char* name;
    const char* start;     // Text1's text, caret at its end
    const char* clipboard; // before the steps
    std::vector<Step> steps;
    const char* text;      // afterwards
    int selStart, selLength;
    const char* clipboardAfter = nullptr; // null: unchanged
};

class Editing : public ::testing::TestWithParam<EditCase> {};

TEST_P(Editing, LeavesTheTextCaretAndSelection)
{
    const EditCase& row = GetParam();
    FormRig f;
    Control& box = f.form.Text1;
    box.caption = QString::fromUtf8(row.start);
    f.rig.app.setFocus(box);
    f.rig.clipboard.held = QString::fromUtf8(row.clipboard);
    for (const Step& s : row.steps) {
        if (s.clickX >= 0)
            f.clickAt(box, kTextBoxPadTwips + s.clickX, s.shift);
        else if (s.code)
            f.rig.app.keyDown(s.code, s.shift);
        else
            f.rig.app.type(s.text);
    }
    EXPECT_EQ(box.caption, QString::fromUtf8(row.text));
    EXPECT_EQ(box.selStart(), row.selStart);
    EXPECT_EQ(box.selLength(), row.selLength);
    EXPECT_EQ(f.rig.clipboard.held, QString::fromUtf8(row.clipboardAfter ? row.clipboardAfter : row.clipboard));
}

INSTANTIATE_TEST_SUITE_P(
    TextBox, Editing,
    ::testing::Values(
        EditCase{"TypingInsertsAtTheCaret", "Bram", "", {key(kKeyLeft), key(kKeyLeft), typed("x")}, "Brxam", 3, 0},
        EditCase{"RightStopsAtTheEnd", "ab", "", {key(kKeyHome), key(kKeyRight), key(kKeyRight), key(kKeyRight)},
                 "ab", 2, 0},
        EditCase{"LeftStopsAtTheStart", "ab", "", {key(kKeyLeft), key(kKeyLeft), key(kKeyLeft)}, "ab", 0, 0},
        EditCase{"DeleteRemovesTheNextLetter", "Tomm", "", {key(kKeyLeft), key(kKeyDelete)}, "Tom", 3, 0},
        EditCase{"DeleteAtTheEndDoesNothing", "Tom", "", {key(kKeyDelete)}, "Tom", 3, 0},
        EditCase{"BackspaceRemovesThePreviousLetter", "Tom", "", {key(kKeyLeft), key(kKeyBackspace)}, "Tm", 1, 0},
        EditCase{"BackspaceAtTheStartDoesNothing", "Tom", "", {key(kKeyHome), key(kKeyBackspace)}, "Tom", 0, 0},
        EditCase{"ShiftLeftSelects", "Pellow", "", {key(kKeyLeft, S), key(kKeyLeft, S)}, "Pellow", 4, 2},
        EditCase{"ShiftHomeSelectsToTheStart", "Pellow", "", {key(kKeyLeft), key(kKeyHome, S)}, "Pellow", 0, 5},
        EditCase{"LeftCollapsesASelectionToItsStart", "Pellow", "", {key(kKeyHome, S), key(kKeyLeft)}, "Pellow", 0, 0},
        EditCase{"CtrlASelectsAll", "Pellow", "", {key(kKeyHome), key(kKeyA, C)}, "Pellow", 0, 6},
        EditCase{"DeleteRemovesTheSelection", "Pellow", "", {key(kKeyLeft, S), key(kKeyLeft, S), key(kKeyDelete)},
                 "Pell", 4, 0},
        EditCase{"BackspaceRemovesTheSelection", "Pellow", "", {key(kKeyHome), key(kKeyEnd, S), key(kKeyBackspace)},
                 "", 0, 0},
        EditCase{"TypingReplacesTheSelection", "Ann Pellow", "", {key(kKeyHome), key(kKeyRight, S), typed("E")},
                 "Enn Pellow", 1, 0},
        EditCase{"TypingStopsAtTheLimit", "Ann", "", {typed("abcdefghij")}, "Annabcdefg", 10, 0},
        EditCase{"TypingOverASelectionAtTheLimit", "abcdefghij", "", {key(kKeyLeft, S), typed("XY")}, "abcdefghiX", 10,
                 0},
        EditCase{"PasteInsertsAtTheCaret", "Ann Pw", "ello", {key(kKeyLeft), key(kKeyV, C)}, "Ann Pellow", 9, 0},
        EditCase{"ShiftInsertPastes", "Ann", "a", {key(kKeyInsert, S)}, "Anna", 4, 0},
        EditCase{"PasteIsCutToTheRoomLeft", "Ann ", "Pellowbury", {key(kKeyV, C)}, "Ann Pellow", 10, 0},
        EditCase{"PasteWithNoRoomChangesNothing", "abcdefghij", "xyz", {key(kKeyV, C)}, "abcdefghij", 10, 0},
        EditCase{"PasteReplacesTheSelectionWithinTheLimit", "abcdefghij", "12345",
                 {key(kKeyHome), key(kKeyRight, S), key(kKeyRight, S), key(kKeyV, C)}, "12cdefghij", 2, 0},
        EditCase{"PasteLosesLineBreaks", "", "Ann\r\nPel\nlow\n", {key(kKeyV, C)}, "AnnPellow", 9, 0},
        EditCase{"PasteOfNothingKeepsTheSelection", "Ann", "", {key(kKeyA, C), key(kKeyV, C)}, "Ann", 0, 3},
        EditCase{"CopyKeepsTheText", "Ann Pellow", "old", {key(kKeyLeft, S), key(kKeyLeft, S), key(kKeyC, C)},
                 "Ann Pellow", 8, 2, "ow"},
        EditCase{"CopyOfNothingKeepsTheClipboard", "Ann", "old", {key(kKeyC, C)}, "Ann", 3, 0, "old"},
        EditCase{"CutRemovesAndKeeps", "Ann Pellow", "", {key(kKeyHome), key(kKeyRight, S), key(kKeyX, C)},
                 "nn Pellow", 0, 0, "A"},
        EditCase{"CutThenPasteMoves", "Ann Pellow", "",
                 {key(kKeyHome), key(kKeyRight, S), key(kKeyRight, S), key(kKeyRight, S), key(kKeyRight, S),
                  key(kKeyX, C), key(kKeyEnd), typed(" "), key(kKeyV, C)},
                 "Pellow Ann", 10, 0, "Ann "},
        EditCase{"ClickPlacesTheCaretAtTheNearestGap", "Pellow", "", {clickAt(240), typed("-")}, "Pe-llow", 3, 0},
        EditCase{"ClickPastTheTextPlacesItAtTheEnd", "Pellow", "", {key(kKeyHome), clickAt(2500)}, "Pellow", 6, 0},
        EditCase{"ShiftClickSelectsFromTheCaret", "Pellow", "", {key(kKeyHome), clickAt(360, S)}, "Pellow", 0, 4}),
    [](const auto& info) { return std::string(info.param.name); });

// A caption set by the window's code may be shorter than where the caret was.
TEST(TextBox, KeysStayInsideACaptionTheCodeShortened)
{
    FormRig f;
    f.rig.app.type("Pellow");
    f.form.Text1.caption = QStringLiteral("Al");
    f.rig.app.keyDown(kKeyLeft, 0);
    f.rig.app.type("x");
    EXPECT_EQ(f.form.Text1.caption, "Axl");
    f.rig.app.keyDown(kKeyEnd, 0);
    f.rig.app.keyDown(kKeyBackspace, 0);
    EXPECT_EQ(f.form.Text1.caption, "Ax");
}

TEST(TextBox, TabGoesToTheKeyHandlerOnlyWhenTheDesignSaysSo)
{
    for (bool takesTab : {false, true}) {
        SCOPED_TRACE(takesTab ? "takes Tab" : "passes Tab on");
        FormRig f;
        f.form.Text1.takesTab = takesTab;
        std::vector<int> seen;
        f.form.Text1.onKeyPress = [&](int, int& key) { seen.push_back(key); };
        f.rig.app.keyDown(kKeyTab, 0);
        EXPECT_EQ(seen, takesTab ? std::vector<int>{kKeyTab} : std::vector<int>{});
        EXPECT_EQ(f.form.focus(), takesTab ? &f.form.Text1 : &f.form.Command1);
        EXPECT_EQ(f.form.Text1.caption, "") << "a text box never holds a Tab";
    }
}

TEST(TextBox, EnterOrSpaceOnAFocusedButtonClicksIt)
{
    FormRig f;
    int clicks = 0;
    f.form.Command1.onClick = [&](int) { ++clicks; };
    f.rig.app.keyDown(kKeyTab, 0);
    ASSERT_EQ(f.form.focus(), &f.form.Command1);
    f.rig.app.keyDown(kKeyReturn, 0);
    f.rig.app.type(" ");
    EXPECT_EQ(clicks, 2);
}

TEST(TextBox, TabbingIntoABoxSelectsItsText)
{
    FormRig f;
    f.form.Text3.caption = QStringLiteral("Bo");
    f.rig.app.keyDown(kKeyTab, S);
    ASSERT_EQ(f.form.focus(), &f.form.Text3);
    f.rig.app.type("Cy");
    EXPECT_EQ(f.form.Text3.caption, "Cy");
}

struct TabCase {
    const char* name;
    std::function<void(Form&)> setup;
    int shift;
    QStringList visited; // from no focus, one Tab each
};

class TabOrder : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, VisitsTheFocusableControls)
{
    const TabCase& row = GetParam();
    FormRig f;
    f.form.setFocus(nullptr);
    row.setup(f.form);
    QStringList visited;
    for (qsizetype i = 0; i < row.visited.size(); ++i) {
        f.rig.app.keyDown(kKeyTab, row.shift);
        visited << (f.form.focus() ? f.form.focus()->name : QStringLiteral("none"));
    }
    EXPECT_EQ(visited, row.visited);
}

INSTANTIATE_TEST_SUITE_P(
    Window, TabOrder,
    ::testing::Values(
        TabCase{"ReadingOrderSkippingHiddenAndDisabled", [](Form&) {}, 0,
                {"Text1", "Command1", "Check1", "Text3", "Text1"}},
        TabCase{"LeftBeforeRightOnOneRow", [](Form& f) { f.Check1.top = 300; }, 0,
                {"Check1", "Text1", "Command1", "Text3", "Check1"}},
        TabCase{"ShiftTabGoesBack", [](Form&) {}, S, {"Text3", "Check1", "Command1", "Text1", "Text3"}},
        TabCase{"TabIndexComesFirst", [](Form& f) { f.Text3.tabIndex = 0; f.Check1.tabIndex = 1; }, 0,
                {"Text3", "Check1", "Text1", "Command1", "Text3"}},
        TabCase{"AShownFrameJoinsWithItsOption", [](Form& f) { f.Frame1.visible = true; }, 0,
                {"Text1", "Command1", "Option1", "Check1", "Text3"}},
        TabCase{"EnabledAndShownJoin", [](Form& f) { f.Text2.visible = true; f.Command2.enabled = true; }, 0,
                {"Text1", "Command1", "Text2", "Command2", "Check1", "Text3"}},
        TabCase{"NothingToVisit",
                [](Form& f) { for (Control* c : {&f.Text1, &f.Command1, &f.Check1, &f.Text3}) c->visible = false; }, 0,
                {"none"}}),
    [](const auto& info) { return std::string(info.param.name); });


} // namespace
} // namespace oravians
