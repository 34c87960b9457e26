#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/events.h"

namespace dv {

class Control;
class Form;
class Timer;

// The window layer: owns the 640x480 canvas, the forms in z-order, the modal stack, the
// timers, and the event loop that routes input to the right control.
class Ui {
  public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    explicit Ui(Backend& backend);
    ~Ui();
    Ui(const Ui&) = delete;
    Ui& operator=(const Ui&) = delete;

    Backend& backend() { return backend_; }
    Canvas& canvas() { return canvas_; }
    uint64_t nowMs() { return backend_.nowMs(); }

    // Runs the event loop until done() says so (checked between events), until quit() is
    // called, or until GameEnded leaves every loop at once (taken by the outermost loop).
    void runUntil(const std::function<bool()>& done);
    // Runs the main loop until the game ends.
    void run();
    void quit() { quitting_ = true; }
    bool quitting() const { return quitting_; }
    // Handles one event, or fires the timers that are due; waits at most until the next
    // timer deadline.
    void pumpOnce();

    // The form that receives input: the topmost modal form, else the topmost shown form.
    Form* inputForm() const;
    size_t modalDepth() const { return modalStack_.size(); }
    const std::vector<Form*>& forms() const { return forms_; }
    // Changes whenever a modal form opens or closes; a key's KeyPress is dropped when
    // the epoch moved while its KeyDown was handled.
    uint64_t epoch() const { return epoch_; }

    void invalidate() { dirty_ = true; }
    // Paints every shown form bottom to top and presents the canvas.
    void render();

    // Finds a control by form name and control name ("" for the form itself).
    Control* find(const std::string& formName, const std::string& controlName) const;
    // Every text the shown forms display, in z-order, for the test harness.
    std::vector<std::string> visibleTexts() const;

    // Re-evaluates whether text input should be on (a text box has the focus).
    void updateTextInput();

    // Keys the window itself handles before any form (full screen).
    std::function<bool(const InputEvent&)> onGlobalKey;
    // A signal asked the game to end: raised wherever the game waits, modal windows
    // included. Without a handler the loop simply ends.
    std::function<void()> onTerminate;
    // An error escaped an event or timer handler. Returning true means it was reported
    // and the action is abandoned (the game goes on); false lets it end the program. A
    // test script running out (ScriptExhausted) and the game's end (GameEnded) are never
    // offered.
    std::function<bool(std::exception_ptr)> onActionError;

  private:
    friend class Form;
    friend class Timer;
    void registerForm(Form* f);
    void unregisterForm(Form* f);
    void showForm(Form* f);
    void hideForm(Form* f);
    void runModal(Form* f);
    void registerTimer(Timer* t);
    void unregisterTimer(Timer* t);
    void fireDueTimers();
    uint64_t nextDeadline();
    void dispatch(const InputEvent& ev);
    // Runs one handler; an error it raises is offered to onActionError.
    void guarded(const std::function<void()>& handler);
    void dispatchKeyDown(const InputEvent& ev);
    void dispatchKeyUp(const InputEvent& ev);
    void dispatchText(const InputEvent& ev);
    void dispatchEditing(const InputEvent& ev);
    void dispatchMouse(const InputEvent& ev);
    void paintTree(Control* c, const Rect& clip);
    std::string describeWaiting() const;

    Backend& backend_;
    Canvas canvas_;
    std::vector<Form*> forms_;       // z-order, bottom first
    std::vector<Form*> modalStack_;  // innermost last
    std::vector<Timer*> timers_;
    bool dirty_ = true;
    bool quitting_ = false;
    int loopDepth_ = 0;
    uint64_t epoch_ = 0;
    Control* pressed_ = nullptr;
    bool textInputOn_ = false;
    Rect textInputRect_;
    std::string lastTitle_;
};

}  // namespace dv
