#include "ui/script_backend.h"

#include <cctype>

#include "ui/keys.h"
#include "ui/termination.h"

namespace dv {

int ScriptBackend::asciiFor(int keyCode, int shift) {
    if (shift & shiftbits::Ctrl) return 0;
    if (keyCode >= 'A' && keyCode <= 'Z')
        return (shift & shiftbits::Shift) ? keyCode : keyCode + 32;
    if (keyCode >= '0' && keyCode <= '9') return (shift & shiftbits::Shift) ? 0 : keyCode;
    switch (keyCode) {
        case keys::Back:
        case keys::Enter:
        case keys::Esc:
        case keys::Space:
            return keyCode;
        default:
            return 0;
    }
}

ScriptBackend& ScriptBackend::push(Step s) {
    queue_.push_back(std::move(s));
    return *this;
}

ScriptBackend& ScriptBackend::keyDown(int keyCode, int shift) {
    Step s;
    s.event.type = InputEvent::Type::KeyDown;
    s.event.keyCode = keyCode;
    s.event.shift = shift;
    s.event.ascii = asciiFor(keyCode, shift);
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::keyUp(int keyCode, int shift) {
    Step s;
    s.event.type = InputEvent::Type::KeyUp;
    s.event.keyCode = keyCode;
    s.event.shift = shift;
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::key(int keyCode, int shift) {
    keyDown(keyCode, shift);
    return keyUp(keyCode, shift);
}

ScriptBackend& ScriptBackend::type(const std::string& ascii) {
    for (char c : ascii) {
        int code = std::toupper(static_cast<unsigned char>(c));
        int shift = std::isupper(static_cast<unsigned char>(c)) ? shiftbits::Shift : 0;
        key(code, shift);
    }
    return *this;
}

ScriptBackend& ScriptBackend::text(const std::string& utf8) {
    Step s;
    s.event.type = InputEvent::Type::Text;
    s.event.text = utf8;
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::editing(const std::string& utf8, int cursor) {
    Step s;
    s.event.type = InputEvent::Type::Editing;
    s.event.text = utf8;
    s.event.editCursor = cursor;
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::click(int x, int y, int button) {
    Step down;
    down.event.type = InputEvent::Type::MouseDown;
    down.event.x = x;
    down.event.y = y;
    down.event.button = button;
    Step up = down;
    up.event.type = InputEvent::Type::MouseUp;
    push(std::move(down));
    return push(std::move(up));
}

ScriptBackend& ScriptBackend::doubleClick(int x, int y) {
    click(x, y);
    Step down;
    down.event.type = InputEvent::Type::MouseDown;
    down.event.x = x;
    down.event.y = y;
    down.event.button = 1;
    down.event.clicks = 2;
    Step up = down;
    up.event.type = InputEvent::Type::MouseUp;
    push(std::move(down));
    return push(std::move(up));
}

ScriptBackend& ScriptBackend::closeRequest() {
    Step s;
    s.event.type = InputEvent::Type::CloseRequest;
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::advance(uint64_t ms) {
    Step s;
    s.kind = Step::Kind::Advance;
    s.ms = ms;
    return push(std::move(s));
}

ScriptBackend& ScriptBackend::check(std::function<void()> fn) {
    Step s;
    s.kind = Step::Kind::Check;
    s.fn = std::move(fn);
    return push(std::move(s));
}

bool ScriptBackend::waitEvent(InputEvent& out, uint64_t deadlineMs) {
    for (;;) {
        if (TakeTerminationRequest() != 0) {
            out = InputEvent{};
            out.type = InputEvent::Type::Terminate;
            return true;
        }
        if (deadlineMs <= now_) return false;
        if (queue_.empty()) {
            std::string what = describeWaiting ? describeWaiting() : std::string("input");
            throw ScriptExhausted("the script ran out of input while the game waits on " + what);
        }
        Step& step = queue_.front();
        switch (step.kind) {
            case Step::Kind::Check: {
                auto fn = std::move(step.fn);
                queue_.pop_front();
                fn();
                // The loop that waited gets control back, so it can see what the check
                // (or a window it opened and closed) changed.
                return false;
            }
            case Step::Kind::Advance: {
                // An advance that passes a timer's deadline stops there so the timer
                // fires at its time; the rest of the advance follows.
                if (now_ + step.ms >= deadlineMs) {
                    step.ms -= deadlineMs - now_;
                    now_ = deadlineMs;
                    if (step.ms == 0) queue_.pop_front();
                    return false;
                }
                now_ += step.ms;
                queue_.pop_front();
                continue;
            }
            case Step::Kind::Event:
                out = step.event;
                queue_.pop_front();
                return true;
        }
    }
}

void ScriptBackend::present(const Canvas& /*canvas*/) {
    ++presents_;
}

void ScriptBackend::setTextInput(bool on, const Rect& caretInCanvas) {
    textInput_ = on;
    textRect_ = caretInCanvas;
}

}  // namespace dv
