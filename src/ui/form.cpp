#include "ui/form.h"

#include <algorithm>
#include <vector>

#include "ui/canvas.h"
#include "ui/window_system.h"

namespace dv {

Form::Form(Ui& ui, std::string name) : Control(std::move(name)), ui_(ui) {
    Control::setVisible(false);
    setBounds({0, 0, Ui::kWidth, Ui::kHeight});
    ui_.registerForm(this);
}

Form::~Form() {
    ui_.unregisterForm(this);
}

void Form::setTitle(std::string t) {
    title_ = std::move(t);
    ui_.invalidate();
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    if (onLoad) onLoad();
}

void Form::show() {
    load();
    ui_.showForm(this);
}

void Form::showModal(Form* owner) {
    load();
    if (owner) owner_ = owner;
    ui_.runModal(this);
}

void Form::hide() {
    ui_.hideForm(this);
}

void Form::unload() {
    hide();
    if (!loaded_) return;
    loaded_ = false;
    if (onUnload) onUnload();
}

void Form::focusControl(Control* c) {
    if (c == focused_) return;
    Control* old = focused_;
    focused_ = c;
    if (old) old->handleLostFocus();
    // A LostFocus handler may itself have moved the focus elsewhere.
    if (c && focused_ == c) c->handleGotFocus();
    ui_.updateTextInput();
    ui_.invalidate();
}

namespace {
Control* firstFocusable(Control* c) {
    for (Control* child : c->children()) {
        if (child->canFocus()) return child;
        if (child->visible() && child->enabled()) {
            if (Control* inner = firstFocusable(child)) return inner;
        }
    }
    return nullptr;
}
}  // namespace

bool Form::focusFirst() {
    Control* c = firstFocusable(this);
    if (!c) return false;
    focusControl(c);
    return true;
}

namespace {
void collectFocusable(Control* c, std::vector<Control*>& out) {
    for (Control* child : c->children()) {
        if (child->canFocus()) out.push_back(child);
        if (child->visible() && child->enabled()) collectFocusable(child, out);
    }
}
}  // namespace

bool Form::focusNext(bool backwards) {
    std::vector<Control*> order;
    collectFocusable(this, order);
    if (order.empty()) return false;
    auto at = std::find(order.begin(), order.end(), focused_);
    size_t i = at == order.end() ? 0 : static_cast<size_t>(at - order.begin());
    const size_t n = order.size();
    if (at != order.end()) i = backwards ? (i + n - 1) % n : (i + 1) % n;
    focusControl(order[i]);
    return true;
}

void Form::dropFocusIfBlocked() {
    if (focused_ && !focused_->canFocus()) {
        Control* old = focused_;
        focused_ = nullptr;
        old->handleLostFocus();
        ui_.updateTextInput();
    }
}

void Form::paint(Canvas& canvas, const Rect& area) {
    canvas.fillRect(area, backColor);
    if (bordered) {
        canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor);
        canvas.frameRect(area.x + 2, area.y + 2, area.right() - 3, area.bottom() - 3, borderColor);
    }
}

}  // namespace dv
