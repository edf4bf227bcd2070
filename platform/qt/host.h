#pragma once

#include "platform/desktop.h"
#include "platform/qt/screenchanges.h"

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace oravians {

// Adds the Tahoma-compatible fonts shipped beside the program (or the
// system's copy) to the application's font database.
void addProgramFonts(const QString& contentFolder);
// The QFont for a design-table font, sized in twips for a painter that draws in twips.
QFont twipsFont(const FontSpec& spec);

// Draws a caption in a design-table font; the painter draws in twips.
void drawCaptionText(QPainter& p, const FontSpec& font, const QRectF& r, int flags, const QString& text);

// Draws one window's client area, controls in drawing order; the painter
// draws in the window's client twips.
void paintWindow(QPainter& p, const Window& w, bool active);

// The scale the whole desktop is drawn at on a screen of that size (logical
// pixels): a 12000 x 9000 twips window, 800 x 600 pixels at 15 twips a
// pixel, as large as the screen allows, smaller on a smaller screen.
float desktopScale(QSizeF screen);

// The one top-level window: the full-screen backdrop. Every other window is a
// framed panel drawn inside it at its own position, stacked as shown.
// Clicks, pointer moves, keys go to the window on top. The screen the
// windows are placed on is the real one divided by the desktop's scale, so
// twips and hit-testing stay exact at any scale.
class Host : public QWidget {
    Q_OBJECT
public:
    explicit Host(Desktop& desktop, QWidget* parent = nullptr);
    ~Host() override;

    // The desktop's scale on the primary screen.
    static float scale();
    // Panel rectangle of a window in the host's pixels (outer frame), and its
    // client area.
    static QRectF panelRect(const Window& w);
    static QRectF clientRect(const Window& w);
    // A point in the host's pixels as twips of a window's client area.
    static QPointF clientTwips(const Window& w, QPointF pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    // Tab and Shift+Tab are keys for the desktop, not Qt's focus chain.
    bool focusNextPrevChild(bool) override { return false; }

private:
    struct Hit {
        Window* window = nullptr;
        Control* control = nullptr;
        QPointF twips; // in the window's client area
    };
    Hit hitTest(QPointF pos) const;
    // Schedules a repaint of what changed since the last time, or of everything.
    void repaintChanges();

    Desktop& desktop_;
    Control* captured_ = nullptr;
    Window* capturedWindow_ = nullptr;
    int pressedButtons_ = 0;
    ScreenChanges changes_;
};

// Timer controls run on QTimers.
class QtTimers : public QObject, public TimerService {
    Q_OBJECT
public:
    explicit QtTimers(Desktop* desktop = nullptr) : desktop_(desktop) {}
    void setDesktop(Desktop* d) { desktop_ = d; }
    void timerChanged(Control& timer) override;
    void timerRemoved(Control& timer) override;

private:
    Desktop* desktop_;
    QHash<Control*, QTimer*> timers_;
};

// The screen the backdrop covers.
class QtScreen : public Screen {
public:
    float widthTwips() const override;
    float heightTwips() const override;
    void setMousePointer(MousePointer pointer) override;
    int doubleClickMilliseconds() const override;
    float doubleClickTwips() const override;

private:
    bool busy_ = false;
};

class QtMessages : public MessageBoxes {
public:
    void setParent(QWidget* w) { parent_ = w; }
    MsgResult show(const QString& text, MsgButtons buttons, const QString& caption) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace oravians
