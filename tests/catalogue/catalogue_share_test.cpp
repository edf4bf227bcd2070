// "Import…" and "Export…" in the worksheet catalogue: a teacher's file comes
// in through the file dialog and is listed at once; every worksheet goes out
// to a chosen folder and reads back; what goes wrong is told and loses nothing.
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "shell/intro0.h"
#include "worksheets/interchange.h"
#include "worksheets/worksheets.h"
#include "tests/quiz/quizplay.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

// count GIFT questions; the one at `broken` (1-based, at line 2n + 1) has two right answers.
QByteArray birdQuestions(int count, int broken = 0)
{
    QByteArray out = "$CATEGORY: Birds of the Tarn\n\n";
    for (int n = 1; n <= count; ++n)
        out += QStringLiteral("Which bird is number %1? {=Gannet%1 %2Heron ~Swift ~Crane}\n\n")
                   .arg(n).arg(n == broken ? "=" : "~").toUtf8();
    return out;
}

struct Share : ::testing::Test {
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
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    QStringList shownTitles() const
    {
        QStringList out;
        for (int k = 1; k <= worksheets::kSlots; ++k)
            if (cat->Label2[k].visible)
                out << cat->Label2[k].caption;
        return out;
    }
    QString told() const { return rig.messages.shown.empty() ? QString() : rig.messages.shown.back().text; }
};

} // namespace

TEST_F(Share, ImportedWorksheetsAreListedAndReported)
{
    rig.fileDialogs.answers = {write("coast.gift", birdQuestions(22, 4))};
    app.click(cat->Label5[0]);
    EXPECT_EQ(shownTitles(), (QStringList{"Ponds", "Birds of the Tarn", "Birds of the Tarn 2"}));
    EXPECT_TRUE(told().startsWith("Imported 2 worksheets from coast.gift (GIFT): \"Birds of the Tarn\", "
                                  "\"Birds of the Tarn 2\".\nSkipped 1 question:\n  line 9: ")) << told().toStdString();
    EXPECT_TRUE(told().contains("Left over: 1 question")) << told().toStdString();
    // Titles chosen and saved under one hold of the register, not one per worksheet.
    EXPECT_EQ(rig.files.locked.size(), 1u);
}

struct ImportFault {
    const char* name;
    QByteArray file; // empty: the chosen file does not exist
    bool cancelled, heldElsewhere;
    const char* says;
};
class ImportFaults : public Share, public ::testing::WithParamInterface<ImportFault> {};

TEST_P(ImportFaults, AreToldAndChangeNothing)
{
    const ImportFault& row = GetParam();
    const auto before = rig.files.stored;
    rig.files.failLocks = row.heldElsewhere;
    if (!row.cancelled)
        rig.fileDialogs.answers = {row.file.isEmpty() ? dir.filePath("gone.gift") : write("birds.gift", row.file)};
    app.click(cat->Label5[0]);
    EXPECT_EQ(rig.files.stored, before);
    EXPECT_EQ(shownTitles(), QStringList{"Ponds"});
    EXPECT_TRUE(told().contains(row.says)) << told().toStdString();
    EXPECT_EQ(rig.messages.shown.size(), row.cancelled ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImportFaults,
    ::testing::Values(ImportFault{"missing_file", {}, false, false, "could not be opened"},
                      ImportFault{"too_few_questions", birdQuestions(9), false, false, "needs ten questions"},
                      ImportFault{"register_held_elsewhere", birdQuestions(10), false, true, "in use elsewhere"},
                      ImportFault{"dialog_cancelled", {}, true, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportRow {
    const char* name;
    MsgResult answer;
    const char* folder; // inside the temporary folder
    QString says;       // the whole report; empty: no report
    const char* written; // the file that reads back; empty: none
};
class Exports : public Share, public ::testing::WithParamInterface<ExportRow> {};

TEST_P(Exports, WriteFilesThatReadBack)
{
    const ExportRow& row = GetParam();
    write("plain-file", "not a folder");
    const QString folder = dir.filePath(row.folder);
    rig.fileDialogs.answers = {folder};
    rig.messages.answers = {row.answer};
    app.click(cat->Label5[1]);
    EXPECT_EQ(rig.messages.shown.front().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(rig.messages.shown.size() == 2 ? told() : QString(), row.says.isEmpty() ? row.says : row.says.arg(folder));
    if (!*row.written)
        return;
    // Read back into another school's empty catalogue: the same question file.
    Rig other;
    const ImportReport back = importFile(other.app, QDir(folder).filePath(row.written));
    EXPECT_EQ(back.imported, QStringList{"Ponds"}) << back.text().toStdString();
    EXPECT_EQ(other.files.stored.at("multiple/ponds.txt"), rig.files.stored.at("multiple/ponds.txt"));
}

INSTANTIATE_TEST_SUITE_P(Rows, Exports,
    ::testing::Values(ExportRow{"yes_is_gift", MsgResult::Yes, "out", "Exported 1 worksheet to %1:\n  Ponds.gift", "Ponds.gift"},
                      ExportRow{"no_is_aiken", MsgResult::No, "out", "Exported 1 worksheet to %1:\n  Ponds.txt", "Ponds.txt"},
                      ExportRow{"cancel_asks_no_folder", MsgResult::Cancel, "out", "", ""},
                      ExportRow{"no_folder_can_be_made", MsgResult::Yes, "plain-file/out",
                                "Exported 0 worksheets to %1.\nThe folder \"%1\" could not be made.", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Pupils on a topic's own quiz never see the answer key's box.
TEST_F(Share, OnlyAWorksheetFromTheCatalogueOffersItsAnswerKey)
{
    app.click(cat->Label2[1]);
    EXPECT_TRUE(app.peek<multiple>()->Check1.visible);
    Rig topic;
    EXPECT_FALSE(openQuizWindow(topic).Check1.visible);
}
