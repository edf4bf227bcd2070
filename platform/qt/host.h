#pragma once

#include "platform/desktop.h"
#include "platform/qt/screenchanges.h"

#include <QWidget>

namespace oravians {

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

    Desktop& desktop() const { return desktop_; }

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

} // namespace oravians
