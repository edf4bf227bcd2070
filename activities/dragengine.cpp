#include "activities/dragengine.h"

#include "kernel/labelbutton.h"
#include "platform/desktop.h"
#include "quiz/welldone.h"

#include <cmath>
#include <utility>
#include <limits>

namespace oravians {

DragEngine::DragEngine(Window& window, Arrays arrays, int n)
    : app_(static_cast<App&>(window.desktop())), window_(window), a_(arrays), n_(n)
{
    a_.labels.setOnMouseMove([this](int i, int b, int s, float x, float y) { Label2_MouseMove(i, b, s, x, y); });
    a_.labels.setOnMouseUp([this](int i, int b, int s, float x, float y) { Label2_MouseUp(i, b, s, x, y); });
    a_.buttons.setOnClick([this](int i) { Label3_Click(i); });
    lightOnHover(a_.buttons);

    // Keyboard: the labels in item order, then "Start Again", "Check Score", "Exit".
    for (int i = 0; i < n_; ++i) {
        a_.labels[i].tabStop = true;
        a_.labels[i].tabIndex = i;
    }
    const std::pair<int, int> places[] = {{1, 0}, {2, 1}, {0, 2}};
    for (const auto& [index, place] : places) {
        a_.buttons[index].tabStop = true;
        a_.buttons[index].tabIndex = n_ + place;
    }
    a_.labels.setOnKeyPress([this](int i, int& key) {
        if (key != ' ' && key != kKeyReturn)
            return;
        key = 0;
        if (!carry_)
            pickUp(i);
        else if (carry_->label == i)
            putDown();
    });
    a_.labels.setOnKeyDown([this](int i, int& code, int shift) { labelKeyDown(i, code, shift); });
    a_.buttons.setOnKeyPress([this](int i, int& key) {
        if (key != ' ' && key != kKeyReturn)
            return;
        key = 0;
        app_.click(a_.buttons[i]);
    });
}

void DragEngine::loadSetup()
{
    setupform(window_);
    app_.module1.outof = n_;
}

void DragEngine::loadFrames()
{
    for (int i = 0; i < n_; ++i) {
        a_.targets[i].visible = false;
        a_.frames[i].width = a_.labels[i].width;
        a_.frames[i].height = a_.labels[i].height;
    }
}

void DragEngine::loadCaptions()
{
    for (int i = 0; i < n_; ++i) {
        Control& box = a_.targets[i];
        a_.labels[i].caption = box.caption;
        box.caption.clear();
        box.opaque = false;
        box.visible = true;
        a_.frames[i].left = a_.labels[i].left;
        a_.frames[i].top = a_.labels[i].top;
    }
}

bool DragEngine::rests(int label, int target) const
{
    const Control& l = a_.labels[label];
    const Control& t = a_.targets[target];
    return l.left == t.left && l.top == t.top;
}

void DragEngine::drop(int k)
{
    Control& label = a_.labels[k];
    // Every zone is tested, in order, from wherever the last snap left the
    // label; each snap thuds.
    for (Control* zone : zones()) {
        const Control& t = *zone;
        if (t.left - t.width / 2 < label.left && label.left < t.left + t.width && t.top - t.height / 2 < label.top
            && label.top < t.top + t.height) {
            label.left = t.left;
            label.top = t.top;
            playsound(app_, QStringLiteral("wav\\thud3.wav"));
        }
    }
    int placed = 0;
    for (int i = 0; i < n_; ++i)
        for (int j = 0; j < n_; ++j)
            placed += rests(i, j) ? 1 : 0;
    // Once shown it stays until "Start Again", even if labels leave their boxes.
    if (placed == n_)
        a_.buttons[2].visible = true;
}

void DragEngine::formMouseMove() { dimButtons(a_.buttons); }

void DragEngine::Label2_MouseMove(int index, int button, int, float x, float y)
{
    // The left button alone drags; with the right one too it does not.
    if (button != kLeftButton)
        return;
    putBack();
    Control& label = a_.labels[index];
    // The label's centre jumps to the pointer; the top follows the new left.
    label.left = label.left + x - label.width / 2;
    label.top = label.top + y - label.height / 2;
}

void DragEngine::Label2_MouseUp(int index, int, int, float, float)
{
    putBack();
    drop(index);
}

void DragEngine::Label3_Click(int index)
{
    putBack();
    Module1& m = app_.module1;
    m.score = 0;
    switch (index) {
    case 0:
        window_.unload();
        break;
    case 1:
        for (int i = 0; i < n_; ++i) {
            a_.labels[i].left = a_.frames[i].left;
            a_.labels[i].top = a_.frames[i].top;
        }
        a_.buttons[2].visible = false;
        break;
    case 2:
        if (scoreRule) {
            m.score = scoreRule();
        } else {
            for (int i = 0; i < n_; ++i)
                m.score += rests(i, i) ? 1 : 0;
        }
        app_.show<Welldone>();
        break;
    default:
        break;
    }
    clicksound(app_);
}

std::optional<int> DragEngine::carried() const
{
    return carry_ ? std::optional<int>(carry_->label) : std::nullopt;
}

std::vector<Control*> DragEngine::zones() const
{
    std::vector<Control*> out;
    for (int i = 0; i < n_; ++i) {
        out.push_back(&a_.targets[i]);
        out.push_back(&a_.frames[i]);
    }
    return out;
}

void DragEngine::pickUp(int label)
{
    Control& l = a_.labels[label];
    carry_ = Carry{label, QPointF(l.left, l.top), 0, l.fore, l.back};
    std::swap(l.fore, l.back);
    carryTo(0);
}

void DragEngine::carryTo(std::size_t zone)
{
    carry_->zone = zone;
    Control& l = a_.labels[carry_->label];
    const Control& z = *zones()[zone];
    l.left = z.left;
    l.top = z.top;
}

void DragEngine::putDown()
{
    const int k = carry_->label;
    Control& l = a_.labels[k];
    l.fore = carry_->fore;
    l.back = carry_->back;
    carry_.reset();
    drop(k);
}

void DragEngine::putBack()
{
    if (!carry_)
        return;
    Control& l = a_.labels[carry_->label];
    l.left = float(carry_->from.x());
    l.top = float(carry_->from.y());
    l.fore = carry_->fore;
    l.back = carry_->back;
    carry_.reset();
}

void DragEngine::labelKeyDown(int index, int& keyCode, int shift)
{
    if (!carry_ || carry_->label != index)
        return;
    const std::size_t count = zones().size();
    switch (keyCode) {
    case kKeyTab:
        carryTo((carry_->zone + ((shift & kShiftMask) ? count - 1 : 1)) % count);
        break;
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown:
        carryTo(zoneToward(keyCode));
        break;
    case kKeyEscape:
        putBack();
        break;
    default:
        return;
    }
    keyCode = 0;
}

std::size_t DragEngine::zoneToward(int keyCode) const
{
    const auto all = zones();
    const auto centre = [](const Control& c) { return QPointF(c.left + c.width / 2, c.top + c.height / 2); };
    const QPointF from = centre(*all[carry_->zone]);
    const bool across = keyCode == kKeyLeft || keyCode == kKeyRight;
    const double sign = keyCode == kKeyLeft || keyCode == kKeyUp ? -1 : 1;
    std::size_t best = carry_->zone;
    double bestCost = std::numeric_limits<double>::max();
    for (std::size_t z = 0; z < all.size(); ++z) {
        const QPointF d = centre(*all[z]) - from;
        const double along = sign * (across ? d.x() : d.y());
        const double aside = std::abs(across ? d.y() : d.x());
        if (along <= 0)
            continue;
        // Straight ahead is nearer than the same distance off to the side.
        const double cost = along + 2 * aside;
        if (cost < bestCost) {
            bestCost = cost;
            best = z;
        }
    }
    return best;
}

ControlProps dragLabel(int index, float left, float top, float width, float height, FontSpec font)
{
    return {.kind = Kind::Label, .name = "Label2", .index = index, .left = left, .top = top, .width = width,
            .height = height, .fore = kYellow, .back = kBlack, .opaque = true, .border = true,
            .align = Align::Center, .font = font};
}

ControlProps targetBox(int index, const QString& answer, float left, float top, float width, float height,
                       FontSpec font)
{
    return {.kind = Kind::Label, .name = "Label1", .index = index, .caption = answer, .left = left, .top = top,
            .width = width, .height = height, .fore = kYellow, .back = kBlack, .opaque = true, .border = true,
            .align = Align::Center, .font = font, .spokenName = QStringLiteral("Box %1").arg(index + 1)};
}

ControlProps startFrame(int index)
{
    return {.kind = Kind::Label, .name = "Label4", .index = index, .opaque = false, .border = true,
            .spokenName = QStringLiteral("Start %1").arg(index + 1)};
}

ControlProps activityButton(int index)
{
    switch (index) {
    case 0:
        return labelButton({.name = "Label3", .index = 0, .caption = "Exit", .left = 10560, .top = 7920, .width = 1245});
    case 1:
        return labelButton({.name = "Label3", .index = 1, .caption = "Start Again", .left = 3360, .top = 7920,
                            .width = 2565});
    default:
        return labelButton({.name = "Label3", .index = 2, .caption = "Check Score", .left = 6000, .top = 7920,
                            .width = 2565, .visible = false});
    }
}

void drawInOrder(Window& w, std::initializer_list<std::pair<const char*, int>> order)
{
    for (const auto& [name, index] : order)
        if (Control* c = w.find(QString::fromLatin1(name), index))
            w.bringToFront(*c);
}

} // namespace oravians
