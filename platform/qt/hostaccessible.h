#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <map>
#include <tuple>

namespace oravians {

class Control;
class Desktop;
class Host;

// What a screen reader sees of the host: the host draws every control itself
// on one widget, so this gives Qt's accessibility the top window's visible
// controls as children, each with a role, a name, a rectangle and a state.
// A child names its control by window, control name and index and looks it
// up on every call, so it never outlives what it describes.
class HostAccessible : public QAccessibleWidget {
public:
    explicit HostAccessible(Host* host);
    ~HostAccessible() override;

    // Makes Qt's accessibility use this for every Host; once is enough.
    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    Host& host() const;
    Desktop& desktop() const;

private:
    using Key = std::tuple<QString, QString, int>; // window, control, index
    mutable std::map<Key, QAccessible::Id> children_;
};

// A control's name as read aloud: its caption, else what its design calls it,
// else its picture's file name, else its control name.
QString accessibleName(const Control& c);

} // namespace oravians
