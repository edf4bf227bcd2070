// "Import…" and "Export…" in the worksheet catalogue: a teacher's file comes
// in through the file dialog and is listed at once; every worksheet goes out
// to a chosen folder and reads back; what goes wrong is told and loses nothing.
#include "quiz/questionfile.h"
#include "shell/intro0.h"
#include "worksheets/interchange.h"
#include "worksheets/worksheets.h"
#include "tests/quiz/quizplay.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

// count GIFT questions; the fourth (at line 9) has two right answers.
QByteArray birds(int count)
{
    QByteArray out = "$CATEGORY: Birds of the Tarn\n\n";
    for (int n = 1; n <= count; ++n)
        out += QStringLiteral("Which bird is number %1? {=Gannet%1 %2Heron ~Swift ~Crane}\n\n").arg(n).arg(n == 4 ? "=" : "~").toUtf8();
    return out;
}

struct Row {
    const char* name;
    QByteArray file;       // import: the chosen file's bytes (empty: missing); export: unused
    MsgResult answer;      // export: the answer to "as GIFT?"
    const char* chosen;    // what the dialog answers, inside a temporary folder; empty: cancelled
    QStringList titles;    // listed afterwards
    QString says;          // the report's start (%1: the chosen path); empty: no report
    bool heldElsewhere = false;
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

struct Share : ::testing::TestWithParam<Row> {
    Rig rig;
    App& app = rig.app;
    QTemporaryDir dir;
    worksheets* cat = nullptr;

    void SetUp() override
    {
        rig.files.put("multiple\\track.txt", encodeLines({" 1 ", "Ponds"}));
        rig.files.put("multiple\\Ponds.txt", encodeLines(questionFileLines(tenQuestions("Ponds", "3"))));
        app.show<intro0>();
        app.click(app.form<intro0>().Label2[18]);
        cat = app.peek<worksheets>();
        QFile(dir.filePath("plain-file")).open(QIODevice::WriteOnly);
    }
    // Runs the row's button; checks the list and the report; the chosen path.
    QString press(int button)
    {
        const Row& row = GetParam();
        const QString chosen = dir.filePath(row.chosen);
        if (!row.file.isEmpty()) {
            QFile f(chosen);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(row.file) == row.file.size());
        }
        if (*row.chosen)
            rig.fileDialogs.answers = {chosen};
        rig.messages.answers = {row.answer};
        rig.files.failLocks = row.heldElsewhere;
        app.click(cat->Label5[button]);
        QStringList listed;
        for (int k = 1; k <= worksheets::kSlots && cat->Label2[k].visible; ++k)
            listed << cat->Label2[k].caption;
        EXPECT_EQ(listed, row.titles);
        const QString told = rig.messages.shown.empty() ? QString() : rig.messages.shown.back().text;
        EXPECT_TRUE(row.says.isEmpty() ? told.isEmpty() : told.startsWith(row.says.arg(chosen))) << told.toStdString();
        return chosen;
    }
};
using Imports = Share;
using Exports = Share;

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace

TEST_P(Imports, ListTheNewWorksheetsOrLoseNothing)
{
    const auto before = rig.files.stored;
    press(0);
    if (GetParam().titles.size() == 1)
        EXPECT_EQ(rig.files.stored, before);
    // Titles chosen and saved under one hold of the register, not one per worksheet.
    EXPECT_LE(rig.files.locked.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, Imports, ::testing::Values(
    Row{"two_worksheets", birds(22), {}, "coast.gift", {"Ponds", "Birds of the Tarn", "Birds of the Tarn 2"},
        "Imported 2 worksheets from coast.gift (GIFT): \"Birds of the Tarn\", \"Birds of the Tarn 2\".\n"
        "Skipped 1 question:\n  line 9: "},
    Row{"missing_file", {}, {}, "gone.gift", {"Ponds"}, "No worksheets imported from gone.gift (GIFT).\nThe file \"%1\" could not be opened"},
    Row{"too_few_questions", birds(10), {}, "a.gift", {"Ponds"}, "No worksheets imported from a.gift (GIFT).\nA worksheet needs ten"},
    Row{"register_held_elsewhere", birds(11), {}, "a.gift", {"Ponds"}, "No worksheets imported from a.gift (GIFT).\nA worksheet could not be saved: the worksheet register is in use elsewhere", true},
    Row{"dialog_cancelled", {}, {}, "", {"Ponds"}, ""}), rowName);

TEST_P(Exports, WriteFilesThatReadBack)
{
    const QString folder = press(1);
    EXPECT_EQ(rig.messages.shown.front().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(rig.fileDialogs.asked.isEmpty(), GetParam().answer == MsgResult::Cancel);
    const QStringList written = QDir(folder).entryList(QDir::Files);
    if (GetParam().answer == MsgResult::Cancel || written.isEmpty())
        return;
    // Read back into another school's empty catalogue: the same question file.
    Rig other;
    EXPECT_EQ(importFile(other.app, QDir(folder).filePath(written.first())).imported, QStringList{"Ponds"});
    EXPECT_EQ(other.files.stored.at("multiple/ponds.txt"), rig.files.stored.at("multiple/ponds.txt"));
}

INSTANTIATE_TEST_SUITE_P(Rows, Exports, ::testing::Values(
    Row{"yes_is_gift", {}, MsgResult::Yes, "out", {"Ponds"}, "Exported 1 worksheet to %1:\n  Ponds.gift"},
    Row{"no_is_aiken", {}, MsgResult::No, "out", {"Ponds"}, "Exported 1 worksheet to %1:\n  Ponds.txt"},
    Row{"cancel_asks_for_no_folder", {}, MsgResult::Cancel, "", {"Ponds"}, "Export the worksheets as GIFT"},
    Row{"no_folder_can_be_made", {}, MsgResult::Yes, "plain-file/out", {"Ponds"},
        "Exported 0 worksheets to %1.\nThe folder \"%1\" could not be made."}), rowName);
