// The real Qt host, offscreen: windows drawn in their colours, clicks, keys and
// pointer moves delivered to the right handlers, every caption fitting its box.
// (Where panels sit, the backdrop, and animations reaching the screen
// untouched are checked by the pointer tests on the real program.)
#include "platform/qt/host.h"
#include "platform/qt/hostaccessible.h"
#include "platform/qt/moduleprinter.h"
#include "platform/qt/modulesound.h"
#include "platform/log.h"
#include "platform/qt/qtscreen.h"
#include "platform/qt/qttimers.h"
#include "platform/qt/windowpainter.h"
#include "platform/fontmap.h"
#include "activities/inventionslab.h"
#include "activities/quellmorelab.h"
#include "activities/quellmoreord.h"
#include "kernel/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "topics/guide.h"
#include "topics/inventions.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"
#include "quiz/multiple.h"
#include "quiz/openquiz.h"
#include "platform/contentfiles.h"
#include "platform/pictures/rasterpicture.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "platform/fontmeasure.h"
#include "tests/quiz/quizplay.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace oravians {
namespace {

using namespace oravians::testing;

// A control's pixels on screen, less a margin for anti-aliased edges.
QRect pixels(const Control& c)
{
    const QRectF client = Host::clientRect(c.window());
    return QRectF(client.topLeft() + QPointF(c.absLeft(), c.absTop()) / kTwipsPerPixel,
                  QSizeF(c.width, c.height) / kTwipsPerPixel)
        .toAlignedRect()
        .adjusted(2, 2, -2, -2);
}

// Real Qt parts a host rig puts in place of the fakes.
struct HostParts {
    QtScreen realScreen;
    QtTimers realTimers;
    FontMeasure realMeasure;
    ContentFiles realFiles{QStringLiteral(ORAVIANS_PROGRAM_DIR)};
};

// The host over fake sound, printer, messages and pictures, but real timers,
// screen, measure and files.
struct HostRig : HostParts, Rig {
    Host host{app};
    HostRig() : Rig({.measure = &realMeasure, .files = &realFiles, .screen = &realScreen, .timers = &realTimers})
    {
        realTimers.setDesktop(&app);
        host.setGeometry(QGuiApplication::primaryScreen()->geometry());
        host.show();
        app.show<Titlefrm>();
    }
    QPoint centre(const Control& c) const { return pixels(c).center(); }
    void clickOn(const Control& c) { QTest::mouseClick(&host, Qt::LeftButton, {}, centre(c)); }
    QImage grab() { return host.grab().toImage(); }
};

// Polls, letting events run, until ok() holds or a generous time has passed.
template <class F>
bool waitUntil(F ok)
{
    QElapsedTimer clock;
    clock.start();
    while (!ok() && clock.elapsed() < 10000)
        QTest::qWait(20);
    return ok();
}

bool hasColour(const QImage& img, const QRect& area, QColor colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) == colour)
                return true;
    return false;
}


TEST(QtHost, TheMenuPanelShowsItsEntriesAndAnswersThePointer)
{
    HostRig rig;
    rig.clickOn(rig.app.form<Titlefrm>().Command1);
    ASSERT_EQ(rig.app.top(), rig.app.peek<intro0>()) << "the click reached the title's OK";
    intro0& menu = rig.app.form<intro0>();
    const QImage shot = rig.grab();
    for (int i : {10, 8, 16}) {
        const QRect r = pixels(menu.Label2[i]);
        EXPECT_TRUE(hasColour(shot, r, QColor(0, 0, 0))) << "entry " << i << " has its black back";
        EXPECT_TRUE(hasColour(shot, r, QColor(255, 255, 0))) << "entry " << i << " has yellow text";
    }
    EXPECT_EQ(shot.pixelColor(pixels(menu.Label2[20]).topLeft() + QPoint(1, 1)), QColor(0, 0, 128));
    EXPECT_EQ(shot.pixelColor(Host::clientRect(menu).center().toPoint() + QPoint(0, 260)), QColor(0, 78, 152))
        << "the window colour";

    // The pointer over the background dims the entries; over one, it lights it.
    QTest::mouseMove(&rig.host, Host::clientRect(menu).topLeft().toPoint() + QPoint(400, 540));
    QTest::mouseMove(&rig.host, rig.centre(menu.Label2[10]));
    const QImage lit = rig.grab();
    EXPECT_TRUE(hasColour(lit, pixels(menu.Label2[10]), QColor(0, 0, 0)));
    EXPECT_FALSE(hasColour(lit, pixels(menu.Label2[12]), QColor(0, 0, 0))) << "transparent shows the window";
}

// The dialog a screen reader finds on top: the host's last child.
QAccessibleInterface* topDialog(Host& host)
{
    QAccessibleInterface* h = QAccessible::queryAccessibleInterface(&host);
    return h && h->childCount() > 0 ? h->child(h->childCount() - 1) : nullptr;
}

// The child of a dialog with that role (and name, unless empty), or null.
QAccessibleInterface* childOf(QAccessibleInterface* dialog, QAccessible::Role role, const QString& name = {})
{
    for (int k = 0; dialog && k < dialog->childCount(); ++k)
        if (QAccessibleInterface* c = dialog->child(k);
            c->role() == role && (name.isEmpty() || c->text(QAccessible::Name) == name))
            return c;
    return nullptr;
}

void press(QAccessibleInterface* button)
{
    ASSERT_TRUE(button && button->actionInterface());
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// A screen reader finds the menu's entries as buttons named by their
// captions in the menu's dialog, and pressing one opens its window.
TEST(QtHost, ScreenReadersSeeTheMenuEntriesAsButtons)
{
    HostRig rig;
    rig.clickOn(rig.app.form<Titlefrm>().Command1);
    intro0& menu = rig.app.form<intro0>();
    QAccessibleInterface* host = QAccessible::queryAccessibleInterface(&rig.host);
    ASSERT_TRUE(host);
    QAccessibleInterface* dialog = topDialog(rig.host);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->role(), QAccessible::Dialog);
    EXPECT_EQ(host->childCount(), 1) << "the backdrop is no dialog";
    QAccessibleInterface* quellmoreEntry = nullptr;
    for (int i : {0, 8, 10, 20}) {
        const Control& entry = menu.Label2[i];
        QAccessibleInterface* found = childOf(dialog, QAccessible::Button, entry.caption);
        ASSERT_TRUE(found) << entry.caption.toStdString();
        EXPECT_TRUE(found->rect().contains(rig.host.mapToGlobal(rig.centre(entry)))) << entry.caption.toStdString();
        if (i == 10)
            quellmoreEntry = found;
    }
    press(quellmoreEntry);
    EXPECT_EQ(rig.app.top(), rig.app.peek<quellmore>()) << "pressing the entry opened its topic";
    EXPECT_FALSE(host->text(QAccessible::Name).isEmpty()) << "the screen is named";
    ASSERT_EQ(host->childCount(), 2) << "the menu stays beneath the topic";
    EXPECT_EQ(quellmoreEntry->parent(), host->child(0)) << "the entry belongs to the menu's dialog";
    EXPECT_EQ(topDialog(rig.host)->text(QAccessible::Name), "Edmund Quellmore");
}

// The host with the program's own pictures: pages drawn from their metafiles.
struct ReaderParts : HostParts {
    ContentPictures realPictures{QStringLiteral(ORAVIANS_PROGRAM_DIR)};
};
struct ReaderRig : ReaderParts, Rig {
    Host host{app};
    ReaderRig()
        : Rig({.measure = &realMeasure, .files = &realFiles, .screen = &realScreen, .timers = &realTimers,
               .pictures = &realPictures})
    {
        realTimers.setDesktop(&app);
        host.setGeometry(QGuiApplication::primaryScreen()->geometry());
        host.show();
        app.show<intro0>();
    }
};

// A key-facts page reads as a document: its heading, then its sentences in
// reading order; closed, it is gone.
TEST(QtHost, ScreenReadersReadTheKeyFactsPage)
{
    ReaderRig rig;
    press(childOf(topDialog(rig.host), QAccessible::Button, "Edmund Quellmore"));
    press(childOf(topDialog(rig.host), QAccessible::Button, "Key Facts"));
    QAccessibleInterface* page = childOf(topDialog(rig.host), QAccessible::Document);
    ASSERT_TRUE(page) << "the page viewer shows a document";
    EXPECT_EQ(page->text(QAccessible::Name), "Edmund Quellmore: Key Facts");
    const QString text = page->textInterface()->text(0, page->textInterface()->characterCount());
    EXPECT_EQ(text, page->text(QAccessible::Description));
    EXPECT_TRUE(text.simplified().startsWith(
        "Edmund Quellmore: Key Facts Edmund Quellmore was the best-loved storyteller of the Oravian Age, the years "
        "when Queen Orava reigned. Edmund Quellmore was born in 1812"))
        << text.left(200).toStdString();
    press(childOf(topDialog(rig.host), QAccessible::Button, "Exit"));
    EXPECT_FALSE(page->isValid()) << "the closed page's document";
}

// What changes on screen is announced: to a control, by the event a screen
// reader listens for.
QList<std::pair<QAccessible::Event, QString>> heard;
TEST(QtHost, ScreenReadersHearWhatChanges)
{
    struct Row {
        const char* name;
        std::function<void(HostRig&)> act;
        QAccessible::Event event;
        QString control; // the accessible name of what the event is about
    };
    const std::vector<Row> rows = {
        {"a window comes up", [](HostRig& r) { showScore(r, 3, 10); }, QAccessible::ObjectShow, "Well Done!"},
        {"the focus goes to the name box",
         [](HostRig& r) {
             Welldone& w = showScore(r, 10, 10);
             waitUntil([&] { return w.focus() == &w.Text1; });
         },
         QAccessible::Focus, "Text1"},
        {"typing in the name box",
         [](HostRig& r) {
             Welldone& w = showScore(r, 10, 10);
             waitUntil([&] { return w.focus() == &w.Text1; });
             QTest::keyClicks(&r.host, "Bo");
         },
         QAccessible::TextUpdated, "Text1"},
        {"choosing an answer", [](HostRig& r) { r.app.click(openQuizWindow(r).Option1[2]); },
         QAccessible::StateChanged, "1 B"},
        {"turning a page",
         [](HostRig& r) {
             r.app.click(r.app.show<quellmore>().Label3[4]);
             r.app.click(r.app.peek<teacher>()->Label3[2]);
         },
         QAccessible::NameChanged, "Page 2 of 2"},
    };
    HostAccessible::setListener([](QAccessibleEvent* e) {
        if (QAccessibleInterface* i = e->accessibleInterface())
            heard.append({e->type(), i->text(QAccessible::Name)});
    });
    for (const Row& row : rows) {
        HostRig rig;
        heard.clear();
        row.act(rig);
        EXPECT_TRUE(heard.contains(std::pair{row.event, row.control})) << row.name;
    }
    HostAccessible::setListener(nullptr);
}

// Real keys in the score window's name box: the host hands them to the
// desktop, and draws the selection highlighted. (Clicks in the box are the
// pointer quiz test's.)
TEST(QtHost, KeysEditTheNameBoxAndTheSelectionShows)
{
    HostRig rig;
    Welldone& w = showScore(rig, 10, 10);
    ASSERT_TRUE(waitUntil([&] { return w.focus() == &w.Text1; }));
    QTest::keyClicks(&rig.host, "Pellowx");
    QTest::keyClick(&rig.host, Qt::Key_Backspace);
    QTest::keyClick(&rig.host, Qt::Key_Home);
    QTest::keyClick(&rig.host, Qt::Key_Delete);
    QTest::keyClick(&rig.host, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(w.Text1.caption, "ellow");
    EXPECT_EQ(w.Text1.selLength(), 5);
    // A screen reader reads the same text, the selection and the typing limit.
    QAccessibleInterface* box = childOf(topDialog(rig.host), QAccessible::EditableText);
    ASSERT_TRUE(box && box->textInterface());
    EXPECT_EQ(box->text(QAccessible::Value), "ellow");
    EXPECT_EQ(box->text(QAccessible::Description), "Up to 25 characters");
    EXPECT_EQ(box->textInterface()->selectionCount(), 1);
    EXPECT_TRUE(box->state().editable && box->state().focusable);
    const QColor highlight(10, 36, 106);
    EXPECT_TRUE(hasColour(rig.grab(), pixels(w.Text1), highlight)) << "the selection is drawn";
    QTest::keyClick(&rig.host, Qt::Key_Tab); // on to "Exit" and back into the box
    QTest::keyClick(&rig.host, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(w.focus(), &w.Text1);
    QTest::keyClick(&rig.host, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&rig.host, "Bo");
    EXPECT_EQ(w.Text1.caption, "Bo");
    EXPECT_FALSE(hasColour(rig.grab(), pixels(w.Text1), highlight));
}

// The keyboard's focus ring shows on navy and on black once Tab is used, and
// goes at the next pointer press: a mouse user never sees it.
TEST(QtHost, TheFocusRingShowsAfterTabAndGoesAtAPointerPress)
{
    HostRig rig;
    rig.clickOn(rig.app.form<Titlefrm>().Command1);
    intro0& menu = rig.app.form<intro0>();
    const QColor ring(0, 255, 255);
    const auto ringOn = [&](int entry) { return hasColour(rig.grab(), pixels(menu.Label2[entry]).adjusted(-2, -2, 2, 2), ring); };
    QTest::keyClick(&rig.host, Qt::Key_Tab); // shows the first stop, the sound switch
    QTest::keyClick(&rig.host, Qt::Key_Tab);
    ASSERT_EQ(menu.focus(), &menu.Label2[20]);
    EXPECT_TRUE(ringOn(20)) << "on navy";
    QTest::keyClick(&rig.host, Qt::Key_Tab);
    EXPECT_TRUE(ringOn(15)) << "on black";
    EXPECT_FALSE(ringOn(20)) << "only on the focused one";
    QTest::mouseClick(&rig.host, Qt::LeftButton, {}, Host::clientRect(menu).topLeft().toPoint() + QPoint(400, 540));
    EXPECT_FALSE(ringOn(15)) << "a pointer press hides it";
    EXPECT_EQ(menu.focus(), &menu.Label2[15]) << "the focus itself stays";
}

// Checks that every caption of a window fits its box in the fonts the host
// draws with: one line for buttons, options and tick boxes, wrapped lines
// within the height for labels. Returns how many captions it checked.
int checkCaptionsFit(const Window& w)
{
    int checked = 0;
    for (const Control* c : w.controls()) {
        if (c->caption.isEmpty() || c->kind == Kind::TextBox || c->kind == Kind::Frame)
            continue;
        const QFontMetricsF m(twipsFont(c->font, c->caption));
        const std::string what = w.name().toStdString() + "." + c->name.toStdString() + "("
            + std::to_string(c->index) + ") " + c->caption.toStdString();
        const bool mark = c->kind == Kind::OptionButton || c->kind == Kind::CheckBox;
        const float room = mark ? c->width - 17 * 15 : c->width - 30;
        if (c->kind != Kind::Label) {
            EXPECT_LE(m.horizontalAdvance(c->caption), room + 1) << what;
            EXPECT_LE(m.height(), c->height + 1) << what;
        } else {
            const QRectF need = m.boundingRect(QRectF(0, 0, room, 1e6),
                                               Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, c->caption);
            EXPECT_LE(need.width(), room + 1) << what;
            EXPECT_LE(need.height(), c->height + 30) << what;
        }
        ++checked;
    }
    return checked;
}

// The fakes, but the host's text measure and the program's own content.
struct FontRig {
    FontMeasure measure;
    ContentFiles files{QStringLiteral(ORAVIANS_PROGRAM_DIR)};
    Rig rig{{.measure = &measure, .files = &files}};
    App& app = rig.app;
};

TEST(Fonts, EveryCaptionOfEveryWindowFitsItsBox)
{
    FontRig rig;
    App& app = rig.app;
    app.show<Titlefrm>();
    app.click(app.form<Titlefrm>().Command1);
    app.form<Titlefrm>().Command1.caption = "Cancel";
    app.module1.worktitle = "Edmund Quellmore";
    app.form<quellmore>();
    app.form<inventions>();
    app.form<teacher>();
    app.form<guide>();
    app.form<multiple>();
    app.form<Wrong>();
    app.module1.score = 10;
    app.module1.outof = 10;
    app.form<Welldone>(); // full marks: the name box's prompt shows
    app.form<quellmorelab>();
    app.form<inventionslab>();
    app.form<quellmoreord>();
    ASSERT_EQ(app.loadedWindows().size(), 13u);
    int checked = 0;
    for (Window* w : app.loadedWindows())
        checked += checkCaptionsFit(*w);
    EXPECT_GT(checked, 60);
}

// The built-in quizzes open whole, under their titles, and every question
// and answer fits the quiz window.
TEST(Fonts, EveryBuiltInQuestionFitsTheQuizWindow)
{
    for (const char* set : {"multiple\\Edmund Quellmore.txt", "multiple\\Oravian Inventions.txt"}) {
        FontRig rig;
        ASSERT_TRUE(openQuiz(rig.app, set, "images\\quellmoresm.jpg")) << set;
        multiple& quiz = rig.app.form<multiple>();
        EXPECT_EQ(quiz.Label6.caption, QString::fromLatin1(set).section('\\', 1).chopped(4)) << "the set's title";
        for (int n = 1; n <= 10; ++n) {
            ASSERT_EQ(quiz.Label4.caption, "Question" + numberText(n));
            checkCaptionsFit(quiz);
            if (n < 10)
                rig.app.click(quiz.Label3[1]);
        }
    }
}

TEST(Fonts, TahomaIsTheMetricCompatibleFontNotAFallback)
{
    const QFontInfo info(twipsFont(tahoma(12), {}));
    EXPECT_EQ(info.family(), "Tahoma");
    const QFontInfo bold(twipsFont(tahoma(12, true), {}));
    EXPECT_EQ(bold.family(), "Tahoma");
    EXPECT_EQ(bold.styleName(), "Bold") << "the real bold face, not a synthesised one";
    EXPECT_EQ(QFontInfo(twipsFont(times(12), {})).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(twipsFont(arial(12), {})).family(), "Liberation Sans");
}

int inkOf(const FontSpec& spec)
{
    QImage img(400, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    p.setPen(Qt::black);
    drawCaptionText(p, spec, QRectF(30, 0, 6000, 900), Qt::AlignLeft | Qt::AlignVCenter, "Next Question >>");
    p.end();
    int ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ink += 255 - qGray(img.pixel(x, y));
    return ink;
}

TEST(Fonts, BoldCaptionsAreDrawnBoldThroughTheTwipsScale)
{
    EXPECT_GT(inkOf(tahoma(15.75f, true)), inkOf(tahoma(15.75f, false)) * 1.2);
}

// Text in the family's own letters draws exactly as it did when every font
// was given its fallbacks; other letters still get them.
TEST(Fonts, FallbacksChangeNothingForTheFamilysOwnLetters)
{
    const auto draw = [](const QFont& font, const QString& text) {
        QImage image(400, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 6000, 900), Qt::AlignLeft | Qt::AlignVCenter, text);
        return image;
    };
    const struct {
        const char* name;
        FontSpec spec;
        QString text;
    } rows[] = {
        {"tahoma bold caption", tahoma(12), QStringLiteral("Multiple Choice Wizard")},
        {"times accented name", times(14), QStringLiteral("Zoë Ørsted-Façade")},
        {"arial with symbols", arial(10), QStringLiteral("£5 & 50% «quoted» ½")},
    };
    for (const auto& row : rows) {
        QFont withFallbacks = twipsFont(row.spec, row.text);
        EXPECT_EQ(withFallbacks.families().size(), 1) << row.name;
        withFallbacks.setFamilies(QStringList{withFallbacks.family()} + fallbackFamilies(row.spec.name));
        EXPECT_EQ(draw(twipsFont(row.spec, row.text), row.text), draw(withFallbacks, row.text)) << row.name;
    }
    EXPECT_GT(twipsFont(tahoma(12), QStringLiteral("李小龍")).families().size(), 1);
}

// Pictures read ahead on threads: the window that shows them gets what it
// would have read itself, faults included, and nothing is left running.
TEST(Pictures, ReadAheadGivesWhatALoadGivesFaultsIncluded)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("images")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORAVIANS_PROGRAM_DIR "/images/nell.jpg"),
                            folder.filePath(QStringLiteral("images/nell.jpg"))));
    QFile damaged(folder.filePath(QStringLiteral("images/torn.jpg")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\xff\xd8\xff\xe0 not the rest of a picture"));
    damaged.close();

    const QImage plain = [&] {
        ContentPictures once{folder.path()};
        return static_cast<const RasterPicture&>(*once.load(QStringLiteral("images\\nell.jpg"))).image();
    }();
    ContentPictures pictures{folder.path()};
    pictures.readAhead({QStringLiteral("Images\\NELL.JPG"), QStringLiteral("images\\torn.jpg"),
                        QStringLiteral("images\\gone.jpg")});
    const PicturePtr nell = pictures.load(QStringLiteral("images\\nell.jpg"));
    EXPECT_EQ(static_cast<const RasterPicture&>(*nell).image(), plain);
    EXPECT_EQ(pictures.load(QStringLiteral("images\\nell.jpg")), nell) << "kept once read";
    for (int attempt = 0; attempt < 2; ++attempt) { // read ahead, then read again
        try {
            pictures.load(QStringLiteral("images\\torn.jpg"));
            ADD_FAILURE() << "a damaged picture loaded";
        } catch (const PictureError& e) {
            EXPECT_EQ(e.fault(), PictureFault::Unreadable);
        }
        try {
            pictures.load(QStringLiteral("images\\gone.jpg"));
            ADD_FAILURE() << "a missing picture loaded";
        } catch (const PictureError& e) {
            EXPECT_EQ(e.fault(), PictureFault::Missing);
        }
    }
    // A page is left to be read where it is drawn, and still reads.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("wmf")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORAVIANS_PROGRAM_DIR "/wmf/guide1.wmf"),
                            folder.filePath(QStringLiteral("wmf/guide1.wmf"))));
    pictures.readAhead({QStringLiteral("wmf\\guide1.wmf")});
    EXPECT_FALSE(pictures.load(QStringLiteral("wmf\\guide1.wmf"))->textRuns().empty());
    // Read ahead and never shown: the loader waits for them as it goes.
    ContentPictures abandoned{folder.path()};
    abandoned.readAhead({QStringLiteral("images\\nell.jpg"), QStringLiteral("images\\torn.jpg")});
}

// A picture drawn on the screen in bands of rows comes out pixel for pixel as
// one scaled drawing would, opaque or not, at the desktop's scales.
TEST(Pictures, BandsOfRowsDrawWhatOneScaledDrawingDraws)
{
    QImage opaque(320, 240, QImage::Format_RGB32);
    QImage seeThrough(97, 211, QImage::Format_ARGB32_Premultiplied);
    for (QImage* image : {&opaque, &seeThrough})
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                image->setPixel(x, y, qPremultiply(qRgba((x * 7) % 256, (y * 5) % 256, (x ^ y) % 256,
                                                         image->hasAlphaChannel() ? (x + y) % 256 : 255)));
    const struct {
        const char* name;
        const QImage* image;
        qreal scale;
        QPointF at; // twips
    } rows[] = {
        {"title frame at 1024 x 768", &opaque, 1024.0 / 800, {300, 1200}},
        {"same size", &opaque, 1.0, {15, 15}},
        {"large screen, odd place", &opaque, 2.4, {1237.5, 611.25}},
        {"transparent, shrunk", &seeThrough, 0.6, {45, 90}},
        {"transparent, enlarged", &seeThrough, 1.7, {100, 3}},
    };
    for (const auto& row : rows) {
        const RasterPicture picture(*row.image, QStringLiteral("drawn"));
        const QRectF target(row.at, picture.sizeTwips() * 1.1);
        auto paint = [&](bool whole) {
            QImage screen(1100, 900, QImage::Format_RGB32);
            screen.fill(Qt::darkCyan);
            QPainter p(&screen);
            p.scale(row.scale / kTwipsPerPixel, row.scale / kTwipsPerPixel);
            if (whole) {
                p.setRenderHint(QPainter::SmoothPixmapTransform, true);
                p.drawImage(target, *row.image);
            } else {
                picture.draw(p, target);
            }
            return screen;
        };
        EXPECT_EQ(paint(false), paint(true)) << row.name;
    }
}

// A program folder without its modules: printing fails the way an
// unreachable printer does, sounds are silent, and each is logged once.
TEST(ServiceModules, AMissingModuleFailsLikeAnAbsentDevice)
{
    QStringList logged;
    setLogSink([&](const QString& line) { logged << line; });
    ModulePrinter printer;
    EXPECT_THROW(printer.pageWidth(), PrintError);
    EXPECT_THROW(printer.print(QStringLiteral("Ada")), PrintError);
    ModuleSound sound(QCoreApplication::applicationDirPath());
    sound.play(QStringLiteral("wav\\click.wav"));
    sound.play(QStringLiteral("wav\\click.wav"));
    setLogSink(nullptr);
    ASSERT_EQ(logged.size(), 2) << logged.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(logged[0].contains(QLatin1String("oravians-printer.so")));
    EXPECT_TRUE(logged[1].contains(QLatin1String("oravians-sound.so")));
}

} // namespace
} // namespace oravians

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    oravians::addProgramFonts(QCoreApplication::applicationDirPath());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
