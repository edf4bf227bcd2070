// Drives the real program as a pupil and a teacher would, with real pointer
// events on the real host, and saves a screenshot after each step:
//   oravians-tour OUTDIR [CONTENT-FOLDER]
// (the content folder defaults to the built program's; another one, even an
// empty one, shows how the program copes with missing content).
// Message boxes are answered OK and written to the console; nothing is printed.
#include "platform/fontmap.h"
#include "platform/qt/host.h"
#include "platform/qt/services.h"
#include "kernel/app.h"
#include "shell/titlefrm.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTextStream>
#include <cstdio>

namespace {

using namespace oravians;

class ConsoleMessages : public MessageBoxes {
public:
    MsgResult show(const QString& text, MsgButtons, const QString& caption) override
    {
        std::printf("  message box [%s]: %s\n", qPrintable(caption), qPrintable(text));
        return MsgResult::Ok;
    }
};

// A printer that records nothing and reports no failure; the tour never prints.
class SilentPrinter : public Printer {
public:
    float pageWidth() override { return 11520; }
    float pageHeight() override { return 15840; }
    void setFontName(const QString&) override {}
    void setFontSize(float) override {}
    void setForeColor(Rgb) override {}
    void setCurrentX(float x) override { x_ = x; }
    float currentX() override { return x_; }
    float currentY() override { return 0; }
    float textWidth(const QString& t) override { return float(t.size()) * 200; }
    void print(const QString&, bool) override {}
    void setDrawWidth(int) override {}
    void line(float, float, float, float, Rgb) override {}
    void paintPicture(const Picture&, float, float) override {}
    void newPage() override {}
    PrintOutcome endDoc() override { return PrintOutcome::Printed; }

private:
    float x_ = 0;
};

class Tour {
public:
    Tour(App& app, Host& host, QString out) : app_(app), host_(host), out_(std::move(out)) {}

    void shot(const QString& name)
    {
        QApplication::processEvents();
        const QString file = QStringLiteral("%1/%2-%3.png").arg(out_).arg(++n_, 2, 10, QLatin1Char('0')).arg(name);
        host_.grab().save(file);
        std::printf("%s\n", qPrintable(file));
    }
    Control* find(const QString& name, int index = -1)
    {
        Window* w = app_.top();
        Control* c = w ? w->find(name, index) : nullptr;
        if (!c)
            std::printf("  (no %s(%d) on %s)\n", qPrintable(name), index, w ? qPrintable(w->name()) : "nothing");
        return c;
    }
    QPoint centre(const Control& c)
    {
        const QRectF client = Host::clientRect(c.window());
        return (client.topLeft() + QPointF(c.absLeft() + c.width / 2, c.absTop() + c.height / 2) / kTwipsPerPixel)
            .toPoint();
    }
    // A real pointer: move there, press, release.
    bool click(const QString& name, int index = -1)
    {
        Control* c = find(name, index);
        if (!c || !c->visible)
            return false;
        const QPoint at = centre(*c);
        QTest::mouseMove(&host_, at);
        QTest::mouseClick(&host_, Qt::LeftButton, {}, at);
        QTest::qWait(30);
        return true;
    }
    void hover(const QString& name, int index = -1)
    {
        if (Control* c = find(name, index))
            QTest::mouseMove(&host_, centre(*c));
    }
    void type(const QString& text) { QTest::keyClicks(&host_, text); }
    void enter() { QTest::keyClick(&host_, Qt::Key_Return); }
    void wait(int ms) { QTest::qWait(ms); }
    QString top() const { return app_.top() ? app_.top()->name() : QString(); }
    App& app() { return app_; }

private:
    App& app_;
    Host& host_;
    QString out_;
    int n_ = 0;
};

void pages(Tour& t, const QString& what, int count)
{
    t.shot(what + "-page1");
    for (int p = 2; p <= count; ++p) {
        t.click("Label3", 2);
        t.shot(QStringLiteral("%1-page%2").arg(what).arg(p));
    }
    t.click("Label3", 1);
}

void quiz(Tour& t, const QString& topic, int wrongFrom)
{
    t.click("Label3", 0);
    if (t.top() != "multiple")
        return;
    t.shot(topic + "-quiz-question1");
    for (int q = 1; q <= 10; ++q) {
        // The right answer up to question `wrongFrom`, a wrong one after it.
        const int right = t.app().module1.rightchoice[q].toInt();
        t.click("Option1", q < wrongFrom ? right : right % 4 + 1);
        if (q == 3)
            t.shot(topic + "-quiz-question3-answered");
        t.click("Label3", 1);
    }
    t.wait(100);
    t.shot(topic + "-score");
    if (wrongFrom > 10) {
        t.type("Ada Pennyworth");
        t.shot(topic + "-certificate-name");
        t.click("Label3", 0);
        t.click("Label3", 1);
    } else if (t.click("Label3", 0) && t.top() == "Wrong") {
        t.shot(topic + "-wrong-answers");
        t.click("Label3", 1);
    } else {
        t.click("Label3", 1);
    }
}

// A topic page from its menu entry: key facts, teacher's notes, and a quiz
// for each `wrongFrom` given; then back to the menu.
void topic(Tour& t, int entry, const QString& name, int keyPages, int notesPages, std::initializer_list<int> quizzes)
{
    t.click("Label2", entry);
    t.shot(name);
    if (t.top() != name)
        return;
    t.click("Label3", 4);
    pages(t, name + "-key-facts", keyPages);
    t.click("Label3", 5);
    pages(t, name + "-teachers-notes", notesPages);
    for (int wrongFrom : quizzes)
        quiz(t, name, wrongFrom);
    // The two activities, as they open.
    for (auto [button, what] : {std::pair{1, "labelling"}, std::pair{3, "ordering"}}) {
        t.click("Label3", button);
        t.wait(100);
        t.shot(name + "-" + what);
        if (t.top() != name)
            t.click("Label3", 0);
    }
    t.click("Label3", 2);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: oravians-tour OUTDIR [CONTENT-FOLDER]\n");
        return 2;
    }
    QApplication qapp(argc, argv);
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    const QString contentFolder = argc == 3 ? QDir(QString::fromLocal8Bit(argv[2])).absolutePath()
                                            : QStringLiteral(ORAVIANS_PROGRAM_DIR);
    addProgramFonts(contentFolder);

    SystemServices system(contentFolder);
    ConsoleMessages messages;
    SilentPrinter printer;
    Services services = system.services();
    services.messages = &messages;
    services.printer = &printer;
    App app(services);
    system.timers.setDesktop(&app);
    Host host(app);
    host.setGeometry(QGuiApplication::primaryScreen()->geometry());
    host.show();
    bool ended = false;
    app.onEnd = [&] { ended = true; };

    Tour t(app, host, out);
    app.show<Titlefrm>();
    t.wait(400);
    t.shot("title");
    t.click("Command1");
    t.wait(300);
    t.shot("menu");
    t.hover("Label2", 10);
    t.hover("Label2", 8);
    t.shot("menu-two-entries-lit");
    t.click("Label2", 15);

    topic(t, 10, "quellmore", 2, 2, {11, 8});
    topic(t, 8, "inventions", 3, 4, {6});
    t.click("Label2", 20);
    if (t.top() == "guide")
        pages(t, "guide", 5);
    t.click("Label2", 19);
    t.wait(300);
    t.shot("acknowledgments");
    t.click("Label3", 1);

    // The wizard, filled in part and left without saving.
    t.click("Label2", 17);
    for (const char* field : {"Rivers and Lakes", "Which river is the longest?", "The Lumb", "The Orr"}) {
        t.type(QString::fromUtf8(field));
        t.enter();
    }
    t.click("Check1", 1);
    t.shot("wizard");
    t.click("Label3", 0);

    t.click("Option2");
    t.click("Label2", 16);
    t.shot("exit-confirmation");
    t.click("Command1");
    t.click("Label2", 16);
    t.click("Command2");
    std::printf(ended ? "The program ended.\n" : "The program did not end!\n");
    return ended ? 0 : 1;
}
