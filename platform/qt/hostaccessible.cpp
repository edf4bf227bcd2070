#include "platform/qt/hostaccessible.h"

#include "platform/desktop.h"
#include "platform/qt/host.h"
#include "platform/readingorder.h"

#include <QAccessibleActionInterface>
#include <QRegularExpression>
#include <algorithm>

namespace oravians {

namespace {

// A window's controls a pupil can see, in drawing order.
std::vector<Control*> shownControls(const Window& w)
{
    std::vector<Control*> shown;
    for (Control* c : w.controls()) {
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

// The windows a pupil can see, bottom first; the backdrop is the screen, not a window.
std::vector<Window*> shownWindows(const Desktop& desktop)
{
    std::vector<Window*> shown = desktop.visibleWindows();
    std::erase_if(shown, [](const Window* w) { return w->borderless; });
    return shown;
}

Window* loadedWindow(const Desktop& desktop, const QString& name)
{
    for (Window* w : desktop.loadedWindows())
        if (w->name() == name)
            return w;
    return nullptr;
}

QRect globalRect(const Host& host, const QRectF& pixels)
{
    const QRect px = pixels.toAlignedRect();
    return {host.mapToGlobal(px.topLeft()), px.size()};
}

// A picture that draws text is a page: its text in reading order.
QString pageText(const Control& c)
{
    return c.picture ? readingText(c.picture->textRuns()) : QString();
}

bool isPage(const Control& c)
{
    return (c.kind == Kind::Image || c.kind == Kind::PictureBox) && c.picture && !c.picture->textRuns().empty();
}

// One shown window, found again by its name on every call.
class WindowAccessible : public QAccessibleInterface {
public:
    WindowAccessible(const HostAccessible* host, QString window) : host_(host), window_(std::move(window)) {}

    Window* win() const { return loadedWindow(host_->desktop(), window_); }

    bool isValid() const override { return win() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return host_->window(); }
    QAccessibleInterface* parent() const override { return const_cast<HostAccessible*>(host_); }
    int childCount() const override
    {
        const Window* w = win();
        return w ? int(shownControls(*w).size()) : 0;
    }
    QAccessibleInterface* child(int index) const override
    {
        const Window* w = win();
        if (!w)
            return nullptr;
        const auto shown = shownControls(*w);
        return index >= 0 && index < int(shown.size()) ? host_->controlInterface(*shown[std::size_t(index)]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override
    {
        // The topmost shown control under the point: the last drawn.
        for (int i = childCount() - 1; i >= 0; --i) {
            QAccessibleInterface* c = child(i);
            if (c && c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const Window* w = win();
        if (!w || w != host_->desktop().top() || !w->focus())
            return nullptr;
        const auto shown = shownControls(*w);
        return std::find(shown.begin(), shown.end(), w->focus()) == shown.end() ? nullptr
                                                                                 : host_->controlInterface(*w->focus());
    }

    QAccessible::Role role() const override { return QAccessible::Dialog; }
    QString text(QAccessible::Text t) const override
    {
        const Window* w = win();
        return w && t == QAccessible::Name ? windowHeading(*w) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const Window* w = win();
        return w ? globalRect(host_->host(), Host::panelRect(*w)) : QRect();
    }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        const Window* w = win();
        const auto shown = shownWindows(host_->desktop());
        if (!w || std::find(shown.begin(), shown.end(), w) == shown.end()) {
            st.invisible = true;
            return st;
        }
        st.active = w == host_->desktop().top();
        return st;
    }

private:
    const HostAccessible* host_;
    QString window_;
};

// One drawn control, found again by its window's and its own name on every call.
class ControlAccessible : public QAccessibleInterface,
                          public QAccessibleActionInterface,
                          public QAccessibleTextInterface {
public:
    ControlAccessible(const HostAccessible* host, QString window, QString name, int index)
        : host_(host), window_(std::move(window)), name_(std::move(name)), index_(index)
    {
    }

    Control* control() const
    {
        const Window* w = loadedWindow(host_->desktop(), window_);
        return w ? w->find(name_, index_) : nullptr;
    }

    bool isValid() const override { return control() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return host_->window(); }
    QAccessibleInterface* parent() const override { return host_->windowInterface(window_); }
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
            return isPage(*c) ? QAccessible::Document : QAccessible::Graphic;
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
        switch (t) {
        case QAccessible::Name:
            if (box)
                return c->spokenName.isEmpty() ? c->name : c->spokenName;
            if (isPage(*c)) // the page's first line: its heading
                return pageText(*c).section(QLatin1Char('\n'), 0, 0);
            return accessibleName(*c);
        case QAccessible::Value:
            return box ? c->caption : QString();
        case QAccessible::Description:
            if (box && c->maxLength > 0)
                return QStringLiteral("Up to %1 characters").arg(c->maxLength);
            return isPage(*c) ? pageText(*c) : QString();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const Control* c = control();
        if (!c)
            return {};
        const float s = Host::scale();
        const QRectF client = Host::clientRect(c->window());
        return globalRect(host_->host(),
                          QRectF(client.topLeft() + QPointF(c->absLeft(), c->absTop()) / kTwipsPerPixel * s,
                                 QSizeF(c->width, c->height) / kTwipsPerPixel * s));
    }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        const Control* c = control();
        const auto shown = shownWindows(host_->desktop());
        if (!c || std::find(shown.begin(), shown.end(), &c->window()) == shown.end()) {
            st.invisible = true;
            return st;
        }
        for (const Control* p = c; p; p = p->parent) {
            st.invisible |= !p->visible;
            st.disabled |= !p->enabled;
        }
        // Only the top window takes clicks and keys.
        const bool onTop = &c->window() == host_->desktop().top();
        st.disabled |= !onTop;
        st.focusable = c->focusable();
        st.focused = onTop && c->window().focus() == c && host_->host().hasFocus();
        if (c->kind == Kind::OptionButton || c->kind == Kind::CheckBox) {
            st.checkable = true;
            st.checked = c->value == 1;
        }
        st.editable = c->kind == Kind::TextBox;
        st.readOnly = role() == QAccessible::Document;
        st.selectableText = st.editable || st.readOnly;
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        if (t == QAccessible::TextInterface) {
            const QAccessible::Role r = role();
            if (r == QAccessible::EditableText || r == QAccessible::Document)
                return static_cast<QAccessibleTextInterface*>(this);
        }
        return nullptr;
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
        if (c && &c->window() == host_->desktop().top() && c->reachable())
            host_->desktop().click(*c);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The text of a text box, or of a page in reading order.
    QString fullText() const
    {
        const Control* c = control();
        if (!c)
            return {};
        return c->kind == Kind::TextBox ? c->caption : pageText(*c);
    }
    Control* box() const
    {
        Control* c = control();
        return c && c->kind == Kind::TextBox ? c : nullptr;
    }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (const Control* c = box(); c && selectionIndex == 0 && c->selLength() > 0) {
            *startOffset = c->selStart();
            *endOffset = c->selStart() + c->selLength();
        }
    }
    int selectionCount() const override
    {
        const Control* c = box();
        return c && c->selLength() > 0 ? 1 : 0;
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override
    {
        if (Control* c = box())
            select(c->cursor, c->cursor);
    }
    void setSelection(int, int startOffset, int endOffset) override { select(startOffset, endOffset); }
    int cursorPosition() const override
    {
        const Control* c = box();
        return c ? c->cursor : 0;
    }
    void setCursorPosition(int position) override { select(position, position); }
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = fullText();
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(fullText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    // Moves a text box's caret and selection, as keys would.
    void select(int from, int to)
    {
        Control* c = box();
        if (!c || &c->window() != host_->desktop().top())
            return;
        c->placeCaret(from);
        c->placeCaret(to, true);
        host_->host().update();
    }

    const HostAccessible* host_;
    QString window_;
    QString name_;
    int index_;
};

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* mine = dynamic_cast<const ControlAccessible*>(child);
    const Control* c = mine ? mine->control() : nullptr;
    const Window* w = win();
    if (!c || !w)
        return -1;
    const auto shown = shownControls(*w);
    const auto it = std::find(shown.begin(), shown.end(), c);
    return it == shown.end() ? -1 : int(it - shown.begin());
}

QAccessibleInterface* hostFactory(const QString&, QObject* object)
{
    if (auto* host = qobject_cast<Host*>(object))
        return new HostAccessible(host);
    return nullptr;
}

HostAccessible::Listener listener = nullptr;

void send(QAccessibleEvent& event)
{
    if (listener)
        listener(&event);
    else
        QAccessible::updateAccessibility(&event);
}

void send(QAccessibleInterface* iface, QAccessible::Event what)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, what);
    send(event);
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

QString windowHeading(const Window& w)
{
    const Control* best = nullptr;
    for (const Control* c : shownControls(w)) {
        if (c->kind != Kind::Label || c->onClick || c->caption.trimmed().isEmpty())
            continue;
        if (!best || c->font.size > best->font.size || (c->font.size == best->font.size && c->absTop() < best->absTop()))
            best = c;
    }
    if (best)
        return best->caption.simplified();
    return w.caption.trimmed().isEmpty() ? w.name() : w.caption;
}

HostAccessible::HostAccessible(Host* host) : QAccessibleWidget(host, QAccessible::Window) {}

HostAccessible::~HostAccessible()
{
    for (const auto& entry : made_)
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

QAccessibleInterface* HostAccessible::made(const Key& key) const
{
    const auto found = made_.find(key);
    if (found != made_.end())
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(found->second))
            return known;
    QAccessibleInterface* iface = std::get<1>(key).isEmpty()
        ? static_cast<QAccessibleInterface*>(new WindowAccessible(this, std::get<0>(key)))
        : new ControlAccessible(this, std::get<0>(key), std::get<1>(key), std::get<2>(key));
    made_[key] = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

QAccessibleInterface* HostAccessible::windowInterface(const QString& window) const
{
    return made({window, QString(), -1});
}

QAccessibleInterface* HostAccessible::controlInterface(const Control& c) const
{
    return made({c.window().name(), c.name, c.index});
}

int HostAccessible::childCount() const { return int(shownWindows(desktop()).size()); }

QAccessibleInterface* HostAccessible::child(int index) const
{
    const auto shown = shownWindows(desktop());
    return index >= 0 && index < int(shown.size()) ? windowInterface(shown[std::size_t(index)]->name()) : nullptr;
}

int HostAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* mine = dynamic_cast<const WindowAccessible*>(child);
    const Window* w = mine ? mine->win() : nullptr;
    const auto shown = shownWindows(desktop());
    const auto it = std::find(shown.begin(), shown.end(), w);
    return it == shown.end() ? -1 : int(it - shown.begin());
}

QAccessibleInterface* HostAccessible::childAt(int x, int y) const
{
    // The topmost window under the point.
    for (int i = childCount() - 1; i >= 0; --i) {
        QAccessibleInterface* w = child(i);
        if (w && w->rect().contains(x, y))
            return w;
    }
    return nullptr;
}

QAccessibleInterface* HostAccessible::focusChild() const
{
    const Window* w = desktop().top();
    if (!w || w->borderless)
        return nullptr;
    QAccessibleInterface* dialog = windowInterface(w->name());
    QAccessibleInterface* control = dialog->focusChild();
    return control ? control : dialog;
}

HostAccessible::Snapshot HostAccessible::snapshot() const
{
    Snapshot now;
    for (const Window* w : shownWindows(desktop())) {
        now.windows.push_back(w->name());
        for (const Control* c : shownControls(*w)) {
            Seen& s = now.controls[{w->name(), c->name, c->index}];
            s.name = c->kind == Kind::Label && !c->onClick ? c->caption : QString();
            s.value = c->kind == Kind::TextBox ? c->caption : QString();
            s.cursor = c->kind == Kind::TextBox ? c->cursor : 0;
            s.checked = c->value;
            s.picture = c->picture.get();
        }
    }
    const Window* top = desktop().top();
    if (top && !top->borderless)
        now.focus = top->focus() ? Key{top->name(), top->focus()->name, top->focus()->index}
                                 : Key{top->name(), QString(), -1};
    return now;
}

void HostAccessible::announceChanges(Host& host)
{
    // Nothing is announced before the screen shows; asking whether a screen
    // reader listens would wait for the session bus there and then.
    if (!listener && (!host.isVisible() || !QAccessible::isActive()))
        return;
    if (auto* me = dynamic_cast<HostAccessible*>(QAccessible::queryAccessibleInterface(&host)))
        me->announce();
}

void HostAccessible::setListener(Listener l) { listener = l; }

void HostAccessible::announce()
{
    Snapshot now = snapshot();
    // A window coming up is a new child of the screen; one covered by the
    // backdrop (still loaded) is hidden; an unloaded one has no interface left.
    const auto among = [](const std::vector<QString>& list, const QString& w) {
        return std::find(list.begin(), list.end(), w) != list.end();
    };
    for (const QString& w : now.windows)
        if (!among(seen_.windows, w)) {
            send(windowInterface(w), QAccessible::ObjectCreated);
            send(windowInterface(w), QAccessible::ObjectShow);
        }
    for (const QString& w : seen_.windows)
        if (!among(now.windows, w) && loadedWindow(desktop(), w))
            send(windowInterface(w), QAccessible::ObjectHide);

    for (const auto& [key, is] : now.controls) {
        const auto before = seen_.controls.find(key);
        if (before == seen_.controls.end())
            continue;
        const Seen& was = before->second;
        QAccessibleInterface* iface = made(key);
        const auto* c = static_cast<ControlAccessible*>(iface)->control();
        if (!c)
            continue;
        if (is.name != was.name)
            send(iface, QAccessible::NameChanged);
        if (is.picture != was.picture && isPage(*c)) {
            send(iface, QAccessible::NameChanged);
            send(iface, QAccessible::DescriptionChanged);
        }
        if (c->kind == Kind::TextBox && is.value != was.value) {
            QAccessibleTextUpdateEvent update(iface, 0, was.value, is.value);
            send(update);
        } else if (c->kind == Kind::TextBox && is.cursor != was.cursor) {
            QAccessibleTextCursorEvent caret(iface, is.cursor);
            send(caret);
        }
        if ((c->kind == Kind::OptionButton || c->kind == Kind::CheckBox) && is.checked != was.checked) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(iface, changed);
            send(event);
        }
    }

    if (now.focus != seen_.focus && !std::get<0>(now.focus).isEmpty())
        send(made(now.focus), QAccessible::Focus);
    seen_ = std::move(now);
}

} // namespace oravians
