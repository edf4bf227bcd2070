#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <map>
#include <tuple>
#include <vector>

namespace oravians {

class Control;
class Desktop;
class Host;
class Window;

// What a screen reader sees of the host: the host draws every control itself
// on one widget, so this gives Qt's accessibility each shown window as a
// dialog, and the window's visible controls as the dialog's children, each
// with a role, a name, a rectangle and a state. A child names its window and
// control by name and index and looks them up on every call, so it never
// outlives what it describes.
class HostAccessible : public QAccessibleWidget {
public:
    explicit HostAccessible(Host* host);
    ~HostAccessible() override;

    // Makes Qt's accessibility use this for every Host; once is enough.
    static void install();
    // Tells a listening screen reader what changed since the last call:
    // windows shown, the focus, values of options, tick boxes and text
    // boxes, captions of labels, pages. Does nothing while none listens.
    static void announceChanges(Host& host);
    // Hands the announcements to a listener of the caller's instead of Qt's
    // (whether or not a screen reader listens); null: back to Qt's.
    using Listener = void (*)(QAccessibleEvent* event);
    static void setListener(Listener listener);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    Host& host() const;
    Desktop& desktop() const;

    // The one interface for a window or a control, made on first use.
    QAccessibleInterface* windowInterface(const QString& window) const;
    QAccessibleInterface* controlInterface(const Control& c) const;

private:
    using Key = std::tuple<QString, QString, int>; // window, control (empty: the window), index
    QAccessibleInterface* made(const Key& key) const;
    void announce();

    // What was last announced, to tell what changed.
    struct Seen {
        QString name;
        QString value;
        int checked = 0;
        int cursor = 0;
        const void* picture = nullptr;
    };
    struct Snapshot {
        std::vector<QString> windows;
        std::map<Key, Seen> controls;
        Key focus;
    };
    Snapshot snapshot() const;

    mutable std::map<Key, QAccessible::Id> made_;
    Snapshot seen_;
};

// A control's name as read aloud: its caption, else what its design calls it,
// else its picture's file name, else its control name.
QString accessibleName(const Control& c);

// What a window is called aloud: its largest visible label's caption (the
// topmost of equals), its heading; else its caption, else its name. Every
// window's caption is the program's title, so the heading comes first.
QString windowHeading(const Window& w);

} // namespace oravians
