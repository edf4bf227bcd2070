#pragma once

#include "platform/control.h"
#include "platform/services.h"
#include "kernel/app.h"

#include <QPainter>
#include <QSet>
#include <QStringList>
#include <deque>
#include <map>
#include <memory>
#include <set>

namespace oravians::testing {

// Records every sound played.
class FakeSound : public SoundPlayer {
public:
    void play(const QString& path) override { played << path; }
    QStringList played;
};

// Records printer operations as readable lines ("print|The Oravians|nl").
// failAt: the 1-based operation number that throws PrintError (0 = never);
// outcome: what a successful endDoc() reports (Held: a paused printer);
// driverFault: endDoc() fails outside the printer's contract.
class FakePrinter : public Printer {
public:
    PrintOutcome outcome = PrintOutcome::Printed;
    bool driverFault = false;
    float width = 11520, height = 15840; // letter-size printable area in twips
    int failAt = 0;
    QStringList ops;
    float x = 0, y = 0, fontSize = 8.25f;

    float pageWidth() override { return width; }
    float pageHeight() override { return height; }
    void setFontName(const QString& n) override { op("font|" + n); }
    void setFontSize(float p) override { op("size|" + QString::number(p)); fontSize = p; }
    void setForeColor(Rgb c) override { op(QStringLiteral("colour|%1,%2,%3").arg(c.r).arg(c.g).arg(c.b)); }
    void setCurrentX(float v) override { op("x|" + QString::number(v)); x = v; }
    float currentX() override { return x; }
    float currentY() override { return y; }
    // Ten twips a character per point keeps widths predictable.
    float textWidth(const QString& t) override { return float(t.size()) * fontSize * 10; }
    void print(const QString& t, bool newline) override
    {
        op("print|" + t + (newline ? "|nl" : ""));
        if (newline) {
            x = 0;
            y += fontSize * 20 * 1.15f;
        } else {
            x += textWidth(t);
        }
    }
    void setDrawWidth(int d) override { op("width|" + QString::number(d)); }
    void line(float x1, float y1, float x2, float y2, Rgb c) override
    {
        op(QStringLiteral("line|%1,%2,%3,%4|%5,%6,%7").arg(x1).arg(y1).arg(x2).arg(y2).arg(c.r).arg(c.g).arg(c.b));
    }
    void paintPicture(const Picture& p, float px, float py) override
    {
        op(QStringLiteral("picture|%1|%2,%3").arg(p.source()).arg(px).arg(py));
    }
    void newPage() override
    {
        op("page");
        x = y = 0;
    }
    PrintOutcome endDoc() override
    {
        if (driverFault)
            throw std::runtime_error("driver fell over");
        op("end");
        return outcome;
    }

private:
    void op(const QString& s)
    {
        if (failAt > 0 && ops.size() + 1 >= failAt)
            throw PrintError("printer failed");
        ops << s;
    }
};

// Answers message boxes from a script (Ok when the script is empty).
class FakeMessages : public MessageBoxes {
public:
    struct Shown {
        QString text;
        MsgButtons buttons;
        QString caption;
    };
    MsgResult show(const QString& text, MsgButtons buttons, const QString& caption) override
    {
        shown.push_back({text, buttons, caption});
        if (answers.empty())
            return MsgResult::Ok;
        MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& s : shown)
            out << s.text;
        return out;
    }
    std::vector<Shown> shown;
    std::deque<MsgResult> answers;
};

class FakeScreen : public Screen {
public:
    float w = 19200, h = 14400; // 1280 x 960 pixels
    float widthTwips() const override { return w; }
    float heightTwips() const override { return h; }
    void setMousePointer(MousePointer) override {}
    int doubleClickMilliseconds() const override { return 500; }
    float doubleClickTwips() const override { return 60; } // 4 pixels
};

// Timers run only when a test ticks them.
class FakeTimers : public TimerService {
public:
    void timerChanged(Control& t) override
    {
        if (t.enabled)
            running.insert(&t);
        else
            running.erase(&t);
    }
    void timerRemoved(Control& t) override { running.erase(&t); }
    bool isRunning(const Control& t) const { return running.count(const_cast<Control*>(&t)) != 0; }
    std::set<Control*> running;
};

// A picture that only remembers where it came from.
struct FakePicture : Picture {
    explicit FakePicture(QString path) : path(std::move(path)) {}
    QSizeF sizeTwips() const override { return {4800, 3600}; }
    void draw(QPainter&, const QRectF&) const override {}
    QString source() const override { return path; }
    QString path;
};

// Hands out fake pictures; paths in `missing` fail as an absent file would,
// paths in `damaged` as a file that cannot be decoded.
class FakePictures : public PictureLoader {
public:
    PicturePtr load(const QString& path) override
    {
        loads << path;
        if (missing.contains(path))
            throw PictureError(("picture not found: " + path).toStdString(), PictureFault::Missing);
        if (damaged.contains(path))
            throw PictureError(("cannot read picture " + path).toStdString(), PictureFault::Unreadable);
        return std::make_shared<FakePicture>(path);
    }
    QStringList loads;
    QSet<QString> missing;
    QSet<QString> damaged;
};

// Every draw gives `next` (0 unless a test sets it).
class FakeRandom : public Randomness {
public:
    double draw() override { return next; }
    double next = 0;
};

// A text measures 100 twips a character in any font, so widths are predictable.
class FakeMeasure : public TextMeasure {
public:
    float widthTwips(const QString& text, const FontSpec&) override { return float(text.size()) * 100; }
};

// A clipboard of its own.
class FakeClipboard : public Clipboard {
public:
    QString text() const override { return held; }
    void setText(const QString& t) override { held = t; }
    QString held;
};

// Content files in memory, keyed by program path in any letter case and with
// either slash. failWrites makes every replace fail, as a full disk would.
class FakeFiles : public Files {
public:
    static QString key(const QString& programPath) { return programPath.toLower().replace(QLatin1Char('\\'), QLatin1Char('/')); }
    QString contentPath(const QString& programPath) override { return QStringLiteral("/content/") + key(programPath); }
    std::optional<QByteArray> read(const QString& programPath) override
    {
        const auto it = stored.find(key(programPath));
        return it == stored.end() ? std::nullopt : std::optional(it->second);
    }
    bool replace(const QString& programPath, const QByteArray& bytes) override
    {
        if (!failWrites)
            stored[key(programPath)] = bytes;
        return !failWrites;
    }
    std::unique_ptr<Lock> lock(const QString& programPath) override
    {
        if (failLocks)
            return nullptr;
        locked.push_back(key(programPath));
        return std::make_unique<Lock>();
    }
    void put(const QString& programPath, const QByteArray& bytes) { stored[key(programPath)] = bytes; }
    std::map<QString, QByteArray> stored;
    bool failWrites = false;
    bool failLocks = false;
    std::vector<QString> locked; // every lock taken, in order
};

// Answers file dialogs from a script: each question takes the next answer
// (nothing, as a cancelled dialog, when the script is empty).
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(const QString& title, const QStringList& filters) override
    {
        return next(title + u'|' + filters.join(u';'));
    }
    std::optional<QString> chooseFolder(const QString& title) override { return next(title); }
    std::deque<std::optional<QString>> answers;
    QStringList asked;

private:
    std::optional<QString> next(const QString& question)
    {
        asked << question;
        const auto a = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
};

// Real services a test puts in place of the fakes (null: the fake).
struct RealServices {
    Printer* printer = nullptr;
    TextMeasure* measure = nullptr;
    Files* files = nullptr;
    Screen* screen = nullptr;
    TimerService* timers = nullptr;
    PictureLoader* pictures = nullptr;
};

// The program over fakes, as most tests drive it.
struct Rig {
    explicit Rig(RealServices real = {})
        : app(Services{&sound, real.printer ? real.printer : &printer, &messages,
                       real.screen ? real.screen : &screen, real.timers ? real.timers : &timers,
                       real.pictures ? real.pictures : &pictures, &random,
                       real.measure ? real.measure : &measure, &clipboard, real.files ? real.files : &files,
                       &fileDialogs})
    {
    }
    FakeSound sound;
    FakePrinter printer;
    FakeMessages messages;
    FakeScreen screen;
    FakeTimers timers;
    FakePictures pictures;
    FakeClipboard clipboard;
    FakeRandom random;
    FakeMeasure measure;
    FakeFiles files;
    FakeFileDialogs fileDialogs;
    App app;

    // Ticks a timer as its interval passing would.
    void tick(Control& timer) { app.tick(timer); }
};

} // namespace oravians::testing
