// The "Print" button of the page viewer and the guide: one job per press
// however often it is clicked, what the pupil sees meanwhile, and what the
// teacher is told when the page or the printer is not there.
#include "platform/log.h"
#include "topicstest.h"

namespace oravians::testing {
namespace {

const QString kPaused = QStringLiteral("Your printer is paused. This will print when it is started again.");
const QString kProblem = QStringLiteral("There was a problem printing to your printer.");

// The two page windows, opened as a teacher opens them, on their first page.
enum class PageWindow { Viewer, Guide };

struct PrintButtonTest : MenuFixture {
    Window* window = nullptr;
    Control* button = nullptr;
    Control* timer = nullptr;

    void open(PageWindow which)
    {
        if (which == PageWindow::Viewer) {
            clickMenu(8);
            app.click(app.form<inventions>().Label3[4]); // Key Facts
            window = app.peek<teacher>();
            timer = &app.form<teacher>().Timer2;
        } else {
            clickMenu(20);
            window = app.peek<guide>();
            timer = &app.form<guide>().Timer1;
        }
        button = &pageButton(0);
        rig.sound.played.clear();
    }
    Control& pageButton(int i) { return *window->find(QStringLiteral("Label3"), i); } // 1 exits, 2 pages on
    int jobs() const { return int(rig.printer.ops.count(QStringLiteral("end"))); }
};

struct PrintButtonBurst : PrintButtonTest, ::testing::WithParamInterface<PageWindow> {};

// Thirty quick clicks on "Print" once sent thirty jobs and said nothing.
TEST_P(PrintButtonBurst, ThirtyClicksMakeOneJobAndTheButtonSaysPrinting)
{
    open(GetParam());
    for (int i = 0; i < 30; ++i)
        app.click(*button);
    EXPECT_EQ(button->caption, "Printing...");
    EXPECT_FALSE(button->enabled) << "the button looks disabled while the job is prepared";
    EXPECT_EQ(jobs(), 0) << "the job goes out once the changed button is on screen";

    rig.tick(*timer);
    EXPECT_EQ(jobs(), 1);
    EXPECT_EQ(button->caption, "Printing...") << "a short moment after sending, clicks still do nothing";
    EXPECT_FALSE(button->enabled);
    for (int i = 0; i < 30; ++i)
        app.click(*button);
    EXPECT_EQ(jobs(), 1);
    EXPECT_TRUE(rig.messages.shown.empty()) << "no message box to close";

    rig.tick(*timer); // the moment is over
    EXPECT_EQ(button->caption, "Print");
    EXPECT_EQ(button->font, tahoma(15.75f));
    EXPECT_TRUE(button->enabled);

    app.click(*button);
    rig.tick(*timer);
    EXPECT_EQ(jobs(), 2) << "after the moment a click prints again";
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST_P(PrintButtonBurst, PrintsThePaperVersionOfThePageShownAndStaysOnIt)
{
    open(GetParam());
    app.click(pageButton(2));
    app.click(pageButton(2));
    app.click(*button);
    rig.tick(*timer);
    const QString page = GetParam() == PageWindow::Viewer ? "key inventionsc.wmf" : "guide3.wmf";
    EXPECT_EQ(rig.printer.ops, (QStringList{"print||nl", "picture|wmf2\\" + page + "|1000,1000", "end"}));
    EXPECT_EQ(pictureOf(*window->find(QStringLiteral("Image1"))), "wmf\\" + page);
    EXPECT_TRUE(rig.messages.shown.empty()) << "a page prints without a message";
    EXPECT_TRUE(rig.sound.played.isEmpty()) << "paging and printing are silent";
}

TEST_P(PrintButtonBurst, UnloadingDuringTheMomentIsSafeAndTheNextOpeningPrints)
{
    for (bool sentFirst : {true, false}) {
        SCOPED_TRACE(sentFirst ? "unloaded after sending" : "unloaded before sending");
        open(GetParam());
        const int before = jobs();
        app.click(*button);
        if (sentFirst)
            rig.tick(*timer);
        Control* const oldTimer = timer;
        app.click(pageButton(1));
        app.settle();
        EXPECT_FALSE(rig.timers.isRunning(*oldTimer)) << "the timer went with its window";
        EXPECT_EQ(jobs(), before + (sentFirst ? 1 : 0));
        if (GetParam() == PageWindow::Viewer)
            app.click(app.form<inventions>().Label3[2]); // back to the menu
    }
    open(GetParam());
    EXPECT_EQ(button->caption, "Print");
    EXPECT_TRUE(button->enabled);
    const int before = jobs();
    app.click(*button);
    rig.tick(*timer);
    EXPECT_EQ(jobs(), before + 1);
}

TEST_P(PrintButtonBurst, PausedPrinterHoldsThePageAndSaysSo)
{
    open(GetParam());
    rig.printer.outcome = PrintOutcome::Held;
    app.click(*button);
    app.click(*button);
    rig.tick(*timer);
    EXPECT_EQ(jobs(), 1);
    EXPECT_EQ(rig.messages.texts(), QStringList{kPaused});
    EXPECT_EQ(rig.messages.shown[0].caption, "The Oravians");
    EXPECT_EQ(rig.messages.shown[0].buttons, MsgButtons::Ok);
}

TEST_P(PrintButtonBurst, PrinterFailureGivesTheButtonBackAtOnce)
{
    open(GetParam());
    rig.printer.failAt = 3; // the end of the document
    app.click(*button);
    rig.tick(*timer);
    EXPECT_EQ(rig.messages.texts(), QStringList{kProblem});
    EXPECT_EQ(button->caption, "Print");
    EXPECT_TRUE(button->enabled);
    EXPECT_FALSE(rig.timers.isRunning(*timer));
}

INSTANTIATE_TEST_SUITE_P(, PrintButtonBurst, ::testing::Values(PageWindow::Viewer, PageWindow::Guide),
                         [](const auto& info) { return info.param == PageWindow::Viewer ? "PageViewer" : "Guide"; });

// A missing or damaged page file is named, on the page or in the message,
// and the printer is not blamed.
struct PageFileCase {
    const char* name;
    PageWindow window;
    QString file;
    bool damaged;
    QString message; // the message box after "Print", if any
    QString notice;  // the line drawn on the page, if any
};

struct MissingPageFiles : PrintButtonTest, ::testing::WithParamInterface<PageFileCase> {};

TEST_P(MissingPageFiles, AreNamedAndStartNoJob)
{
    const PageFileCase& c = GetParam();
    (c.damaged ? rig.pictures.damaged : rig.pictures.missing).insert(c.file);
    open(c.window);
    const Control& notice = c.window == PageWindow::Viewer ? app.form<teacher>().Label2 : app.form<guide>().Label4;
    EXPECT_EQ(notice.visible, !c.notice.isEmpty());
    EXPECT_EQ(notice.visible ? notice.caption : QString(), c.notice);

    app.click(*button);
    if (rig.timers.isRunning(*timer))
        rig.tick(*timer);
    if (c.message.isEmpty()) {
        EXPECT_TRUE(rig.messages.shown.empty());
        EXPECT_EQ(jobs(), 1) << "the print version is there and prints";
    } else {
        EXPECT_EQ(rig.messages.texts(), QStringList{c.message});
        EXPECT_TRUE(rig.printer.ops.isEmpty()) << "no job is started";
        EXPECT_EQ(button->caption, "Print");
        EXPECT_TRUE(button->enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , MissingPageFiles,
    ::testing::Values(
        PageFileCase{"MissingPrintPage", PageWindow::Guide, "wmf2\\guide1.wmf", false,
                     "The page wmf2\\guide1.wmf could not be found.", ""},
        PageFileCase{"DamagedPrintPage", PageWindow::Guide, "wmf2\\guide1.wmf", true,
                     "The page wmf2\\guide1.wmf could not be read.", ""},
        PageFileCase{"MissingScreenPage", PageWindow::Guide, "wmf\\guide1.wmf", false, "",
                     "The page wmf\\guide1.wmf could not be found."},
        PageFileCase{"DamagedScreenPage", PageWindow::Guide, "wmf\\guide1.wmf", true, "",
                     "The page wmf\\guide1.wmf could not be read."},
        PageFileCase{"MissingPrintPageInTheViewer", PageWindow::Viewer, "wmf2\\key inventionsa.wmf", false,
                     "The page wmf2\\key inventionsa.wmf could not be found.", ""},
        PageFileCase{"DamagedScreenPageInTheViewer", PageWindow::Viewer, "wmf\\key inventionsa.wmf", true, "",
                     "The page wmf\\key inventionsa.wmf could not be read."}),
    [](const auto& info) { return std::string(info.param.name); });

// Missing pictures stay silent for the pupil but are logged once, by name.
struct PictureLogTest : MenuFixture {
    QStringList logged;
    PictureLogTest() { setLogSink([this](const QString& line) { logged << line; }); }
    ~PictureLogTest() override { setLogSink(nullptr); }
};

TEST_F(PictureLogTest, AMissingAnimationFrameIsLoggedOnceWithItsName)
{
    rig.pictures.missing.insert("logo\\lumb0001.gif");
    clickMenu(19); // acknowledgments, with the logo animation
    for (int i = 0; i < 21; ++i) // frame 1 comes round twice
        rig.tick(app.form<teacher>().Timer1);
    EXPECT_EQ(logged.filter(QStringLiteral("logo\\lumb0001.gif")).size(), 1) << logged.join('\n').toStdString();
    EXPECT_EQ(logged.size(), 1);
    EXPECT_TRUE(rig.messages.shown.empty()) << "the pupil is shown nothing";
}

TEST_F(PictureLogTest, ADamagedPictureIsLoggedWithItsName)
{
    rig.pictures.damaged.insert("images\\engineer.jpg");
    clickMenu(8);
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0].contains(QStringLiteral("images\\engineer.jpg"))) << logged[0].toStdString();
    EXPECT_TRUE(rig.messages.shown.empty());
}

} // namespace
} // namespace oravians::testing
