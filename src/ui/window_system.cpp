#include "ui/window_system.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/script_backend.h"
#include "ui/termination.h"
#include "ui/timer.h"

namespace dv {

Ui::Ui(Backend& backend) : backend_(backend), canvas_(kWidth, kHeight) {
    backend_.describeWaiting = [this] { return describeWaiting(); };
}

Ui::~Ui() {
    backend_.describeWaiting = nullptr;
    for (Form* f : forms_)
        f->modal_ = false;
}

void Ui::registerForm(Form* f) {
    forms_.push_back(f);
}

void Ui::unregisterForm(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), f), modalStack_.end());
    if (pressed_ && pressed_->form() == f) pressed_ = nullptr;
}

void Ui::showForm(Form* f) {
    auto it = std::find(forms_.begin(), forms_.end(), f);
    if (it != forms_.end()) forms_.erase(it);
    forms_.push_back(f);
    bool wasVisible = f->visible();
    f->Control::setVisible(true);
    if (!f->focused() || !f->focused()->canFocus()) f->focusFirst();
    if (!wasVisible && f->onActivate) f->onActivate();
    updateTextInput();
    invalidate();
}

void Ui::hideForm(Form* f) {
    if (!f->visible()) return;
    f->Control::setVisible(false);
    if (std::find(modalStack_.begin(), modalStack_.end(), f) != modalStack_.end()) ++epoch_;
    if (pressed_ && pressed_->form() == f) pressed_ = nullptr;
    updateTextInput();
    invalidate();
}

void Ui::runModal(Form* f) {
    if (f->modal_) throw std::logic_error("form " + f->name() + " is already shown modally");
    f->modal_ = true;
    modalStack_.push_back(f);
    ++epoch_;
    struct Guard {
        Ui& ui;
        Form* f;
        ~Guard() {
            f->modal_ = false;
            auto& st = ui.modalStack_;
            st.erase(std::remove(st.begin(), st.end(), f), st.end());
            ++ui.epoch_;
            ui.updateTextInput();
            ui.invalidate();
        }
    } guard{*this, f};
    showForm(f);
    while (f->visible() && !quitting_)
        pumpOnce();
}

void Ui::registerTimer(Timer* t) {
    timers_.push_back(t);
}

void Ui::unregisterTimer(Timer* t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

uint64_t Ui::nextDeadline() {
    uint64_t now = backend_.nowMs();
    uint64_t deadline = now + 1000;
    for (Timer* t : timers_) {
        if (t->enabled_ && t->interval_ > 0) deadline = std::min(deadline, t->due_);
    }
    return deadline;
}

void Ui::fireDueTimers() {
    uint64_t now = backend_.nowMs();
    std::vector<Timer*> due;
    for (Timer* t : timers_) {
        if (t->enabled_ && t->interval_ > 0 && t->due_ <= now) due.push_back(t);
    }
    for (Timer* t : due) {
        // The timer may have been stopped or destroyed by an earlier tick.
        if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
        if (!t->enabled_) continue;
        t->due_ = now + static_cast<uint64_t>(t->interval_);
        if (t->onTick) guarded(t->onTick);
        dirty_ = true;
    }
}

void Ui::runUntil(const std::function<bool()>& done) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    } depth(loopDepth_);
    try {
        while (!done() && !quitting_)
            pumpOnce();
    } catch (const GameEnded&) {
        // The game ended from inside a waiting window: everything that waited has unwound
        // up to the outermost loop, which ends here.
        if (loopDepth_ > 1) throw;
        quitting_ = true;
    }
}

void Ui::run() {
    runUntil([] { return false; });
}

void Ui::pumpOnce() {
    if (dirty_) render();
    InputEvent ev;
    if (backend_.waitEvent(ev, nextDeadline())) {
        guarded([&] { dispatch(ev); });
        dirty_ = true;
    }
    fireDueTimers();
}

void Ui::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ScriptExhausted&) {
        // A test's script ran out: that ends the test, it is no error of the game's.
        throw;
    } catch (const GameEnded&) {
        throw;
    } catch (...) {
        std::exception_ptr error = std::current_exception();
        if (!onActionError || !onActionError(error)) throw;
        dirty_ = true;
    }
}

Form* Ui::inputForm() const {
    for (auto it = modalStack_.rbegin(); it != modalStack_.rend(); ++it) {
        if ((*it)->visible()) return *it;
    }
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if ((*it)->visible()) return *it;
    }
    return nullptr;
}

void Ui::dispatch(const InputEvent& ev) {
    using T = InputEvent::Type;
    switch (ev.type) {
        case T::KeyDown:
            dispatchKeyDown(ev);
            break;
        case T::KeyUp:
            dispatchKeyUp(ev);
            break;
        case T::Text:
            dispatchText(ev);
            break;
        case T::Editing:
            dispatchEditing(ev);
            break;
        case T::MouseDown:
        case T::MouseUp:
        case T::MouseMove:
            dispatchMouse(ev);
            break;
        case T::CloseRequest: {
            // The window's close box goes to the window itself, also while a message or
            // another modal window is up; the window's own rule decides.
            for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
                if ((*it)->visible() && (*it)->topLevel) {
                    if ((*it)->onCloseRequest) (*it)->onCloseRequest();
                    break;
                }
            }
            break;
        }
        case T::Terminate:
            if (onTerminate) {
                onTerminate();
            } else {
                quit();
            }
            break;
        case T::Expose:
            invalidate();
            break;
    }
}

void Ui::dispatchKeyDown(const InputEvent& ev) {
    if (onGlobalKey && onGlobalKey(ev)) return;
    Form* f = inputForm();
    if (!f) return;
    Control* target = f->focused() ? f->focused() : f;
    bool textMode = target->wantsTextInput();
    bool imeKey = ev.keyCode == keys::Enter || ev.keyCode == keys::Esc || ev.keyCode == keys::Back;
    // While a composition is open these keys belong to the input method.
    if (textMode && target->composing() && imeKey) return;

    uint64_t before = epoch_;
    int code = ev.keyCode;
    if (f->keyPreview && target != f) f->handleKeyDown(code, ev.shift);
    if (code != 0) target->handleKeyDown(code, ev.shift);

    int ascii = ev.ascii;
    if (ascii == 0) return;
    if (textMode && ascii >= 32) return;  // typed characters arrive as text
    // A key that opened or closed a window has done its work; its character must not
    // also reach the control that has the focus now.
    if (epoch_ != before || inputForm() != f) return;
    if (target != f && !target->shownAndEnabled()) return;
    if (f->keyPreview && target != f) f->handleKeyPress(ascii);
    if (ascii != 0) target->handleKeyPress(ascii);
}

void Ui::dispatchKeyUp(const InputEvent& ev) {
    Form* f = inputForm();
    if (!f) return;
    Control* target = f->focused() ? f->focused() : f;
    int code = ev.keyCode;
    if (f->keyPreview && target != f) f->handleKeyUp(code, ev.shift);
    if (code != 0) target->handleKeyUp(code, ev.shift);
}

void Ui::dispatchText(const InputEvent& ev) {
    Form* f = inputForm();
    if (!f || !f->focused() || !f->focused()->wantsTextInput()) return;
    f->focused()->handleText(ev.text);
}

void Ui::dispatchEditing(const InputEvent& ev) {
    Form* f = inputForm();
    if (!f || !f->focused() || !f->focused()->wantsTextInput()) return;
    f->focused()->handleEditing(ev.text, ev.editCursor);
    updateTextInput();
}

void Ui::dispatchMouse(const InputEvent& ev) {
    using T = InputEvent::Type;
    Form* f = inputForm();
    if (!f) return;
    Control* hit = f->hitTest(ev.x, ev.y);
    auto local = [&](Control* c) {
        Rect r = c->screenRect();
        return std::make_pair(ev.x - r.x, ev.y - r.y);
    };
    if (ev.type == T::MouseDown) {
        // A disabled control, or one inside a disabled container, takes no input.
        if (!hit || !hit->shownAndEnabled()) return;
        if (hit->canFocus()) hit->setFocus();
        pressed_ = hit;
        auto [lx, ly] = local(hit);
        hit->handleMouseDown(ev.button, ev.shift, lx, ly);
        if (ev.clicks >= 2 && pressed_ == hit) hit->handleDblClick();
    } else if (ev.type == T::MouseUp) {
        Control* c = pressed_;
        pressed_ = nullptr;
        if (!c || c->form() != f || !c->shownAndEnabled()) return;
        auto [lx, ly] = local(c);
        c->handleMouseUp(ev.button, ev.shift, lx, ly);
        if (ev.button == 1 && hit == c && c->shownAndEnabled()) c->handleClick();
    } else {
        Control* c = pressed_ ? pressed_ : hit;
        if (!c || !c->shownAndEnabled()) return;
        auto [lx, ly] = local(c);
        c->handleMouseMove(ev.button, ev.shift, lx, ly);
    }
}

void Ui::updateTextInput() {
    Form* f = inputForm();
    Control* c = f ? f->focused() : nullptr;
    bool on = c && c->wantsTextInput() && c->shownAndEnabled();
    Rect r = on ? c->caretRect() : Rect{};
    if (on != textInputOn_ || (on && !(r == textInputRect_))) {
        textInputOn_ = on;
        textInputRect_ = r;
        backend_.setTextInput(on, r);
    }
}

namespace {

bool covers(const Rect& outer, const Rect& inner) {
    return outer.x <= inner.x && outer.y <= inner.y && outer.right() >= inner.right() &&
           outer.bottom() >= inner.bottom();
}

// The first of `layers` (bottom to top) worth painting over `area`: the topmost shown one
// that paints all of it hides everything under it. layers.size() when none does.
template <class T>
size_t firstUncovered(const std::vector<T*>& layers, const Rect& area) {
    for (size_t i = layers.size(); i-- > 0;) {
        const Control* c = layers[i];
        if (c->visible() && c->paintsWholeArea() && covers(c->screenRect(), area)) return i;
    }
    return layers.size();
}

}  // namespace

void Ui::paintTree(Control* c, const Rect& clip) {
    Rect area = c->screenRect();
    Rect r = area.intersect(clip);
    if (r.empty()) return;
    const std::vector<Control*>& children = c->children();
    const size_t cover = firstUncovered(children, r);
    size_t first = 0;
    if (cover < children.size()) {
        first = cover;  // this control's own paint would be painted over
    } else {
        canvas_.setClip(r);
        c->paint(canvas_, area);
    }
    for (size_t i = first; i < children.size(); ++i) {
        if (children[i]->visible()) paintTree(children[i], r);
    }
}

void Ui::render() {
    const Rect whole{0, 0, kWidth, kHeight};
    const size_t cover = firstUncovered(forms_, whole);
    size_t first = 0;
    if (cover < forms_.size()) {
        first = cover;
    } else {
        canvas_.resetClip();
        canvas_.clear(colors::black);
    }
    for (size_t i = first; i < forms_.size(); ++i) {
        if (forms_[i]->visible()) paintTree(forms_[i], whole);
    }
    canvas_.resetClip();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if ((*it)->visible() && (*it)->topLevel) {
            if ((*it)->title() != lastTitle_) {
                lastTitle_ = (*it)->title();
                backend_.setTitle(lastTitle_);
            }
            break;
        }
    }
    backend_.present(canvas_);
    dirty_ = false;
}

namespace {
Control* findIn(Control* c, const std::string& name) {
    for (Control* child : c->children()) {
        if (child->name() == name) return child;
        if (Control* inner = findIn(child, name)) return inner;
    }
    return nullptr;
}

void collectTexts(const Control* c, std::vector<std::string>& out) {
    if (!c->visible()) return;
    for (auto& t : c->texts())
        out.push_back(t);
    for (const Control* child : c->children())
        collectTexts(child, out);
}
}  // namespace

Control* Ui::find(const std::string& formName, const std::string& controlName) const {
    for (Form* f : forms_) {
        if (f->name() != formName) continue;
        if (controlName.empty()) return f;
        return findIn(f, controlName);
    }
    return nullptr;
}

std::vector<std::string> Ui::visibleTexts() const {
    std::vector<std::string> out;
    for (Form* f : forms_) {
        if (f->visible()) collectTexts(f, out);
    }
    return out;
}

std::string Ui::describeWaiting() const {
    Form* f = inputForm();
    if (!f) return "no window is shown";
    std::string s = "window '" + f->name() + "'";
    if (!modalStack_.empty()) s += " (modal depth " + std::to_string(modalStack_.size()) + ")";
    if (f->focused()) s += ", focus on '" + f->focused()->name() + "'";
    auto texts = visibleTexts();
    if (!texts.empty()) {
        s += ", showing:";
        for (auto& t : texts)
            s += " [" + t + "]";
    }
    return s;
}

}  // namespace dv
