#include "platform/qt/hostaccessible.h"

#include "platform/desktop.h"
#include "platform/qt/host.h"

#include <QAccessibleActionInterface>
#include <QRegularExpression>
#include <algorithm>

namespace oravians {

namespace {

// The top window's controls a pupil can see, in drawing order.
std::vector<Control*> shownControls(const Desktop& desktop)
{
    std::vector<Control*> shown;
    const Window* w = desktop.top();
    if (!w)
        return shown;
    for (Control* c : w->controls()) {
        if (c->isTimer() || c->kind == Kind::Line)
            continue;
        bool visible = true;
        for (const Control* p = c; p && visible; p = p->parent)
            visible = p->visible;
        if (visible)
            shown.push_back(c);
    }
    return shown;
}

// One drawn control, found again by its window's and its own name on every call.
class ControlAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ControlAccessible(const HostAccessible* host, QString window, QString name, int index)
        : host_(host), window_(std::move(window)), name_(std::move(name)), index_(index)
    {
    }

    Control* control() const
    {
        for (Window* w : host_->desktop().loadedWindows())
            if (w->name() == window_)
                return w->find(name_, index_);
        return nullptr;
    }

    bool isValid() const override { return control() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return host_->window(); }
    QAccessibleInterface* parent() const override { return const_cast<HostAccessible*>(host_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QAccessible::Role role() const override
    {
        const Control* c = control();
        if (!c)
            return QAccessible::NoRole;
        switch (c->kind) {
        case Kind::Label:
            return c->onClick ? QAccessible::Button : QAccessible::StaticText;
        case Kind::CommandButton:
            return QAccessible::Button;
        case Kind::TextBox:
            return QAccessible::EditableText;
        case Kind::OptionButton:
            return QAccessible::RadioButton;
        case Kind::CheckBox:
            return QAccessible::CheckBox;
        case Kind::Image:
        case Kind::PictureBox:
            return QAccessible::Graphic;
        case Kind::Frame:
            return QAccessible::Grouping;
        default:
            return QAccessible::NoRole;
        }
    }

    QString text(QAccessible::Text t) const override
    {
        const Control* c = control();
        if (!c)
            return {};
        const bool box = c->kind == Kind::TextBox;
        if (t == QAccessible::Name)
            return box ? (c->spokenName.isEmpty() ? c->name : c->spokenName) : accessibleName(*c);
        if (t == QAccessible::Value && box)
            return c->caption;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const Control* c = control();
        if (!c)
            return {};
        const float s = Host::scale();
        const QRectF client = Host::clientRect(c->window());
        const QRectF r(client.topLeft() + QPointF(c->absLeft(), c->absTop()) / kTwipsPerPixel * s,
                       QSizeF(c->width, c->height) / kTwipsPerPixel * s);
        const QRect px = r.toAlignedRect();
        return {host_->host().mapToGlobal(px.topLeft()), px.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        const Control* c = control();
        if (!c || &c->window() != host_->desktop().top()) {
            st.invisible = true;
            return st;
        }
        for (const Control* p = c; p; p = p->parent) {
            st.invisible |= !p->visible;
            st.disabled |= !p->enabled;
        }
        st.focusable = c->focusable();
        st.focused = c->window().focus() == c && host_->host().hasFocus();
        if (c->kind == Kind::OptionButton || c->kind == Kind::CheckBox) {
            st.checkable = true;
            st.checked = c->value == 1;
        }
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        const QAccessible::Role r = role();
        if (r == QAccessible::Button || r == QAccessible::RadioButton || r == QAccessible::CheckBox)
            return {pressAction()};
        return {};
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction() || !actionNames().contains(action))
            return;
        Control* c = control();
        if (c && &c->window() == host_->desktop().top())
            host_->desktop().click(*c);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const HostAccessible* host_;
    QString window_;
    QString name_;
    int index_;
};

QAccessibleInterface* hostFactory(const QString&, QObject* object)
{
    if (auto* host = qobject_cast<Host*>(object))
        return new HostAccessible(host);
    return nullptr;
}

} // namespace

QString accessibleName(const Control& c)
{
    if (!c.caption.isEmpty())
        return c.caption;
    if (!c.spokenName.isEmpty())
        return c.spokenName;
    if (c.picture) {
        // "rocketsm\rocket01.jpg" reads as "rocket01".
        QString file = c.picture->source().section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
        file = file.section(QLatin1Char('.'), 0, 0);
        if (!file.isEmpty())
            return file;
    }
    return c.index < 0 ? c.name : QStringLiteral("%1 %2").arg(c.name).arg(c.index);
}

HostAccessible::HostAccessible(Host* host) : QAccessibleWidget(host, QAccessible::Window) {}

HostAccessible::~HostAccessible()
{
    for (const auto& entry : children_)
        QAccessible::deleteAccessibleInterface(entry.second);
}

void HostAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(hostFactory);
        return true;
    }();
    (void)installed;
}

Host& HostAccessible::host() const { return *static_cast<Host*>(widget()); }
Desktop& HostAccessible::desktop() const { return host().desktop(); }

QString HostAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const Window* w = desktop().top();
        if (w && !w->caption.isEmpty())
            return w->caption;
    }
    return QAccessibleWidget::text(t);
}

int HostAccessible::childCount() const { return int(shownControls(desktop()).size()); }

QAccessibleInterface* HostAccessible::child(int index) const
{
    const auto shown = shownControls(desktop());
    if (index < 0 || index >= int(shown.size()))
        return nullptr;
    const Control* c = shown[std::size_t(index)];
    const Key key{c->window().name(), c->name, c->index};
    const auto found = children_.find(key);
    if (found != children_.end())
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(found->second))
            return known;
    auto* made = new ControlAccessible(this, std::get<0>(key), std::get<1>(key), std::get<2>(key));
    children_[key] = QAccessible::registerAccessibleInterface(made);
    return made;
}

int HostAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* mine = dynamic_cast<const ControlAccessible*>(child);
    const Control* c = mine ? mine->control() : nullptr;
    const auto shown = shownControls(desktop());
    const auto it = std::find(shown.begin(), shown.end(), c);
    return it == shown.end() ? -1 : int(it - shown.begin());
}

QAccessibleInterface* HostAccessible::childAt(int x, int y) const
{
    // The topmost shown control under the point: the last drawn.
    for (int i = childCount() - 1; i >= 0; --i) {
        QAccessibleInterface* c = child(i);
        if (c && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QAccessibleInterface* HostAccessible::focusChild() const
{
    const Window* w = desktop().top();
    const auto shown = shownControls(desktop());
    const auto it = w ? std::find(shown.begin(), shown.end(), w->focus()) : shown.end();
    return it == shown.end() ? nullptr : child(int(it - shown.begin()));
}

} // namespace oravians
