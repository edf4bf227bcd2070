#pragma once

#include "platform/geometry.h"
#include "platform/picture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>

namespace oravians {

class Control;

// The sound component: one play operation taking a relative wave path
// ("wav\click.wav"). Never blocks, never throws; a missing file or an
// absent sound server is silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& relativePath) = 0;
};

// Thrown by any printer operation that cannot be carried out.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What became of a document sent by endDoc(): it went to the printer, or the
// print server took it but holds it because the printer is paused (stopped
// but still accepting jobs); it prints once the printer is started again.
enum class PrintOutcome { Printed, Held };

// Thrown by print() when no installed font has the letters of a text, rather
// than leaving a gap on the paper. The job is dropped like any other failure.
class UnprintableText : public PrintError {
public:
    explicit UnprintableText(const QString& line)
        : PrintError("no installed font has the letters of: " + line.toStdString()), text(line) {}
    QString text;
};

// The printer model the printing routines use; lengths in twips, origin at
// the top-left corner of the printable area. A document starts with the
// first operation that prints or draws and is sent by endDoc(). Every
// operation may throw PrintError; a job that did not reach the print server
// must never end in a successful endDoc().
class Printer {
public:
    virtual ~Printer() = default;
    virtual float pageWidth() = 0;
    virtual float pageHeight() = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setForeColor(Rgb colour) = 0;
    virtual void setCurrentX(float x) = 0;
    virtual float currentX() = 0;
    virtual float currentY() = 0;
    virtual float textWidth(const QString& text) = 0;
    // How far print() moves down for one line of the current font; 0 when
    // the printer cannot tell.
    virtual float lineHeight() { return 0; }
    // Draws text at the current position; with newline, moves to the start of
    // the next line (x back to 0, y down one line of the current font),
    // otherwise leaves the position just after the text.
    virtual void print(const QString& text, bool newline = true) = 0;
    virtual void setDrawWidth(int dots) = 0;
    virtual void line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    // At the picture's own size, top-left corner at (x, y).
    virtual void paintPicture(const Picture& picture, float x, float y) = 0;
    // Goes on at the top of a new page (x and y back to 0).
    virtual void newPage() = 0;
    virtual PrintOutcome endDoc() = 0;
};

enum class MsgButtons { Ok, OkCancel, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgResult show(const QString& text, MsgButtons buttons, const QString& caption) = 0;
};

enum class MousePointer { Default, Hourglass };

// The screen the windows are placed on.
class Screen {
public:
    virtual ~Screen() = default;
    virtual float widthTwips() const = 0;
    virtual float heightTwips() const = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;
    // A second press this soon after the first (milliseconds) and this near
    // it (twips either way) makes a double click.
    virtual int doubleClickMilliseconds() const = 0;
    virtual float doubleClickTwips() const = 0;
};

// Runs timer controls. The desktop tells it whenever a timer control's
// enabled state or interval changes, or its window goes away.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void timerChanged(Control& timer) = 0;
    virtual void timerRemoved(Control& timer) = 0;
};

// The program's chance: a uniform number in [0, 1) for each draw.
class Randomness {
public:
    virtual ~Randomness() = default;
    virtual double draw() = 0;
};

// How wide a text is in a font, in twips, as the screen draws it.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual float widthTwips(const QString& text, const FontSpec& font) = 0;
};

// The system clipboard's plain text, for cutting, copying and pasting in
// text boxes.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// The desktop's dialogs for choosing a file or a folder outside the
// program's content; nothing when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filters as the desktop writes them: "Question files (*.gift *.txt)".
    virtual std::optional<QString> openFile(const QString& title, const QStringList& filters) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
};

// The program's content files. A program path ("multiple\Edmund Quellmore.txt")
// is written with '\' or '/' in any letter case, relative to the folder the
// program's content lives in.
class Files {
public:
    virtual ~Files() = default;
    // The real file a program path names (the path it would have when
    // nothing matches, so it can be created).
    virtual QString contentPath(const QString& programPath) = 0;
    // The whole file, or nothing when it is missing or unreadable.
    virtual std::optional<QByteArray> read(const QString& programPath) = 0;
    // Replaces the file with bytes; the old file stays intact unless the new
    // one was written completely. False when it could not be written.
    virtual bool replace(const QString& programPath, const QByteArray& bytes) = 0;

    // Held while a read-modify-write of a shared file runs.
    class Lock {
    public:
        virtual ~Lock() = default;
    };
    // Takes the lock of programPath, which other copies of the program using
    // the same folder (over a network share too) also take; waits a few
    // seconds for it. Nothing when it could not be taken.
    virtual std::unique_ptr<Lock> lock(const QString& programPath) = 0;
};

} // namespace oravians
