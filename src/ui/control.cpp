#include "ui/control.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/window_system.h"

namespace dv {

Control::Control(std::string name) : name_(std::move(name)) {}

Control::~Control() {
    if (parent_) parent_->remove(*this);
    for (Control* c : children_)
        c->parent_ = nullptr;
}

void Control::add(Control& child) {
    if (child.parent_) child.parent_->remove(child);
    child.parent_ = this;
    children_.push_back(&child);
    invalidate();
}

void Control::remove(Control& child) {
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it != children_.end()) {
        children_.erase(it);
        child.parent_ = nullptr;
    }
}

Form* Control::form() {
    return parent_ ? parent_->form() : nullptr;
}

Ui* Control::ui() const {
    const Form* f = form();
    return f ? &f->windowSystem() : nullptr;
}

void Control::bringToFront() {
    if (!parent_) return;
    auto& sib = parent_->children_;
    auto it = std::find(sib.begin(), sib.end(), this);
    if (it != sib.end()) {
        sib.erase(it);
        sib.push_back(this);
    }
    invalidate();
}

void Control::setBounds(const Rect& r) {
    bounds_ = r;
    invalidate();
}

void Control::move(int x, int y) {
    setBounds({x, y, bounds_.w, bounds_.h});
}

Rect Control::screenRect() const {
    Rect r = bounds_;
    for (const Control* p = parent_; p; p = p->parent_) {
        r.x += p->bounds_.x;
        r.y += p->bounds_.y;
    }
    return r;
}

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    stateChanged();
}

void Control::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    stateChanged();
}

bool Control::shown() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

bool Control::shownAndEnabled() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

bool Control::hasFocus() const {
    const Form* f = form();
    return f && f->focused() == this;
}

bool Control::setFocus() {
    Form* f = form();
    if (!f || !canFocus()) return false;
    f->focusControl(this);
    return true;
}

void Control::invalidate() const {
    if (Ui* u = ui()) u->invalidate();
}

void Control::stateChanged() {
    invalidate();
    if (Form* f = form()) f->dropFocusIfBlocked();
}

void Control::paint(Canvas& /*canvas*/, const Rect& /*area*/) {}

void Control::handleKeyDown(int& keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}
void Control::handleKeyPress(int& keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
}
void Control::handleKeyUp(int& keyCode, int shift) {
    if (onKeyUp) onKeyUp(keyCode, shift);
}
void Control::handleMouseDown(int button, int shift, int x, int y) {
    if (onMouseDown) onMouseDown(button, shift, x, y);
}
void Control::handleMouseUp(int button, int shift, int x, int y) {
    if (onMouseUp) onMouseUp(button, shift, x, y);
}
void Control::handleMouseMove(int button, int shift, int x, int y) {
    if (onMouseMove) onMouseMove(button, shift, x, y);
}
void Control::handleClick() {
    if (onClick) onClick();
}
void Control::handleDblClick() {
    if (onDblClick) onDblClick();
}
void Control::handleGotFocus() {
    invalidate();
    if (onGotFocus) onGotFocus();
}
void Control::handleLostFocus() {
    invalidate();
    if (onLostFocus) onLostFocus();
}

Control* Control::hitTest(int x, int y) {
    if (!visible_ || !screenRect().contains(x, y)) return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (Control* hit = (*it)->hitTest(x, y)) return hit;
    }
    return this;
}

}  // namespace dv
