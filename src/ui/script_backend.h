#pragma once

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

#include "ui/events.h"

namespace dv {

// Raised when a script has no more input while the game waits for some.
class ScriptExhausted : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The backend of the headless game: a queue of inputs (keys, text, input-method
// compositions, clicks, close requests), advances of a virtual clock, and checks that
// run at their place in the queue, between inputs, wherever the game is waiting.
class ScriptBackend : public Backend {
  public:
    ScriptBackend() = default;

    ScriptBackend& key(int keyCode, int shift = 0);
    // One key per character: letters, digits and space as their keys.
    ScriptBackend& type(const std::string& ascii);
    ScriptBackend& keyDown(int keyCode, int shift = 0);
    ScriptBackend& keyUp(int keyCode, int shift = 0);
    ScriptBackend& text(const std::string& utf8);
    ScriptBackend& editing(const std::string& utf8, int cursor);
    ScriptBackend& click(int x, int y, int button = 1);
    ScriptBackend& doubleClick(int x, int y);
    ScriptBackend& closeRequest();
    ScriptBackend& advance(uint64_t ms);
    ScriptBackend& check(std::function<void()> fn);

    bool exhausted() const { return queue_.empty(); }
    size_t pending() const { return queue_.size(); }

    // What the game asked of the window.
    bool textInputOn() const { return textInput_; }
    const Rect& textInputRect() const { return textRect_; }
    const std::string& title() const { return title_; }
    int presents() const { return presents_; }
    WindowState state() const { return state_; }
    bool fullscreen() const { return fullscreen_; }
    bool busyCursor() const { return busy_; }

    uint64_t nowMs() override { return now_; }
    bool waitEvent(InputEvent& out, uint64_t deadlineMs) override;
    void present(const Canvas& canvas) override;
    void setTextInput(bool on, const Rect& caretInCanvas) override;
    void setTitle(const std::string& t) override { title_ = t; }
    WindowState windowState() override { return state_; }
    void minimize() override { state_ = WindowState::Minimized; }
    void toggleMaximize() override {
        state_ = state_ == WindowState::Maximized ? WindowState::Normal : WindowState::Maximized;
    }
    void toggleFullscreen() override { fullscreen_ = !fullscreen_; }
    void setBusyCursor(bool busy) override { busy_ = busy; }

    // The character a key types with text input off (shared with the SDL backend).
    static int asciiFor(int keyCode, int shift);

  private:
    struct Step {
        enum class Kind { Event, Advance, Check } kind = Kind::Event;
        InputEvent event;
        uint64_t ms = 0;
        std::function<void()> fn;
    };
    ScriptBackend& push(Step s);

    std::deque<Step> queue_;
    uint64_t now_ = 1000;
    bool textInput_ = false;
    Rect textRect_;
    std::string title_;
    int presents_ = 0;
    WindowState state_ = WindowState::Normal;
    bool fullscreen_ = false;
    bool busy_ = false;
};

}  // namespace dv
